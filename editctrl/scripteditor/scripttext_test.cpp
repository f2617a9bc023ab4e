// Character positions over bytes, what Enter inserts after a line, and the
// word before the caret.
#include "scripttext.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

TEST(ScriptText, PositionsCountGbkCharactersAndLineEndsAsOne) {
  struct Case {
    const char* text;
    long chars;
    long position;
    size_t byte;  // of the position
  } cases[] = {
      {"ab", 2, 1, 1},
      {"汉字x", 3, 2, 4},
      {"a\r\nb", 3, 2, 3},
      {"a\rb\nc", 5, 4, 4},
      {"\x81"
       "a\x81",
       2, 1, 2},        // "\x81a" is one character; a lead byte at the end is one
      {"ab", 2, 9, 2},  // past the end: the length
      {"", 0, 0, 0},
  };
  for (const Case& c : cases) {
    const size_t length = std::strlen(c.text);
    EXPECT_EQ(ScriptCharCount(c.text, length), c.chars) << c.text;
    EXPECT_EQ(ScriptByteOfChar(c.text, length, c.position), c.byte) << c.text;
  }
}

TEST(ScriptText, WholeCharactersLeaveOutALeadByteWithoutItsTrailByte) {
  struct Case {
    const char* text;
    long chars;
    size_t bytes;
  } cases[] = {
      {"汉字", 2, 4},   {"汉字", 1, 2},
      {"ab\x81", 3, 2},                   // the lead byte at the end would join what follows
      {"ab\x81", 2, 2}, {"a\x80", 2, 2},  // 0x80 is no lead byte
      {"a\r\n", 2, 3},  {"abc", 0, 0},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ScriptWholeCharBytes(c.text, std::strlen(c.text), c.chars), c.bytes)
        << c.text << " " << c.chars;
}

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
  for (const Case& c : cases) EXPECT_EQ(IndentedLineBreak(c.line, std::strlen(c.line)), c.inserted) << c.line;
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
      {"汉字db", 4, "db", 2},  // columns count characters
      {"\x81"
       "db",
       2, "b", 1},            // "\x81d" is one character: its "d" is no letter
      {"a_1", 99, "a_1", 0},  // a column past the end stops there
      {"", 0, "", 0},
  };
  for (const Case& c : cases) {
    long wordColumn = -1;
    EXPECT_EQ(WordBeforeColumn(c.line, std::strlen(c.line), c.column, &wordColumn), c.word) << c.line;
    EXPECT_EQ(wordColumn, c.wordColumn) << c.line;
  }
}

TEST(ScriptText, AnEditIsFoundByTheTextsBeforeAndAfterInCharacters) {
  struct Case {
    const char* before;
    const char* after;
    ScriptEditRange edit;
  } cases[] = {
      {"abc", "abc", {3, 3, 3}},
      {"", "x", {0, 0, 1}},
      {"abc", "abXc", {1, 2, 3}},  // one character wide on the left
      {"abc", "ac", {0, 2, 1}},
      {"abc", "xyz", {0, 3, 3}},
      {"汉字", "汉x字", {0, 1, 2}},         // GBK characters count as one
      {"a\r\nb", "a\r\n\r\nb", {1, 2, 3}},  // so do line ends
      {"a\r", "a\r\n", {1, 2, 2}},          // a carriage return that became a line end
      {"x\x81"
       ",",
       "x\x81"
       "A,",
       {1, 2, 2}},                    // a lead byte that found its trail byte
      {"aaaa", "aaaaaa", {3, 4, 6}},  // where a repeat is, is not known: at the end
  };
  for (const Case& c : cases) {
    const ScriptEditRange got =
        ScriptEditedRange(c.before, std::strlen(c.before), c.after, std::strlen(c.after));
    EXPECT_EQ(got.first, c.edit.first) << c.before << " -> " << c.after;
    EXPECT_EQ(got.oldEnd, c.edit.oldEnd) << c.before << " -> " << c.after;
    EXPECT_EQ(got.newEnd, c.edit.newEnd) << c.before << " -> " << c.after;
  }
}

}  // namespace
