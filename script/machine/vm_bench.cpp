// Speed of the script machine on typical script work: three 10-million-step
// loops (integer and double arithmetic, a function call per step, array
// indexing) against the same loops in Lua 5.4 (vm_bench.lua, measured by
// tools/run-bench.sh just before this program) and the first in C (-O2),
// with the direct interpreter's time beside the translated machine's; calls
// of a string function; calls, array loops and string functions; then the
// time of one default-budget run of each hostile program
// (vm_bench_hostile.cpp). Given a word (`script_vm_bench.exe call`), it runs
// only the loops compared with Lua whose Lua name holds it, for measuring one
// loop again and again.
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "../compiler/testing/delivered_stdlib.h"
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
double TimeOneRun(const char* source, uint64_t* instructions, bool direct = false) {
  tarnic::CompileOutput out = tarnic::Compile(source);
  CScriptVM vm;
  vm.UseDirectInterpreter(direct);
  if (!out.generated || vm.Load(out.code.data(), out.code.size()) != 0) {
    std::printf("does not compile or load:\n%s\n%s", source, out.err_text.c_str());
    return -1;
  }
  // Far above the default budget (10 million per run), which the loops exceed.
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

// A loop that the machine is compared on, and its name in vm_bench.lua.
struct ReferenceLoop {
  const char* what;
  const char* lua_name;
  const char* source;
};

const ReferenceLoop kReferenceLoops[] = {
    {"10M-step int and double loop", "int_and_double",
     "int gn; double gd; int main() { int i; int n; double d; n = 0; d = 0.0;"
     " for (i = 0; i < 10000000; i++) { n = n + (i & 127); d = d + 0.5; } gn = n; gd = d; return 0; }"},
    {"10M steps calling a function", "call_per_step",
     "int gn; int add(int a, int b) { return a + b; } int main() { int i; int n; n = 0;"
     " for (i = 0; i < 10000000; i++) n = add(n, i & 127); gn = n; return 0; }"},
    {"10M steps indexing an array", "array_indexing",
     "int gn; int a[128]; int main() { int i; int n; for (i = 0; i < 128; i++) a[i] = i; n = 0;"
     " for (i = 0; i < 10000000; i++) n = n + a[i & 127]; gn = n; return 0; }"},
};
constexpr int kLoopRuns = 5;

// Lua's fastest, median and slowest time of a loop, from the lines of
// vm_bench.lua that tools/run-bench.sh hands over in QEL_LUA_VM_BENCH
// ("name fastest median slowest", separated by ';'); false when it did not.
bool LuaTimes(const char* name, double* fastest, double* median, double* slowest) {
  const char* all = std::getenv("QEL_LUA_VM_BENCH");
  if (!all) return false;
  const std::string text(all);
  for (size_t at = 0; at < text.size();) {
    size_t end = text.find(';', at);
    if (end == std::string::npos) end = text.size();
    char line_name[64];
    if (std::sscanf(text.substr(at, end - at).c_str(), "%63s %lf %lf %lf", line_name, fastest, median,
                    slowest) == 4 &&
        std::strcmp(line_name, name) == 0)
      return true;
    at = end + 1;
  }
  return false;
}

// The machine's times of a loop over several runs beside Lua's; the ratio is
// of the fastest runs, which a busy machine disturbs least (Lua's times are
// its processor time).
void LoopAgainstLua(const ReferenceLoop& loop) {
  std::vector<double> times;
  uint64_t instructions = 0;
  for (int run = 0; run < kLoopRuns; ++run) {
    const double seconds = TimeOneRun(loop.source, &instructions);
    if (seconds < 0) return;
    times.push_back(seconds);
  }
  std::sort(times.begin(), times.end());
  uint64_t direct_instructions = 0;
  const double direct = TimeOneRun(loop.source, &direct_instructions, true);
  std::printf("%s: %.3f-%.3f s (median %.3f s, %d runs), %llu instructions, %.0f million instructions/s\n",
              loop.what, times.front(), times.back(), bench::Median(times), kLoopRuns,
              static_cast<unsigned long long>(instructions), instructions / times.front() / 1e6);
  std::printf("  direct interpreter (the reference, one run): %.3f s, %llu instructions\n", direct,
              static_cast<unsigned long long>(direct_instructions));
  double fastest, median, slowest;
  if (LuaTimes(loop.lua_name, &fastest, &median, &slowest)) {
    std::printf(
        "  Lua 5.4, the same loop: %.3f-%.3f s (median %.3f s); the machine's fastest run takes %.2f times Lua's\n",
        fastest, slowest, median, times.front() / fastest);
  } else {
    std::printf("  Lua 5.4: not measured (lua5.4 was not found; make deps installs it), so no ratio\n");
  }
}

void LoopsAgainstLuaAndC() {
  for (const ReferenceLoop& loop : kReferenceLoops) LoopAgainstLua(loop);
  uint64_t instructions = 0;
  const double script = TimeOneRun(kReferenceLoops[0].source, &instructions);
  const double native = BestOfThree([] { NativeIntDoubleLoop(); });
  if (script > 0)
    std::printf("  the first loop in C (-O2): %.4f s; the machine takes %.0f times as long\n", native,
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
  std::printf(
      "strlen x 100000 in a script: %.3f s, %.3f us per loop step with the call,"
      " %.3f us per call alone (the loop without it subtracted)\n",
      calls, calls / kCalls * 1e6, per_call);
  std::printf("  same loop in C (-O2): %.4f us per call; the machine's call takes %.0f times as long\n",
              native / kCalls * 1e6, per_call / (native / kCalls * 1e6));
}

// The loops compared with Lua whose Lua name holds `word`.
void LoopsNamed(const char* word) {
  for (const ReferenceLoop& loop : kReferenceLoops)
    if (std::strstr(loop.lua_name, word)) LoopAgainstLua(loop);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1) {
    LoopsNamed(argv[1]);
    return 0;
  }
  LoopsAgainstLuaAndC();
  StringCallsAgainstC();
  Measure("fib(20), recursive",
          "int r; int fib(int n) { if (n < 2) return n; return fib(n - 1) + fib(n - 2); }"
          " int main() { r = fib(20); return 0; }",
          5);
  Measure("array loop, 100000 steps",
          "int a[100]; int main() { int i; for (i = 0; i < 100000; i++) a[i % 100] += i; return 0; }", 5);
  Measure("string functions x 1000",
          "char b[64]; int main() { int i; for (i = 0; i < 1000; i++) {"
          " strcpy(b, \"abc\"); strcat(b, \"def\"); sprintf(b, \"%d %s\", i, \"x\"); } return 0; }",
          5);
  Measure("link firing (short script)", "int n; int main() { n = n + 1; return 0; }", 10000);
  HostileRuns();
  return 0;
}
