// Reading the colours of a text back from RTF: runs of character positions.
#include "rtfcolours.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<RtfColourRun> Read(const std::string& rtf) { return ReadRtfColours(rtf.data(), rtf.size()); }

constexpr COLORREF kAuto = kRtfAutoColour;
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
const std::string kTable = "{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}";

TEST(RtfColours, RunsCountCharactersAsTheControlDoes) {
  struct Case {
    std::string rtf;
    std::vector<RtfColourRun> runs;
  } cases[] = {
      {"{\\rtf1" + kTable + "\\cf1 abc\\cf2 de\\par}", {{3, kRed}, {3, kBlue}}},
      // A GBK character is one position, as \'hh or as its bytes (a trail
      // byte may be a letter); so are a tab, a paragraph mark and a line break.
      {"{\\rtf1" + kTable + "\\cf1 \\'d6\\'d0\\'81a\\tab\\par\\line x}", {{6, kRed}}},
      // Escaped characters are text; line ends and NULs in the RTF are not.
      {"{\\rtf1 a\\\\b\\{\\}\r\n\\par}", {{6, kAuto}}},
      // \u is one character, and \uc bytes after it stand in for it.
      {"{\\rtf1\\uc1 a\\u8364?b\\uc2\\u8364\\'80\\'80c}", {{5, kAuto}}},
      // A group keeps the colour it started with.
      {"{\\rtf1" + kTable + "\\cf1 a{\\cf2 b}c}", {{1, kRed}, {1, kBlue}, {1, kRed}}},
      // Colour 0 and colours past the table are the automatic colour.
      {"{\\rtf1" + kTable + "\\cf0 a\\cf9 b\\cf1 c\\plain d}", {{2, kAuto}, {1, kRed}, {1, kAuto}}},
      // Fonts, generator and other \* groups hold no text.
      {"{\\rtf1{\\fonttbl{\\f0\\fmodern Fixedsys;}}{\\*\\generator Wine;}" + kTable + "\\cf2 x}",
       {{1, kBlue}}},
      // The document ends with its group.
      {"{\\rtf1 ab}cd}", {{2, kAuto}}},
      {"", {}},
  };
  for (const Case& c : cases) EXPECT_EQ(Read(c.rtf), c.runs) << c.rtf;
}

TEST(RtfColours, AColourTableEntryWithoutComponentsIsAutomatic) {
  EXPECT_EQ(Read("{\\rtf1{\\colortbl;;\\red1\\green2\\blue3;}\\cf1 a\\cf2 b}"),
            (std::vector<RtfColourRun>{{1, kAuto}, {1, RGB(1, 2, 3)}}));
}

TEST(RtfColours, DeepNestingEndsTheReading) {
  const std::string deep = "{\\rtf1 a" + std::string(kMaxRtfGroups + 10, '{') + "b";
  EXPECT_EQ(Read(deep), (std::vector<RtfColourRun>{{1, kAuto}}));
}

TEST(RtfColours, ABrokenEscapeIsSkippedAndTheTextAfterItCounts) {
  // A hex escape without its digits, a lone backslash at the end.
  EXPECT_EQ(Read("{\\rtf1 a\\'z b\\"), (std::vector<RtfColourRun>{{4, kAuto}}));
}

}  // namespace
