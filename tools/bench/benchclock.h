// Timing for the benchmark programs: the performance counter in
// milliseconds, a stopwatch on it, and the median of a set of runs.
#pragma once
#include <windows.h>

#include <algorithm>
#include <vector>

namespace bench {

// The counter's ticks per second, asked once.
inline double CounterFrequency() {
  static const double frequency = [] {
    LARGE_INTEGER f;
    ::QueryPerformanceFrequency(&f);
    return static_cast<double>(f.QuadPart);
  }();
  return frequency;
}

// The performance counter now, in milliseconds.
inline double NowMs() {
  LARGE_INTEGER t;
  ::QueryPerformanceCounter(&t);
  return 1000.0 * static_cast<double>(t.QuadPart) / CounterFrequency();
}

// The time since it was made or last restarted.
class Stopwatch {
 public:
  double ElapsedMs() const { return NowMs() - start_; }
  double ElapsedSeconds() const { return ElapsedMs() / 1000.0; }
  void Restart() { start_ = NowMs(); }

 private:
  double start_ = NowMs();
};

// The middle run (the upper of the two middle ones for an even count); none
// gives 0.
inline double Median(std::vector<double> runs) {
  if (runs.empty()) return 0;
  std::nth_element(runs.begin(), runs.begin() + runs.size() / 2, runs.end());
  return runs[runs.size() / 2];
}

// The median time of a number of runs of run(), in milliseconds.
template <class Run>
double MedianMs(int rounds, Run run) {
  std::vector<double> times;
  for (int i = 0; i < rounds; ++i) {
    Stopwatch watch;
    run();
    times.push_back(watch.ElapsedMs());
  }
  return Median(times);
}

}  // namespace bench
