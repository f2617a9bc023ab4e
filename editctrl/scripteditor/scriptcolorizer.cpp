#include "scriptcolorizer.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include <richole.h>
#include <tom.h>

#include "controls/richedit.h"
#include "rtfcolours.h"
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

// Whether the control gives this plain text back byte for byte: it reads
// each line end back as "\r\n", however the line ended ("\r" or "\n" alone,
// "\r\r\n"), so every one must be "\r\n"; no control character but a tab
// may be in it, and the code page must know every character.
bool ReadsBackAsItIs(const char* text, size_t length) {
  for (size_t at = 0; at < length; ++at) {
    const unsigned char c = static_cast<unsigned char>(text[at]);
    const bool lineEnd = (c == '\r' && at + 1 < length && text[at + 1] == '\n') ||
                         (c == '\n' && at > 0 && text[at - 1] == '\r');
    if (c < 0x20 && c != '\t' && !lineEnd) return false;
  }
  return length == 0 ||
         ::MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, text, static_cast<int>(length), nullptr, 0) > 0;
}

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
  format.dwMask = CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT | CFM_COLOR | CFM_SIZE | CFM_FACE |
                  CFM_CHARSET | CFM_OFFSET;
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

namespace {

// The selection, the scroll position and the notices of a control, put back
// as they were when colouring is done.
class CKeptView {
 public:
  explicit CKeptView(CRichEditCtrl& edit) : m_edit(edit), m_notices(edit.SetEventMask(0)) {
    edit.GetSel(m_start, m_end);
    edit.SendMessage(EM_GETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&m_scroll));
  }
  ~CKeptView() {
    m_edit.SetSel(m_start, m_end);
    m_edit.SendMessage(EM_SETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&m_scroll));
    m_edit.SetEventMask(m_notices);
  }
  CKeptView(const CKeptView&) = delete;
  CKeptView& operator=(const CKeptView&) = delete;

 private:
  CRichEditCtrl& m_edit;
  DWORD m_notices;
  long m_start = 0, m_end = 0;
  POINT m_scroll = {0, 0};
};

// The control's undo left out while it lives: colours follow the text, they
// are no step of their own.
class CUndoSuspended {
 public:
  explicit CUndoSuspended(CRichEditCtrl& edit) {
    // ITextDocument, of the control's text object model.
    static const GUID kTextDocument = {
        0x8CC497C0, 0xA1DF, 0x11CE, {0x80, 0x98, 0x00, 0xAA, 0x00, 0x47, 0xBE, 0x5D}};
    IRichEditOle* ole = nullptr;
    edit.SendMessage(EM_GETOLEINTERFACE, 0, reinterpret_cast<LPARAM>(&ole));
    if (!ole) return;
    ole->QueryInterface(kTextDocument, reinterpret_cast<void**>(&m_document));
    ole->Release();
    if (m_document) m_document->Undo(tomSuspend, nullptr);
  }
  ~CUndoSuspended() {
    if (!m_document) return;
    m_document->Undo(tomResume, nullptr);
    m_document->Release();
  }
  CUndoSuspended(const CUndoSuspended&) = delete;
  CUndoSuspended& operator=(const CUndoSuspended&) = delete;

 private:
  ITextDocument* m_document = nullptr;
};

// While it lives, a character after the end of the text, outside the undo
// (when the control's limit lets it in): a paste over all of the text
// leaves it behind, and the control keeps the format of the paragraph.
class CEndPlaceholder {
 public:
  explicit CEndPlaceholder(CRichEditCtrl& edit) : m_edit(edit) {
    long start = 0, end = 0;
    edit.GetSel(start, end);
    const long chars = edit.GetTextLength();
    {
      CUndoSuspended undo(edit);
      edit.SetSel(chars, chars);
      edit.ReplaceSel(" ", TRUE);
    }
    m_placed = edit.GetTextLength() > chars;
    edit.SetSel(start, end);
  }
  ~CEndPlaceholder() {
    if (!m_placed) return;
    long start = 0, end = 0;
    m_edit.GetSel(start, end);
    const long chars = m_edit.GetTextLength();
    {
      CUndoSuspended undo(m_edit);
      m_edit.SetSel(chars - 1, chars);
      m_edit.ReplaceSel("", TRUE);
    }
    m_edit.SetSel(start, end);
  }
  CEndPlaceholder(const CEndPlaceholder&) = delete;
  CEndPlaceholder& operator=(const CEndPlaceholder&) = delete;

 private:
  CRichEditCtrl& m_edit;
  bool m_placed = false;
};

}  // namespace

