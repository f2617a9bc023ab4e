#include "test_support.h"

#include "code_dump.h"

namespace tarnic {

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find("\r\n", start);
    if (end == std::string::npos) end = text.size();
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

std::vector<std::string> Dump(const CompileOutput& out) { return DumpInstructions(out.instructions); }

std::vector<std::string> DumpFrom(const CompileOutput& out, size_t first) {
  std::vector<std::string> all = Dump(out);
  if (first >= all.size()) return {};
  return std::vector<std::string>(all.begin() + first, all.end());
}

}  // namespace tarnic

#include <gtest/gtest.h>

namespace tarnic {

void ExpectDiagnostics(const DiagnosticCase& c) {
  CompileOutput en = Compile(c.source, false);
  EXPECT_EQ(en.status, c.status) << c.source << "\n" << en.err_text;
  EXPECT_EQ(Lines(en.err_text), c.english) << c.source;
  CompileOutput ch = Compile(c.source, true);
  EXPECT_EQ(ch.status, c.status) << c.source;
  EXPECT_EQ(Lines(ch.err_text), c.chinese) << c.source;
  // A file comes only from a compilation without errors.
  EXPECT_EQ(en.generated, c.status == 0) << c.source;
}

}  // namespace tarnic
