// Speed of the script machine on typical script work: calls and integer
// arithmetic (a recursive Fibonacci), array loops and string functions.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "../compiler/compile.h"
#include "scriptvm.h"

namespace {

std::string ReadStdlib() {
  std::string bytes;
  if (FILE* f = std::fopen("..\\out\\sc\\stdlib.txt", "rb")) {
    char buf[4096];
    size_t got;
    while ((got = std::fread(buf, 1, sizeof buf, f)) > 0) bytes.append(buf, got);
    std::fclose(f);
  }
  std::string lines;
  for (char c : bytes)
    if (c != '\r') lines += c;
  return lines;
}

void Measure(const char* what, const char* source, int runs) {
  tarnic::CompileOutput out = tarnic::CompileText(source, ReadStdlib());
  if (!out.generated) {
    std::printf("%s: does not compile\n%s", what, out.err_text.c_str());
    return;
  }
  CScriptVM vm;
  if (vm.Load(out.code.data(), out.code.size()) != 0) return;
  LARGE_INTEGER f, a, b;
  QueryPerformanceFrequency(&f);
  QueryPerformanceCounter(&a);
  int end = 0;
  for (int i = 0; i < runs; ++i) end = vm.Run();
  QueryPerformanceCounter(&b);
  double us = double(b.QuadPart - a.QuadPart) * 1e6 / double(f.QuadPart) / runs;
  std::printf("%-28s %12.1f us per run (end code %d)\n", what, us, end);
}

}  // namespace

int main() {
  Measure("fib(20), recursive", "int r; int fib(int n) { if (n < 2) return n; return fib(n - 1) + fib(n - 2); }"
          " int main() { r = fib(20); return 0; }", 5);
  Measure("array loop, 100000 steps", "int a[100]; int main() { int i; for (i = 0; i < 100000; i++) a[i % 100] += i; return 0; }", 5);
  Measure("string functions x 1000", "char b[64]; int main() { int i; for (i = 0; i < 1000; i++) {"
          " strcpy(b, \"abc\"); strcat(b, \"def\"); sprintf(b, \"%d %s\", i, \"x\"); } return 0; }", 5);
  Measure("link firing (short script)", "int n; int main() { n = n + 1; return 0; }", 10000);
  return 0;
}
