#include "scriptedit.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "clipboard.h"
#include "qel/picmsg.h"
#include "scripteditor_res.h"
#include "scripttext.h"

namespace {

bool IsLetterOrDigit(WPARAM ch) {
  return (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9');
}

}  // namespace

CScriptEdit::CScriptEdit() {
  std::vector<std::string> tips;
  ReadScriptTipsFile(ScriptTipsPath(), tips);
  for (const std::string& tip : tips) m_tips.Add(tip.c_str());
}

LRESULT CScriptEdit::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_KEYDOWN:
      if (OnKeyDown(wp)) return 0;
      break;
    case WM_CHAR:
      if (OnChar(wp)) return 0;
      break;
    case WM_PASTE:
      // Every paste goes through the dialog's, which colours what arrived.
      ::SendMessageA(GetParent(), WM_COMMAND, MAKEWPARAM(ID_SCRIPT_PASTE, 0), 0);
      return 0;
    case QSE_DROPTIPLIST: DestroyTipList(wp); return 0;
  }
  return CRichEditCtrl::WindowProc(msg, wp, lp);
}

bool CScriptEdit::TakeClipboardText(CString& text) {
  // Text only: the control's own paste would take formatted text and pictures
  // too. A character takes two bytes at most: more would not fit anyway.
  const size_t most = 2 * static_cast<size_t>(SendMessage(EM_GETLIMITTEXT)) + 1;
  const std::vector<BYTE> bytes = TakeClipboardData(m_hWnd, CF_TEXT, most);
  if (bytes.empty()) return false;
  // The block's size bounds the text: another program may have left no NUL.
  const char* chars = reinterpret_cast<const char*>(bytes.data());
  text = CString(chars, static_cast<int>(strnlen(chars, bytes.size())));
  return true;
}

bool CScriptEdit::OnKeyDown(WPARAM key) {
  if (key != VK_RETURN || ::GetKeyState(VK_CONTROL) < 0) return false;
  const long caret = [this] {
    long start = 0, end = 0;
    GetSel(start, end);
    return start;
  }();
  const CString line = GetLine(LineFromChar(caret));
  const CString lineBreak = IndentedLineBreak(line.GetString(), static_cast<size_t>(line.GetLength()));
  if (lineBreak.IsEmpty()) return false;
  if (HasTipList()) CloseTipList();
  ReplaceSel(lineBreak, FALSE);
  m_returnHandled = true;
  return true;
}

bool CScriptEdit::OnChar(WPARAM ch) {
  if (ch == '\r' && m_returnHandled) {
    m_returnHandled = false;
    return true;
  }
  m_returnHandled = false;
  if (ch == '\t') {
    long start = 0, end = 0;
    GetSel(start, end);
    if (start == end) ReplaceSel("\t", TRUE);
    return true;
  }
  if (IsLetterOrDigit(ch) || ch == '\b') {
    Default();
    UpdateCompletion();
    return true;
  }
  if (ch == '_' || ch == '#') return false;
  if (HasTipList()) CloseTipList();
  return false;
}

void CScriptEdit::UpdateCompletion() {
  long caret = 0, end = 0;
  GetSel(caret, end);
  const int line = LineFromChar(caret);
  const long first = LineIndex(line);
  const CString text = GetLine(line);
  long wordColumn = 0;
  const CString word =
      WordBeforeColumn(text.GetString(), static_cast<size_t>(text.GetLength()), caret - first, &wordColumn);
  if (word.GetLength() < kTipMinWord) {
    if (HasTipList()) CloseTipList();
    return;
  }
  ShowTips(word, first + wordColumn);
}

void CScriptEdit::ShowTips(const CString& word, long wordStart) {
  std::vector<const CString*> matches;
  int longest = 0;
  for (int i = 0; i < m_tips.GetSize(); ++i) {
    const CString& tip = m_tips.GetAt(i);
    if (std::strncmp(tip.GetString(), word.GetString(), word.GetLength()) != 0) continue;
    matches.push_back(&tip);
    longest = std::max(longest, tip.GetLength());
  }
  if (matches.empty()) {
    if (HasTipList()) CloseTipList();
    return;
  }
  if (!HasTipList() && !m_tipList.CreateIn(*this, kTipListId)) return;
  ++m_tipGeneration;
  m_strWord = word;
  m_tipList.m_strWord = word;
  m_tipList.SetRedraw(FALSE);
  m_tipList.ResetContent();
  for (const CString* tip : matches) m_tipList.AddString(*tip);
  m_tipList.SetRedraw(TRUE);
  CHARFORMAT2A format = {};
  GetDefaultCharFormat(format);
  const POINT at = PosFromChar(wordStart);
  const int rows = std::min(static_cast<int>(matches.size()) + 1, kTipMaxRows);
  m_tipList.MoveWindow(at.x, at.y + format.yHeight / 10, kTipCharWidth * longest,
                       rows * m_tipList.GetItemHeight(0));
  m_tipList.SetFocus();
  m_tipList.SetCurSel(0);
  if (m_tipList.GetText(0) == word) SetFocus();
}

void CScriptEdit::CompleteWith(const CString& rest) {
  SetFocus();
  if (!rest.IsEmpty()) ReplaceSel(rest, TRUE);
  CloseTipList();
}

void CScriptEdit::CloseTipList() {
  if (::GetFocus() != m_hWnd) SetFocus();
  PostMessage(QSE_DROPTIPLIST, m_tipGeneration);
}

void CScriptEdit::DestroyTipList(WPARAM generation) {
  if (generation == m_tipGeneration && HasTipList()) m_tipList.DestroyWindow();
}
