// Broken sources of every kind end with a status and messages, never a crash or a hang.
#include <gtest/gtest.h>

#include <random>

#include "test_support.h"

namespace tarnic {
namespace {

const char* const kPieces[] = {
    "int",  "char",    "unsigned", "double", "void",  "*",        "**",     "x",      "y",
    "main", "f",       "(",        ")",      "{",     "}",        "[",      "]",      ";",
    ",",    "=",       "+=",       "<<=",    "+",     "-",        "*",      "/",      "%",
    "<<",   "<",       "==",       "&&",     "||",    "!",        "~",      "&",      "?",
    ":",    "++",      "--",       "1",      "0x1F",  "2.5",      "'a'",    "\"s\"",  "if",
    "else", "while",   "do",       "for",    "break", "continue", "return", "sizeof", "#define D 1\n",
    "\n",   "/* c */", "// c\n",   "printf", "TRUE",  "NULL",     "'",      "\"",
};

TEST(Robustness, RandomTokenSoupEndsWithAStatus) {
  std::mt19937 rng(1234);
  std::uniform_int_distribution<size_t> piece(0, std::size(kPieces) - 1);
  std::uniform_int_distribution<int> length(1, 60);
  for (int round = 0; round < 400; ++round) {
    std::string source;
    int n = length(rng);
    for (int i = 0; i < n; ++i) {
      source += kPieces[piece(rng)];
      source += ' ';
    }
    CompileOutput out = Compile(source);
    if (out.status == 0) {
      EXPECT_TRUE(out.generated) << source;
    } else {
      EXPECT_FALSE(out.generated) << source;
      EXPECT_FALSE(out.err_text.empty() && out.out_text.empty()) << "silent failure: " << source;
    }
  }
}

TEST(Robustness, MutatedProgramsEndWithAStatus) {
  const std::string program =
      "int g = 3; double d[4] = {1, 2, 3};\n"
      "int f(int a, char *s) { int i; for (i = 0; i < a; i++) { if (s[i] == 'x') break; } return i; }\n"
      "int main() { char b[8] = \"ab\"; int k; k = f(g, b) + (g ? 1 : 2); while (k > 0) k--;\n"
      "  do { k += d[1] > 2.0; } while (k < 3); sprintf(b, \"%d\", k); return k; }\n";
  ASSERT_EQ(Compile(program).status, 0) << Compile(program).err_text;
  std::mt19937 rng(99);
  std::uniform_int_distribution<size_t> at(0, program.size() - 1);
  std::uniform_int_distribution<size_t> piece(0, std::size(kPieces) - 1);
  for (int round = 0; round < 300; ++round) {
    std::string source = program;
    size_t pos = at(rng);
    if (round % 2)
      source.erase(pos, 1 + round % 5);
    else
      source.insert(pos, kPieces[piece(rng)]);
    CompileOutput out = Compile(source);
    EXPECT_EQ(out.generated, out.status == 0) << source;
    if (out.status != 0) {
      EXPECT_FALSE(out.err_text.empty() && out.out_text.empty()) << "silent failure: " << source;
    }
  }
}

}  // namespace
}  // namespace tarnic
