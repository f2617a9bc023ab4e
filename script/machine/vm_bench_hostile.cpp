// Hostile code bytes against the run budget (vm_hostile.cpp): one run of
// each with the default budget is timed. The machine must end every one
// within about a second and within its memory cap.
#include "vm_bench_hostile.h"

#include <windows.h>
#include <psapi.h>

#include <cstdio>

#include "benchclock.h"
#include "vm_hostile.h"

namespace {

// Wine reports the commit charge of now as its peak, which falls when a run
// gives memory back: the difference is taken signed.
size_t PeakCommit() {
  PROCESS_MEMORY_COUNTERS pmc = {};
  pmc.cb = sizeof pmc;
  GetProcessMemoryInfo(GetCurrentProcess(), &pmc, sizeof pmc);
  return pmc.PeakPagefileUsage;
}

// The run's time in milliseconds; negative when the program does not load.
double RunCase(const HostileProgram& program, HostScene& scene) {
  std::unique_ptr<CScriptVM> vm = LoadHostile(program, scene);
  if (!vm) {
    std::printf("  %-40s does not load\n", program.what);
    return -1;
  }
  const size_t peak_before = PeakCommit();
  const bench::Stopwatch watch;
  const int end = RunHostile(program, *vm);
  const double ms = watch.ElapsedMs();
  std::printf(
      "  %-40s %7.1f ms  end %5d  %8llu instructions  %8llu units  machine peak %5.1f MB"
      "  process peak %+.0f MB\n",
      program.what, ms, end, static_cast<unsigned long long>(vm->LastInstructionCount()),
      static_cast<unsigned long long>(vm->LastWorkUnits()), vm->State().memory.PeakBytes() / 1048576.0,
      (static_cast<double>(PeakCommit()) - static_cast<double>(peak_before)) / 1048576.0);
  return ms;
}

}  // namespace

void HostileRuns() {
  std::printf("hostile code bytes, one run each with the default budget:\n");
  HostScene scene;
  double worst = 0;
  const char* worst_case = "";
  for (const HostileProgram& program : HostilePrograms()) {
    const double ms = RunCase(program, scene);
    if (ms > worst) {
      worst = ms;
      worst_case = program.what;
    }
  }
  std::printf("  slowest run: %s, %.1f ms\n", worst_case, worst);
}
