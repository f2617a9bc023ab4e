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

namespace tarnic {
namespace {

std::string Repeat(const char* text, int n) {
  std::string out;
  for (int i = 0; i < n; ++i) out += text;
  return out;
}

// Globals and a function for the constructs to use; the construct is main's body.
std::string InMain(const std::string& body) {
  return "int a; int b[2]; int *p; int f(int x) { return x; }\nint main() { " + body + " return 0; }";
}

std::string Prefix(const char* op, int n) { return InMain("a = " + Repeat(op, n) + "a;"); }

}  // namespace

const std::vector<NestedSource>& NestedSources() {
  static const std::vector<NestedSource> sources = {
      // Recursion in the parser.
      {"parentheses", [](int n) { return InMain("a = " + Repeat("(", n) + "a" + Repeat(")", n) + ";"); },
       250},
      {"prefix ++", [](int n) { return Prefix("++ ", n); }, 1000},
      {"prefix --", [](int n) { return Prefix("-- ", n); }, 1000},
      {"unary -", [](int n) { return Prefix("- ", n); }, 600},
      {"unary +", [](int n) { return Prefix("+ ", n); }, 600},
      {"unary !", [](int n) { return Prefix("!", n); }, 600},
      {"unary ~", [](int n) { return Prefix("~", n); }, 600},
      {"unary *", [](int n) { return Prefix("*", n); }, 600},
      {"unary &", [](int n) { return Prefix("& ", n); }, 600},
      {"casts", [](int n) { return Prefix("(double)", n); }, 1000},
      {"pointer casts", [](int n) { return Prefix("(char *)", n); }, 1000},
      {"calls", [](int n) { return InMain("a = " + Repeat("f(", n) + "1" + Repeat(")", n) + ";"); }, 300},
      {"indexes", [](int n) { return InMain("a = " + Repeat("b[", n) + "0" + Repeat("]", n) + ";"); }, 250},
      {"assignments", [](int n) { return InMain(Repeat("a = ", n) + "1;"); }, 1000},
      {"conditional else parts", [](int n) { return InMain("a = " + Repeat("a ? 1 : ", n) + "2;"); }, 1000},
      {"conditional middle parts",
       [](int n) { return InMain("a = " + Repeat("a ? ", n) + "1" + Repeat(" : 2", n) + ";"); }, 400},
      {"blocks", [](int n) { return InMain(Repeat("{", n) + Repeat("}", n)); }, 1000},
      {"if", [](int n) { return InMain(Repeat("if (a) ", n) + "a = 1;"); }, 1000},
      {"else if", [](int n) { return InMain(Repeat("if (a) a = 1; else ", n) + "a = 2;"); }, 1000},
      {"while", [](int n) { return InMain(Repeat("while (a) ", n) + "a = 1;"); }, 1000},
      {"for", [](int n) { return InMain(Repeat("for (;; a++) ", n) + "a = 1;"); }, 1000},
      {"do", [](int n) { return InMain(Repeat("do ", n) + "a = 1;" + Repeat(" while (a);", n)); }, 1000},
      // Chains the parser reads in a loop, which nest in the tree.
      {"binary operators", [](int n) { return InMain("a = a" + Repeat(" + a", n) + ";"); }, 1900},
      {"postfix ++", [](int n) { return InMain("a" + Repeat("++", n) + ";"); }, 1900},
      {"index chain", [](int n) { return InMain("a = p" + Repeat("[0]", n) + ";"); }, 900},
      {"commas", [](int n) { return InMain("a" + Repeat(", a", n) + ";"); }, 1900},
  };
  return sources;
}

}  // namespace tarnic