void CScriptColorizer::PutText(CRichEditCtrl& edit, const char* text, size_t length) {
  if (edit.GetTextLength() > 0) edit.SetPlainText(CString());
  // The one empty paragraph takes the tab stops; those the text brings split
  // from it and keep them.
  edit.SetSel(0, -1);
  edit.SetParaFormat(m_paragraph);
  // The lines a screen shows go in first and are coloured while the text is
  // short, when a format call costs the control little; the rest follows.
  const size_t head = HeadBytes(text, length);
  edit.StreamInBytes(SF_TEXT | SFF_SELECTION, text, head);
  edit.SetSel(0, 0);
  Recolour(edit);
  if (head < length) {
    const long headChars = static_cast<long>(m_wanted.size());
    edit.SetSel(headChars, headChars);
    edit.StreamInBytes(SF_TEXT | SFF_SELECTION, text + head, length - head);
    edit.SetSel(0, 0);
    // Reading a long text back costs several times what scanning it does.
    if (ReadsBackAsItIs(text, length))
      TakeText(text, length);
    else
      TakeText(edit);
    m_pending.Add(headChars, static_cast<long>(m_wanted.size()));
  }
  edit.SendMessage(EM_EMPTYUNDOBUFFER);  // the text as opened
  edit.SendMessage(EM_SCROLLCARET);
}

size_t CScriptColorizer::HeadBytes(const char* text, size_t length) {
  size_t at = 0;
  for (int lines = 0; at < length && lines < kHeadLines; ++at)
    if (text[at] == '\n') ++lines;
  return at;
}

void CScriptColorizer::ReplaceSel(CRichEditCtrl& edit, const char* text, size_t length) {
  long start = 0, end = 0;
  edit.GetSel(start, end);
  const long chars = edit.GetTextLength();
  const long limit = static_cast<long>(edit.SendMessage(EM_GETLIMITTEXT));
  const long room = limit - chars + (end - start);
  length = ScriptWholeCharBytes(text, length, room > 0 ? room : 0);
  // The pasted paragraphs take the format of the one they go into: giving
  // them the tab stops afterwards lays each out again, which took seconds
  // for a long paste. The control drops the tab stops of a text that it
  // deletes all of, so a paste over all of it leaves one character behind
  // until it is in, where the limit has room for it.
  const bool overAll = chars > 0 && start == 0 && end >= chars;
  {
    std::optional<CEndPlaceholder> placeholder;
    if (overAll && chars < limit && ScriptCharCount(text, length) < limit) placeholder.emplace(edit);
    edit.SetSel(start, start);
    if (!HasTabStops(edit)) SetTabStops(edit, start, start);
    // All of the text, not the placeholder (the selection of all may reach
    // past the text's end).
    edit.SetSel(start, overAll ? chars : end);
    edit.ReplaceSel(std::string(text, length).c_str(), TRUE);
  }
  KeepTabStops(edit, start);
  edit.SendMessage(EM_SCROLLCARET);
  Recolour(edit);
}

bool CScriptColorizer::HasTabStops(CRichEditCtrl& edit) const {
  PARAFORMAT2 now = {};
  now.cbSize = sizeof now;
  edit.SendMessage(EM_GETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&now));
  return now.cTabCount == m_paragraph.cTabCount &&
         std::memcmp(now.rgxTabs, m_paragraph.rgxTabs, sizeof now.rgxTabs[0] * now.cTabCount) == 0;
}

void CScriptColorizer::SetTabStops(CRichEditCtrl& edit, long start, long end) {
  CUndoSuspended undo(edit);  // the paragraphs go with the text an undo takes back
  edit.SetSel(start, end);
  edit.SetParaFormat(m_paragraph);
}

void CScriptColorizer::KeepTabStops(CRichEditCtrl& edit, long start) {
  long end = 0, caret = 0;
  edit.GetSel(caret, end);
  edit.SetSel(start, start);
  if (!HasTabStops(edit)) SetTabStops(edit, start, caret);
  edit.SetSel(caret, caret);
}

void CScriptColorizer::Undone(CRichEditCtrl& edit) {
  // A redo of a paste over all of the text deletes all of it again, and the
  // control drops the tab stops with it.
  long start = 0, end = 0;
  edit.GetSel(start, end);
  edit.SetSel(0, 0);
  if (!HasTabStops(edit)) SetTabStops(edit, 0, -1);
  edit.SetSel(start, end);
  Recolour(edit);
}

void CScriptColorizer::Recolour(CRichEditCtrl& edit) {
  TakeText(edit);
  m_pending.Clear();
  m_pending.Add(0, static_cast<long>(m_wanted.size()));
  const std::pair<long, long> screen = OnScreen(edit);
  ColourPendingIn(edit, screen.first, screen.second, [] { return true; });
}

void CScriptColorizer::TextEdited(CRichEditCtrl& edit) {
  if (m_pending.IsEmpty()) return;  // the text is taken again when colouring starts
  const CString now = edit.GetPlainText();
  const size_t length = static_cast<size_t>(now.GetLength());
  m_pending.Edit(ScriptEditedRange(m_text.data(), m_text.size(), now.GetString(), length));
  m_text.assign(now.GetString(), length);
  m_wanted = FormatsOf(m_text.data(), m_text.size());
}

void CScriptColorizer::TakeText(CRichEditCtrl& edit) {
  const CString text = edit.GetPlainText();
  TakeText(text.GetString(), static_cast<size_t>(text.GetLength()));
}

