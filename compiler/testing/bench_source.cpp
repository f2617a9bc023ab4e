#include "bench_source.h"

#include "crtformat.h"

namespace tarnic {

std::string BenchmarkSource(int lines_wanted, int* lines_made) {
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

}  // namespace tarnic
