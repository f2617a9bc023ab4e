// Compiles a generated 20,000-line script and prints the speed and the file size.
#include <cstdio>
#include <string>

#include "benchclock.h"
#include "compile.h"
#include "crtformat.h"
#include "delivered_stdlib.h"

namespace {

// Functions of 20 lines each: locals, a loop, a condition, calls and arithmetic.
std::string GenerateScript(int lines_wanted, int* lines_made) {
  std::string s = "#define LIMIT 10\r\nint total;\r\ndouble scale = 1.5;\r\nchar text[64];\r\n";
  int lines = 4;
  int n = 0;
  while (lines + 22 < lines_wanted) {
    s += qel::FormatStr("int f%d(int a, int b)\r\n{\r\n", n);
    s += "  int i, k = 0;\r\n  double d = scale * a;\r\n  int v[8];\r\n";
    s += "  for (i = 0; i < LIMIT; i++)\r\n  {\r\n";
    s += "    v[i & 7] = (a + i) * (b - i) / (i + 1) % 97;\r\n";
    s += "    if (v[i & 7] > 50 && b != 0 || a < 3)\r\n      k += v[i & 7] << 1;\r\n";
    s += "    else\r\n      k -= (a ^ b) | (i & 3);\r\n  }\r\n";
    s += "  while (k > 1000) { k = k / 2; if (k == 7) break; }\r\n";
    s += "  d = d + sqrt(d * d + 1.0) - abs(k);\r\n";
    s += n > 0 ? qel::FormatStr("  k = k + f%d(k, a) %% 13;\r\n", n - 1) : std::string("  k = k + 1;\r\n");
    s += "  sprintf(text, \"%d %f\", k, d);\r\n";
    s += "  total += k > 0 ? k : -k;\r\n  return k + strlen(text);\r\n}\r\n";
    lines += 22;
    ++n;
  }
  s += qel::FormatStr("int main()\r\n{\r\n  return f%d(1, 2);\r\n}\r\n", n - 1);
  *lines_made = lines + 4;
  return s;
}

}  // namespace

int main() {
  int lines = 0;
  std::string source = GenerateScript(20000, &lines);
  const std::string& stdlib = tarnic::DeliveredStdlib();
  const int runs = 5;
  tarnic::CompileOutput out;
  const bench::Stopwatch watch;
  for (int i = 0; i < runs; ++i) out = tarnic::CompileText(source, stdlib);
  double seconds = watch.ElapsedSeconds() / runs;
  std::string report = qel::FormatStr(
      "compile_bench: %d lines, status %d, %d instructions, code-byte file %d bytes\n"
      "compile_bench: %.3f ms per compile, %.0f lines per second\n",
      lines, out.status, static_cast<int>(out.instructions.size()), static_cast<int>(out.code.size()),
      seconds * 1000.0, lines / seconds);
  std::fputs(report.c_str(), stdout);
  if (!out.err_text.empty()) std::fputs(out.err_text.substr(0, 400).c_str(), stdout);
  return out.status;
}
