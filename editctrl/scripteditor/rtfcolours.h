// The colours of a rich edit control's text, read back from the RTF that the
// control writes of it: how many character positions in a row have which
// colour. The editor compares them with the colours its text should have, so
// that it restreams only what differs.
//
// Text is counted as the control counts it: a GBK character (two bytes, as
// \'hh or as they are) is one position, so are a paragraph mark, a tab, a
// line break and a \u character; destinations other than the colour table
// (fonts, styles, \* groups, pictures) hold no text. Groups keep the colour
// they started with.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

struct RtfColourRun {
  long length;      // character positions
  COLORREF colour;  // kRtfAutoColour: the automatic colour

  bool operator==(const RtfColourRun& other) const {
    return length == other.length && colour == other.colour;
  }
};

constexpr COLORREF kRtfAutoColour = 0xFFFFFFFF;

// The runs of an RTF document; nesting deeper than kMaxRtfGroups ends the
// reading there.
std::vector<RtfColourRun> ReadRtfColours(const char* rtf, size_t length);
constexpr size_t kMaxRtfGroups = 64;
