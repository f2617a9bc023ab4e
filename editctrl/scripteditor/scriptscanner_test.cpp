// The token scanner of the script editor: kinds and character positions.
#include "scriptscanner.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Token {
  int kind;
  long start, end;
  bool operator==(const Token& o) const { return kind == o.kind && start == o.start && end == o.end; }
};

std::ostream& operator<<(std::ostream& os, const Token& t) {
  return os << "{" << t.kind << ", " << t.start << ", " << t.end << "}";
}

std::vector<Token> Scan(const std::string& text,
                        std::vector<std::string> functions = {"abs", "dbr_GetDbVal"}) {
  CScriptScanner scanner;
  scanner.SetKeywords(kScriptKeywordText);
  scanner.SetFunctionNames(functions);
  scanner.SetText(text.data(), text.size());
  std::vector<Token> tokens;
  long start = -1, end = -1;
  for (int kind; (kind = scanner.NextToken(start, end)) != STK_END && tokens.size() < 1000;)
    tokens.push_back({kind, start, end});
  return tokens;
}

// Only the coloured tokens.
std::vector<Token> Coloured(const std::string& text) {
  std::vector<Token> coloured;
  for (const Token& t : Scan(text))
    if (t.kind != STK_PLAIN) coloured.push_back(t);
  return coloured;
}

TEST(ScriptScanner, KeywordListHasEveryWordOnce) {
  CScriptScanner scanner;
  scanner.SetKeywords(kScriptKeywordText);
  EXPECT_EQ(scanner.KeywordCount(), 45u);
  scanner.SetKeywords(",a,,b,");
  EXPECT_EQ(scanner.KeywordCount(), 2u);
  std::string many;
  for (int i = 0; i < 600; ++i) many += "k" + std::to_string(i) + ",";
  scanner.SetKeywords(many.c_str());
  EXPECT_EQ(scanner.KeywordCount(), CScriptScanner::kMaxKeywords);
}

TEST(ScriptScanner, WordsByKindCaseSensitive) {
  const std::vector<Token> expected = {
      {STK_KEYWORD, 0, 3},    // int
      {STK_PLAIN, 4, 5},      // x
      {STK_PLAIN, 6, 6},      // "=": no word
      {STK_FUNCTION, 8, 11},  // abs, ended by "(" which goes with it
      {STK_PLAIN, 12, 12},    // ")"
      {STK_PLAIN, 13, 13},    // ";"
      {STK_PLAIN, 15, 18},    // Int: not a keyword
      {STK_KEYWORD, 19, 26},  // #define
      {STK_KEYWORD, 27, 32},  // FALSE, ended by the text's end
  };
  EXPECT_EQ(Scan("int x = abs(); Int #define FALSE"), expected);
}

TEST(ScriptScanner, CommentsLineAndBlock) {
  const std::vector<Token> expected = {
      {STK_COMMENT, 0, 7},    // "// a b " up to the line end
      {STK_KEYWORD, 8, 11},   // int
      {STK_COMMENT, 12, 19},  // "/* c */"
      {STK_PLAIN, 19, 20},    // x
      {STK_COMMENT, 21, 27},  // "//tail" ending the text
  };
  EXPECT_EQ(Scan("// a b \r\nint /* c */x;//tail"), expected);
}

TEST(ScriptScanner, AWordStopsBeforeASlashThatMayOpenAComment) {
  EXPECT_EQ(Coloured("int//c"), (std::vector<Token>{{STK_KEYWORD, 0, 3}, {STK_COMMENT, 3, 6}}));
  // A lone slash is no comment.
  EXPECT_EQ(Scan("a/b"), (std::vector<Token>{{STK_PLAIN, 0, 1}, {STK_PLAIN, 1, 1}, {STK_PLAIN, 2, 3}}));
}

TEST(ScriptScanner, UnterminatedBlockCommentRunsToTheEnd) {
  EXPECT_EQ(Scan("/* open\r\nint"), (std::vector<Token>{{STK_COMMENT, 0, 11}}));
  EXPECT_EQ(Scan("/*/ int"), (std::vector<Token>{{STK_COMMENT, 0, 7}}));
}

TEST(ScriptScanner, PositionsCountCharactersNotBytes) {
  // A line end is one position, a GBK character one.
  EXPECT_EQ(Coloured("//注释\r\nint"), (std::vector<Token>{{STK_COMMENT, 0, 4}, {STK_KEYWORD, 5, 8}}));
  EXPECT_EQ(Coloured("中文 int 汉字/*x*/"), (std::vector<Token>{{STK_KEYWORD, 3, 6}, {STK_COMMENT, 9, 14}}));
  // Lone line feeds and carriage returns are one position each.
  EXPECT_EQ(Coloured("\n\rint"), (std::vector<Token>{{STK_KEYWORD, 2, 5}}));
}

TEST(ScriptScanner, AGbkTrailByteIsNeverALetter) {
  // "\x81\x69" is one GBK character whose trail byte is "i"; "\x81\x6E\x74" would
  // read "int" from byte 1 if trail bytes were letters.
  std::string text =
      "\x81"
      "int";
  EXPECT_EQ(Coloured(text), std::vector<Token>{});
  text = "\xB0\x69nt for";
  EXPECT_EQ(Coloured(text), (std::vector<Token>{{STK_KEYWORD, 4, 7}}));
  // A lead byte without a trail byte stands alone.
  text = "\x81";
  EXPECT_EQ(Scan(text), (std::vector<Token>{{STK_PLAIN, 0, 0}}));
}

TEST(ScriptScanner, EmptyAndBlankTextsEndAtOnce) {
  EXPECT_TRUE(Scan("").empty());
  EXPECT_TRUE(Scan(" \t\r\n ").empty());
}

}  // namespace
