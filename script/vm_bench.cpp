// Speed of the script machine on typical script work: calls and integer
// arithmetic (a recursive Fibonacci), array loops and string functions; and
// a 10-million-step integer and double loop and 100,000 calls of a string
// function against the same loops in C (-O2). Then the time of one
// default-budget run of each hostile program (vm_bench_hostile.cpp).
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "../compiler/delivered_stdlib.h"
#include "benchclock.h"
#include "scriptvm.h"
#include "vm_bench_hostile.h"
#include "vm_bench_native.h"

namespace {

void Measure(const char* what, const char* source, int runs) {
  tarnic::CompileOutput out = tarnic::Compile(source);
  if (!out.generated) {
    std::printf("%s: does not compile\n%s", what, out.err_text.c_str());
    return;
  }
  CScriptVM vm;
  if (vm.Load(out.code.data(), out.code.size()) != 0) return;
  const bench::Stopwatch watch;
  int end = 0;
  for (int i = 0; i < runs; ++i) end = vm.Run();
  double us = watch.ElapsedMs() * 1e3 / runs;
  std::printf("%-28s %12.1f us per run (end code %d)\n", what, us, end);
}

// One run of a script with a budget large enough for it; its time in seconds
// and the instructions it executed, or a negative time when it failed.
double TimeOneRun(const char* source, uint64_t* instructions) {
  tarnic::CompileOutput out = tarnic::Compile(source);
  CScriptVM vm;
  if (!out.generated || vm.Load(out.code.data(), out.code.size()) != 0) {
    std::printf("does not compile or load:\n%s\n%s", source, out.err_text.c_str());
    return -1;
  }
  // Far above the default budget (10 million per run), which the loop exceeds.
  vm.SetInstructionBudget(4000000000ull);
  const bench::Stopwatch watch;
  int end = vm.Run();
  const double seconds = watch.ElapsedSeconds();
  if (end != 1005) {
    std::printf("run ended with %d:\n%s\n", end, source);
    return -1;
  }
  *instructions = vm.LastInstructionCount();
  return seconds;
}

template <typename F>
double BestOfThree(F f) {
  double best = 1e30;
  for (int i = 0; i < 3; ++i) {
    const bench::Stopwatch watch;
    f();
    best = std::min(best, watch.ElapsedSeconds());
  }
  return best;
}

void LoopAgainstC() {
  uint64_t instructions = 0;
  double script = TimeOneRun(
      "int gn; double gd; int main() { int i; int n; double d; n = 0; d = 0.0;"
      " for (i = 0; i < 10000000; i++) { n = n + (i & 127); d = d + 0.5; } gn = n; gd = d; return 0; }",
      &instructions);
  if (script < 0) return;
  double native = BestOfThree([] { NativeIntDoubleLoop(); });
  std::printf("10M-step int and double loop: %.3f s, %llu instructions, %.1f million instructions/s\n",
              script, static_cast<unsigned long long>(instructions), instructions / script / 1e6);
  std::printf("  same loop in C (-O2): %.4f s; the machine takes %.0f times as long\n", native,
              script / native);
}

void StringCallsAgainstC() {
  const int kCalls = 100000;
  uint64_t with_calls = 0, without_calls = 0;
  double calls = TimeOneRun(
      "char s[32]; int n; int main() { int i; strcpy(s, \"abcdefghij\");"
      " for (i = 0; i < 100000; i++) n = strlen(s); return 0; }",
      &with_calls);
  double loop = TimeOneRun(
      "char s[32]; int n; int main() { int i; strcpy(s, \"abcdefghij\");"
      " for (i = 0; i < 100000; i++) n = 10; return 0; }",
      &without_calls);
  if (calls < 0 || loop < 0) return;
  double native = BestOfThree([] { NativeStrlenLoop("abcdefghij", 100000); });
  double per_call = (calls - loop) / kCalls * 1e6;
  std::printf("strlen x 100000 in a script: %.3f s, %.3f us per loop step with the call,"
              " %.3f us per call alone (the loop without it subtracted)\n",
              calls, calls / kCalls * 1e6, per_call);
  std::printf("  same loop in C (-O2): %.4f us per call; the machine's call takes %.0f times as long\n",
              native / kCalls * 1e6, per_call / (native / kCalls * 1e6));
}

}  // namespace

int main() {
  LoopAgainstC();
  StringCallsAgainstC();
  Measure("fib(20), recursive", "int r; int fib(int n) { if (n < 2) return n; return fib(n - 1) + fib(n - 2); }"
          " int main() { r = fib(20); return 0; }", 5);
  Measure("array loop, 100000 steps", "int a[100]; int main() { int i; for (i = 0; i < 100000; i++) a[i % 100] += i; return 0; }", 5);
  Measure("string functions x 1000", "char b[64]; int main() { int i; for (i = 0; i < 1000; i++) {"
          " strcpy(b, \"abc\"); strcat(b, \"def\"); sprintf(b, \"%d %s\", i, \"x\"); } return 0; }", 5);
  Measure("link firing (short script)", "int n; int main() { n = n + 1; return 0; }", 10000);
  HostileRuns();
  return 0;
}
