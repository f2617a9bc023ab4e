// What Enter inserts after a line, and the word before the caret.
#include "scripttext.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

TEST(ScriptText, EnterIndentsByTheLeadingTabsAndBraces) {
  struct Case {
    const char* line;
    const char* inserted;
  } cases[] = {
      {"\t\tx", "\r\n\t\t"},
      {"{", "\r\n\t"},
      {"\t{\r", "\r\n\t\t"},
      {"x\t{", ""},  // only leading ones count
      {"", ""},
      {" \tx", ""},  // a blank stops the count
  };
  for (const Case& c : cases)
    EXPECT_EQ(IndentedLineBreak(c.line, std::strlen(c.line)), c.inserted) << c.line;
}

TEST(ScriptText, EnterLooksAtTheLineStartOnly) {
  const std::string tabs(5000, '\t');
  EXPECT_EQ(IndentedLineBreak(tabs.data(), tabs.size()).GetLength(), 2 + int(kIndentLineBytes));
}

TEST(ScriptText, WordBeforeTheCaretColumn) {
  struct Case {
    const char* line;
    long column;
    const char* word;
    long wordColumn;
  } cases[] = {
      {"\tdb", 3, "db", 1},
      {"x = abs", 7, "abs", 4},
      {"x = abs", 6, "ab", 4},
      {"ab(", 3, "", 3},
      {"#def", 4, "#def", 0},
      {"汉字db", 4, "db", 2},        // columns count characters
      {"\x81" "db", 2, "b", 1},       // "\x81d" is one character: its "d" is no letter
      {"a_1", 99, "a_1", 0},          // a column past the end stops there
      {"", 0, "", 0},
  };
  for (const Case& c : cases) {
    long wordColumn = -1;
    EXPECT_EQ(WordBeforeColumn(c.line, std::strlen(c.line), c.column, &wordColumn), c.word) << c.line;
    EXPECT_EQ(wordColumn, c.wordColumn) << c.line;
  }
}

}  // namespace
