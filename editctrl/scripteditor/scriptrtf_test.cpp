// A script written as RTF: its bytes escaped, its runs in their colours, and
// read back by the colour reader.
#include "scriptrtf.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "rtfcolours.h"

namespace {

const std::vector<COLORREF> kColours = {RGB(0, 0, 0), RGB(0, 0xAA, 0), RGB(0, 0, 0xFF)};

CHARFORMAT2A Font() {
  CHARFORMAT2A font = {};
  font.cbSize = sizeof font;
  font.yHeight = 210;
  font.bCharSet = DEFAULT_CHARSET;
  font.bPitchAndFamily = FIXED_PITCH | FF_MODERN;
  std::strcpy(font.szFaceName, "Fixedsys");
  return font;
}

PARAFORMAT2 Tabs() {
  PARAFORMAT2 tabs = {};
  tabs.cbSize = sizeof tabs;
  tabs.dwMask = PFM_TABSTOPS;
  tabs.cTabCount = 2;
  tabs.rgxTabs[0] = 480;
  tabs.rgxTabs[1] = 960;
  return tabs;
}

// The whole text in colour 0.
std::string Plain(const std::string& text, bool replacesAll = false) {
  CScriptRtf rtf(text.data(), text.size(), 0, Font(), Tabs(), kColours);
  rtf.Run(1 << 30, 0);
  return rtf.Finish(replacesAll);
}

bool EndsWith(const std::string& s, const std::string& end) {
  return s.size() >= end.size() && s.compare(s.size() - end.size(), end.size(), end) == 0;
}

TEST(ScriptRtf, TextKeepsItsBytes) {
  struct Case {
    const char* text;
    const char* body;
  } cases[] = {
      {"a\\b{c}", "a\\\\b\\{c\\}"},
      {"汉字", "\\'ba\\'ba\\'d7\\'d6"},
      {"\x81\\\x81{\x81}", "\\'81\\\\\\'81\\{\\'81\\}"},  // GBK trail bytes "\", "{" and "}"
      {"\tx", "\\tab x"},
      {"a\r\nb\rc\nd", "a\\par\r\nb\\par\r\nc\\par\r\nd"},
      {"\x01", "\\'01"},
  };
  for (const Case& c : cases) EXPECT_PRED2(EndsWith, Plain(c.text), std::string("\\cf1 ") + c.body + "}") << c.text;
  EXPECT_PRED2(EndsWith, Plain(""), "\r\n}");  // nothing written, not even a colour
}

TEST(ScriptRtf, ADocumentReplacingAllEndsInOneMoreParagraphMarkInTheFirstColour) {
  EXPECT_PRED2(EndsWith, Plain("x\r\n", true), "\\cf1 x\\par\r\n\\par}");
  CScriptRtf rtf("ab", 2, 0, Font(), Tabs(), kColours);
  rtf.Run(2, 2);
  EXPECT_PRED2(EndsWith, rtf.Finish(true), "\\cf3 ab\\cf1 \\par}");
}

TEST(ScriptRtf, TheHeadGivesTheCodePageFontTabStopsAndColours) {
  const std::string rtf = Plain("x");
  for (const char* part : {"\\ansicpg936", "{\\f0\\fmodern\\fprq1\\fcharset1 Fixedsys;}",
                           "{\\colortbl ;\\red0\\green0\\blue0;\\red0\\green170\\blue0;\\red0\\green0\\blue255;}",
                           "\\tx480\\tx960\\f0\\fs21\\b0\\i0\\ulnone\\strike0\\up0"})
    EXPECT_NE(rtf.find(part), std::string::npos) << part;
}

TEST(ScriptRtf, RunsStartAtTheFirstCharacterAndReadBackInTheirColours) {
  const std::string text = "//汉字\r\n\tint x;";
  // "//汉字" green, the line end and the tab black, "int" blue, " x;" black;
  // the document starts at the second character.
  CScriptRtf rtf(text.data(), text.size(), 1, Font(), Tabs(), kColours);
  rtf.Run(4, 1);
  rtf.Run(6, 0);
  rtf.Run(9, 2);
  rtf.Run(12, 0);
  const std::string written = rtf.Finish(false);
  EXPECT_EQ(ReadRtfColours(written.data(), written.size()),
            (std::vector<RtfColourRun>{{3, kColours[1]}, {2, kColours[0]}, {3, kColours[2]}, {3, kColours[0]}}));
}

}  // namespace
