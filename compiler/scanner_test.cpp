// Tokens, their values, and the current line.
#include <gtest/gtest.h>

#include <cstring>

#include "reporter.h"
#include "scanner.h"
#include "test_support.h"

namespace tarnic {
namespace {

std::vector<Token> Scan(const std::string& text, Reporter& reporter) {
  Scanner scanner(text, reporter);
  std::vector<Token> tokens;
  for (Token t = scanner.yylex(); t.code != TK_END; t = scanner.yylex()) tokens.push_back(t);
  return tokens;
}

std::vector<int> Codes(const std::string& text) {
  Reporter reporter;
  std::vector<int> codes;
  for (const Token& t : Scan(text, reporter)) codes.push_back(t.code);
  return codes;
}

TEST(Scanner, TokenCodes) {
  struct Case {
    const char* text;
    std::vector<int> codes;
  };
  const Case cases[] = {
      {"int64x int64", {TK_IDENTIFIER, TK_INT64}},
      {"x>>=2", {TK_IDENTIFIER, TK_SHR_ASSIGN, TK_INTEGER}},
      {"a<<=b<<c<=d",
       {TK_IDENTIFIER, TK_SHL_ASSIGN, TK_IDENTIFIER, TK_SHL, TK_IDENTIFIER, TK_LE, TK_IDENTIFIER}},
      {"++ -- == != && || *= /= %= += -= &= ^= |=",
       {TK_INC, TK_DEC, TK_EQ, TK_NE, TK_AND, TK_OR, TK_MUL_ASSIGN, TK_DIV_ASSIGN, TK_MOD_ASSIGN,
        TK_ADD_ASSIGN, TK_SUB_ASSIGN, TK_AND_ASSIGN, TK_XOR_ASSIGN, TK_OR_ASSIGN}},
      {"char unsigned short int long bool int64 float double void",
       {TK_CHAR, TK_UNSIGNED, TK_SHORT, TK_INT, TK_INT, TK_INT, TK_INT64, TK_FLOAT, TK_DOUBLE, TK_VOID}},
      {"TRUE true FALSE false NULL null True Int INT",
       {TK_TRUE, TK_TRUE, TK_FALSE, TK_FALSE, TK_NULL, TK_NULL, TK_IDENTIFIER, TK_IDENTIFIER, TK_IDENTIFIER}},
      {"if else while do for continue break return sizeof switch",
       {TK_IF, TK_ELSE, TK_WHILE, TK_DO, TK_FOR, TK_CONTINUE, TK_BREAK, TK_RETURN, TK_SIZEOF, TK_IDENTIFIER}},
      {";{},:=()[]&!~-+*/%<>^|?", {';', '{', '}', ',', ':', '=', '(', ')', '[', ']', '&', '!',
                                   '~', '-', '+', '*', '/', '%', '<', '>', '^', '|', '?'}},
      {"0x 0x1F 5.", {TK_INTEGER, TK_IDENTIFIER, TK_HEX, TK_INTEGER}},
      {"1e5 .5 1.5E+3 2e-1", {TK_REAL, TK_REAL, TK_REAL, TK_REAL}},
      {"a @ # $ \\ ` \xB0\xA1 b", {TK_IDENTIFIER, TK_IDENTIFIER}},
      {"// x\n/* y */ z", {TK_IDENTIFIER}},
  };
  for (const Case& c : cases) EXPECT_EQ(Codes(c.text), c.codes) << c.text;
}

TEST(Scanner, Values) {
  Reporter reporter;
  std::vector<Token> t = Scan("0123 4294967297 0xFFFFFFFF 1.5E+3 .5 TRUE FALSE NULL", reporter);
  ASSERT_EQ(t.size(), 8u);
  EXPECT_EQ(t[0].int_value, 123);
  EXPECT_EQ(t[1].int_value, 1);  // wraps to 32 bits
  EXPECT_EQ(t[2].hex_value, 0xFFFFFFFFu);
  EXPECT_EQ(t[3].real_value, 1500.0);
  EXPECT_EQ(t[4].real_value, 0.5);
  EXPECT_EQ(t[5].int_value, 1);
  EXPECT_EQ(t[6].int_value, 0);
  EXPECT_EQ(t[7].int_value, 0);
}

TEST(Scanner, CharacterConstants) {
  struct Case {
    const char* text;
    int value;
    bool error;
  };
  const Case cases[] = {
      {"'a'", 97, false},    {"'\\n'", 10, false}, {"'\\r'", 13, false},  {"'\\t'", 9, false},
      {"'\\\\'", 92, false}, {"'\\''", 39, false}, {"'''", 39, false},    {"''", 0, false},
      {"'\\0'", 0, false},   {"'ab'", 97, true},   {"'\\x'", 'x', false}, {"'\\xy'", 'x', true},
  };
  for (const Case& c : cases) {
    Reporter reporter;
    std::vector<Token> t = Scan(c.text, reporter);
    ASSERT_EQ(t.size(), 1u) << c.text;
    EXPECT_EQ(t[0].code, TK_INTEGER) << c.text;
    EXPECT_EQ(t[0].int_value, c.value) << c.text;
    EXPECT_EQ(reporter.errors(), c.error ? 1 : 0) << c.text;
  }
}

TEST(Scanner, StringEscapes) {
  Reporter reporter;
  std::vector<Token> t = Scan("\"a\\qb\" \"\\n\\t\\r\\\"\\\\\\'\"", reporter);
  ASSERT_EQ(t.size(), 2u);
  EXPECT_EQ(t[0].text, "a\\qb");
  EXPECT_EQ(t[1].text, std::string("\n\t\r\"\\'"));
}

TEST(Scanner, LinesAreCountedEverywhere) {
  Reporter reporter;
  std::vector<Token> t = Scan("a /* 1\n2\n3 */ b \"x\ny\" c '\n' d\r\n e", reporter);
  ASSERT_EQ(t.size(), 7u);
  EXPECT_EQ(t[0].line, 1);
  EXPECT_EQ(t[1].line, 3);
  EXPECT_EQ(t[2].line, 3);  // the string starts on line 3
  EXPECT_EQ(t[3].line, 4);
  EXPECT_EQ(t[5].line, 5);
  EXPECT_EQ(t[6].line, 6);
}

TEST(Scanner, LongSourceIsScannedInFull) {
  std::string body;
  for (int i = 0; i < 3000; ++i) body += "  x = x + 1;\n";
  ASSERT_GT(body.size(), 32768u);
  CompileOutput out = Compile("int x; int main() {\n" + body + "return x; }");
  ASSERT_EQ(out.status, 0) << out.err_text;
  EXPECT_EQ(out.instructions.size(), 3000u * 4 + 2);
}

}  // namespace
}  // namespace tarnic