void CScriptColorizer::TakeText(const char* text, size_t length) {
  m_text.assign(text, length);
  m_wanted = FormatsOf(m_text.data(), m_text.size());
}

template <class More>
bool CScriptColorizer::ColourPendingIn(CRichEditCtrl& edit, long from, long to, More more) {
  long start = 0, end = 0;
  if (!m_pending.FirstIn(from, to, start, end)) return true;
  CKeptView view(edit);
  CUndoSuspended undo(edit);
  do {
    if (!more()) return false;
    end = PieceEnd(start, end);
    ColourPiece(edit, start, end);
    m_pending.Remove(start, end);
  } while (m_pending.FirstIn(from, to, start, end));
  return true;
}

bool CScriptColorizer::ColourPending(CRichEditCtrl& edit, double budgetMs) {
  if (m_pending.IsEmpty()) return false;
  const DWORD started = ::GetTickCount();
  bool first = true;
  const auto more = [&] {
    const bool go = first || static_cast<double>(::GetTickCount() - started) < budgetMs;
    first = false;
    return go;
  };
  // On screen, then after it, then before it.
  const std::pair<long, long> screen = OnScreen(edit);
  const long chars = static_cast<long>(m_wanted.size());
  if (ColourPendingIn(edit, screen.first, screen.second, more) &&
      ColourPendingIn(edit, screen.second, chars, more))
    ColourPendingIn(edit, 0, screen.first, more);
  return !m_pending.IsEmpty();
}

std::pair<long, long> CScriptColorizer::OnScreen(CRichEditCtrl& edit) {
  const int firstLine = static_cast<int>(edit.SendMessage(EM_GETFIRSTVISIBLELINE));
  RECT client = {0, 0, 0, 0};
  edit.GetClientRect(&client);
  POINTL bottom = {0, client.bottom};
  const long last = static_cast<long>(edit.SendMessage(EM_CHARFROMPOS, 0, reinterpret_cast<LPARAM>(&bottom)));
  const int after = edit.LineIndex(edit.LineFromChar(last) + 1);
  return {edit.LineIndex(firstLine), after < 0 ? edit.GetTextLength() : after};
}

long CScriptColorizer::PieceEnd(long start, long end) const {
  size_t at = ScriptByteOfChar(m_text.data(), m_text.size(), start);
  long position = start;
  for (int lines = 0; position < end && lines < kPieceLines; ++position) {
    const char c = m_text[at];
    at += ScriptCharBytes(m_text.data(), m_text.size(), at);
    if (c == '\r' || c == '\n') ++lines;
  }
  return position;
}

void CScriptColorizer::ColourPiece(CRichEditCtrl& edit, long start, long end) {
  end = std::min(end, static_cast<long>(m_wanted.size()));
  if (start >= end) return;
  const std::vector<unsigned char> have = FormatsIn(edit, start, end);
  for (long run = start; run < end;) {
    long runEnd = run;
    bool differs = false, tabsOnly = true;
    for (; runEnd < end && m_wanted[runEnd] == m_wanted[run]; ++runEnd) {
      const unsigned char now = have[runEnd - start];
      if (now == kAnyFormat) continue;
      tabsOnly = false;
      differs = differs || now != m_wanted[runEnd];
    }
    // Tabs alone between runs of other formats are set, whatever they have.
    if (differs || tabsOnly) {
      edit.SetSel(run, runEnd);
      edit.SetSelectionCharFormat(m_formats[m_wanted[run]]);
    }
    run = runEnd;
  }
}

std::vector<unsigned char> CScriptColorizer::FormatsIn(CRichEditCtrl& edit, long start, long end) const {
  const size_t chars = static_cast<size_t>(end - start);
  edit.SetSel(start, end);
  const CString rtf = edit.StreamOutBytes(SF_RTF | SFF_SELECTION);
  std::vector<unsigned char> formats;
  formats.reserve(chars + 1);
  for (const RtfColourRun& run : ReadRtfColours(rtf.GetString(), static_cast<size_t>(rtf.GetLength()))) {
    // The characters and, at the text's end, the control's last paragraph mark.
    if (formats.size() + static_cast<size_t>(run.length) > chars + 1) break;
    unsigned char format = kNoFormat;
    for (size_t i = 0; i < m_formats.size(); ++i)
      if (m_formats[i].crTextColor == run.colour) format = static_cast<unsigned char>(i);
    formats.insert(formats.end(), static_cast<size_t>(run.length), format);
  }
  if (formats.size() < chars) formats.assign(chars, kNoFormat);
  formats.resize(chars);
  // The control writes no format for a tab: it seems to take the colour of
  // the text before it.
  size_t at = ScriptByteOfChar(m_text.data(), m_text.size(), start);
  for (unsigned char& format : formats) {
    if (at < m_text.size() && m_text[at] == '\t') format = kAnyFormat;
    at += ScriptCharBytes(m_text.data(), m_text.size(), at);
  }
  return formats;
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
