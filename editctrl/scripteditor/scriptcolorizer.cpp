#include "scriptcolorizer.h"

#include <cstring>
#include <string>
#include <vector>

#include "controls/richedit.h"
#include "scripttips.h"

namespace {

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

}  // namespace

CScriptColorizer::CScriptColorizer()
    : m_default(FullDefaultFormat()),
      m_comment(ColourFormat(kCommentColour)),
      m_keyword(ColourFormat(kKeywordColour)),
      m_function(ColourFormat(kFunctionColour)) {
  m_scanner.SetKeywords(kScriptKeywordText);
  std::vector<std::string> tips;
  ReadScriptTipsFile(ScriptTipsPath(), tips);
  m_scanner.SetFunctionNames(TipFunctionNames(tips));
}

CHARFORMAT2A* CScriptColorizer::FormatOf(int kind) {
  switch (kind) {
  case STK_COMMENT: return &m_comment;
  case STK_KEYWORD: return &m_keyword;
  case STK_FUNCTION: return &m_function;
  }
  return nullptr;
}

void CScriptColorizer::ColourTokens(CRichEditCtrl& edit, const char* text, size_t length,
                                    long offset) {
  m_scanner.SetText(text, length);
  long start = 0, end = 0;
  for (int kind; (kind = m_scanner.NextToken(start, end)) != STK_END;) {
    CHARFORMAT2A* format = FormatOf(kind);
    if (!format || end <= start) continue;
    edit.SetSel(offset + start, offset + end);
    edit.SetSelectionCharFormat(*format);
  }
}

void CScriptColorizer::ColorizeAll(CRichEditCtrl& edit) {
  edit.SetSel(0, -1);
  edit.SetSelectionCharFormat(m_default);
  const CString text = edit.GetPlainText();
  ColourTokens(edit, text.GetString(), static_cast<size_t>(text.GetLength()), 0);
}

void CScriptColorizer::ColorizeLine(CRichEditCtrl& edit, int line) {
  const long first = edit.LineIndex(line);
  if (first < 0) return;
  // The line's characters and its line end.
  edit.SetSel(first, first + edit.LineLength(line) + 1);
  edit.SetSelectionCharFormat(m_default);
  const CString text = edit.GetLine(line);
  ColourTokens(edit, text.GetString(), static_cast<size_t>(text.GetLength()), first);
}
