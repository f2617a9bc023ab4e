#include "scriptcolorizer.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "controls/richedit.h"
#include "rtfcolours.h"
#include "scriptrtf.h"
#include "scripttext.h"
#include "scripttips.h"

namespace {

// The token kinds that have a colour of their own, in the order of the
// formats (after the default).
const struct {
  int kind;
  COLORREF colour;
} kKindColours[] = {
    {STK_COMMENT, CScriptColorizer::kCommentColour},
    {STK_KEYWORD, CScriptColorizer::kKeywordColour},
    {STK_FUNCTION, CScriptColorizer::kFunctionColour},
};

// The index of a kind's format; 0 (the default) for the kinds left in it.
unsigned char FormatIndexOf(int kind) {
  for (size_t i = 0; i < sizeof kKindColours / sizeof *kKindColours; ++i)
    if (kKindColours[i].kind == kind) return static_cast<unsigned char>(i + 1);
  return 0;
}

CHARFORMAT2A ColourFormat(COLORREF colour) {
  CHARFORMAT2A format = {};
  format.cbSize = sizeof format;
  format.dwMask = CFM_COLOR;
  format.crTextColor = colour;
  return format;
}

CHARFORMAT2A FullDefaultFormat() {
  CHARFORMAT2A format = ColourFormat(RGB(0, 0, 0));
  format.dwMask = CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT | CFM_COLOR | CFM_SIZE |
                  CFM_FACE | CFM_CHARSET | CFM_OFFSET;
  format.yHeight = 210;  // 10.5 points in twips
  format.bCharSet = DEFAULT_CHARSET;
  format.bPitchAndFamily = FIXED_PITCH | FF_MODERN;
  std::strcpy(format.szFaceName, "Fixedsys");
  return format;
}

// Tab stops every 480 twips (a third of an inch), as many as a paragraph holds.
PARAFORMAT2 TabStopFormat() {
  constexpr LONG kTabStopTwips = 480;
  PARAFORMAT2 format = {};
  format.cbSize = sizeof format;
  format.dwMask = PFM_TABSTOPS;
  format.cTabCount = MAX_TAB_STOPS;
  for (int i = 0; i < MAX_TAB_STOPS; ++i) format.rgxTabs[i] = kTabStopTwips * (i + 1);
  return format;
}

}  // namespace

CScriptColorizer::CScriptColorizer() : m_formats{FullDefaultFormat()}, m_paragraph(TabStopFormat()) {
  for (const auto& kind : kKindColours) m_formats.push_back(ColourFormat(kind.colour));
  m_scanner.SetKeywords(kScriptKeywordText);
  std::vector<std::string> tips;
  ReadScriptTipsFile(ScriptTipsPath(), tips);
  m_scanner.SetFunctionNames(TipFunctionNames(tips));
}

std::vector<unsigned char> CScriptColorizer::FormatsOf(const char* text, size_t length) {
  std::vector<unsigned char> formats(static_cast<size_t>(ScriptCharCount(text, length)), 0);
  m_scanner.SetText(text, length);
  long start = 0, end = 0;
  for (int kind; (kind = m_scanner.NextToken(start, end)) != STK_END;) {
    const long stop = std::min(end, static_cast<long>(formats.size()));
    if (start < stop) std::fill(formats.begin() + start, formats.begin() + stop, FormatIndexOf(kind));
  }
  return formats;
}

std::vector<unsigned char> CScriptColorizer::FormatsIn(CRichEditCtrl& edit, const char* text, size_t length) const {
  const CString rtf = edit.StreamOutBytes(SF_RTF);
  const size_t chars = static_cast<size_t>(ScriptCharCount(text, length));
  std::vector<unsigned char> formats;
  for (const RtfColourRun& run : ReadRtfColours(rtf.GetString(), static_cast<size_t>(rtf.GetLength()))) {
    // The text's characters and the control's last paragraph mark.
    if (formats.size() + static_cast<size_t>(run.length) > chars + 1) return {};
    unsigned char format = kNoFormat;
    for (size_t i = 0; i < m_formats.size(); ++i)
      if (m_formats[i].crTextColor == run.colour) format = static_cast<unsigned char>(i);
    formats.insert(formats.end(), static_cast<size_t>(run.length), format);
  }
  if (formats.size() < chars) return {};
  formats.resize(chars);
  // The control writes no format for a tab: it seems to take the colour of
  // the text before it.
  size_t at = 0;
  for (unsigned char& format : formats) {
    if (text[at] == '\t') format = kAnyFormat;
    at += ScriptCharBytes(text, length, at);
  }
  return formats;
}

std::string CScriptColorizer::RtfOf(const char* text, size_t length, const std::vector<unsigned char>& formats,
                                    long first, long last, bool replacesAll) const {
  std::vector<COLORREF> colours;
  for (const CHARFORMAT2A& format : m_formats) colours.push_back(format.crTextColor);
  CScriptRtf rtf(text, length, first, m_formats[0], m_paragraph, colours);
  last = std::min(last, static_cast<long>(formats.size()));
  for (long run = first; run < last;) {
    long end = run + 1;
    while (end < last && formats[end] == formats[run]) ++end;
    rtf.Run(end, formats[run]);
    run = end;
  }
  return rtf.Finish(replacesAll);
}

void CScriptColorizer::PutText(CRichEditCtrl& edit, const char* text, size_t length) {
  const std::vector<unsigned char> formats = FormatsOf(text, length);
  const std::string rtf = RtfOf(text, length, formats, 0, static_cast<long>(formats.size()), true);
  edit.StreamInBytes(SF_RTF, rtf.data(), rtf.size());
  if (KeepTabStops(edit, text, length)) edit.SendMessage(EM_EMPTYUNDOBUFFER);  // the text as opened
}

void CScriptColorizer::ReplaceSel(CRichEditCtrl& edit, const char* text, size_t length) {
  long start = 0, end = 0;
  edit.GetSel(start, end);
  const long room = static_cast<long>(edit.SendMessage(EM_GETLIMITTEXT)) - edit.GetTextLength() + (end - start);
  length = ScriptWholeCharBytes(text, length, room > 0 ? room : 0);
  const CString old = edit.GetPlainText();
  const char* oldText = old.GetString();
  const size_t oldLength = static_cast<size_t>(old.GetLength());
  std::string whole(oldText, ScriptByteOfChar(oldText, oldLength, start));
  whole.append(text, length);
  const size_t rest = ScriptByteOfChar(oldText, oldLength, end);
  whole.append(oldText + rest, oldLength - rest);
  const std::vector<unsigned char> wanted = FormatsOf(whole.data(), whole.size());
  const long oldChars = ScriptCharCount(oldText, oldLength);
  const long shift = static_cast<long>(wanted.size()) - oldChars;  // of the characters after the selection
  long first = 0, last = oldChars;
  RangeToStream(FormatsIn(edit, oldText, oldLength), wanted, start, end, first, last);
  const std::string rtf = RtfOf(whole.data(), whole.size(), wanted, first, last + shift, false);
  edit.SetSel(first, last);
  edit.StreamInBytes(SF_RTF | SFF_SELECTION, rtf.data(), rtf.size());
  KeepTabStops(edit, whole.data(), whole.size());
  edit.SetSel(end + shift, end + shift);
  edit.SendMessage(EM_SCROLLCARET);
}

void CScriptColorizer::RangeToStream(const std::vector<unsigned char>& now, const std::vector<unsigned char>& wanted,
                                     long start, long end, long& first, long& last) {
  if (now.empty()) return;  // all of it
  const long chars = static_cast<long>(now.size());
  const long shift = static_cast<long>(wanted.size()) - chars;
  const auto differs = [&](long at, long wantedAt) { return now[at] != kAnyFormat && now[at] != wanted[wantedAt]; };
  first = start;
  for (long at = 0; at < first; ++at)
    if (differs(at, at)) first = at;
  last = end;
  for (long at = chars - 1; at >= last; --at)
    if (differs(at, at + shift)) last = at + 1;
  while (first > 0 && now[first - 1] == kAnyFormat) --first;
  while (last < chars && now[last] == kAnyFormat) ++last;
}

bool CScriptColorizer::KeepTabStops(CRichEditCtrl& edit, const char* text, size_t length) {
  // The rich text's paragraph marks carry the tab stops; a text that replaced
  // all and has none leaves its one paragraph in the control's default format.
  if (std::memchr(text, '\r', length) || std::memchr(text, '\n', length)) return false;
  edit.SetSel(0, 0);
  PARAFORMAT2 now = {};
  now.cbSize = sizeof now;
  edit.SendMessage(EM_GETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&now));
  if (now.cTabCount == m_paragraph.cTabCount &&
      std::memcmp(now.rgxTabs, m_paragraph.rgxTabs, sizeof now.rgxTabs[0] * now.cTabCount) == 0)
    return false;
  edit.SetSel(0, -1);
  edit.SetParaFormat(m_paragraph);
  return true;
}

void CScriptColorizer::ColourTokens(CRichEditCtrl& edit, const char* text, size_t length, long offset) {
  m_scanner.SetText(text, length);
  long start = 0, end = 0;
  for (int kind; (kind = m_scanner.NextToken(start, end)) != STK_END;) {
    const unsigned char format = FormatIndexOf(kind);
    if (!format || end <= start) continue;
    edit.SetSel(offset + start, offset + end);
    edit.SetSelectionCharFormat(m_formats[format]);
  }
}

void CScriptColorizer::ColorizeLine(CRichEditCtrl& edit, int line) {
  const long first = edit.LineIndex(line);
  if (first < 0) return;
  // The line's characters and its line end.
  edit.SetSel(first, first + edit.LineLength(line) + 1);
  edit.SetSelectionCharFormat(DefaultFormat());
  const CString text = edit.GetLine(line);
  ColourTokens(edit, text.GetString(), static_cast<size_t>(text.GetLength()), first);
}
