#include "tiplistbox.h"

#include "componentfont.h"
#include "scriptedit.h"

BOOL CTipListBox::CreateIn(CScriptEdit& edit, UINT id) {
  m_pEdit = &edit;
  const RECT none = {0, 0, 0, 0};
  if (!Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_BORDER | LBS_SORT | LBS_NOTIFY, none, edit.m_hWnd, id))
    return FALSE;
  const LOGFONTA lf = ComponentFont("Arial", 16, DEFAULT_CHARSET);
  if (m_font.CreateFontIndirect(&lf)) SetFont(m_font, FALSE);
  return TRUE;
}

LRESULT CTipListBox::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_KEYDOWN:
      if (OnKeyDown(wp, lp)) return 0;
      break;
    case WM_CHAR: OnChar(wp, lp); return 0;
    case WM_KILLFOCUS:
      if (m_pEdit) m_pEdit->CloseTipList();
      break;
  }
  return CListBox::WindowProc(msg, wp, lp);
}

bool CTipListBox::OnChildNotify(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) {
  if (msg == WM_COMMAND && HIWORD(wp) == LBN_DBLCLK) {
    Accept();
    *result = 0;
    return true;
  }
  return CListBox::OnChildNotify(msg, wp, lp, result);
}

bool CTipListBox::OnKeyDown(WPARAM key, LPARAM flags) {
  switch (key) {
    case VK_UP:
    case VK_DOWN: return false;  // the list moves its selection
    case VK_RETURN: Accept(); return true;
    case VK_ESCAPE:
    case VK_LEFT:
    case VK_RIGHT: m_pEdit->CloseTipList(); return true;
    case VK_SPACE: m_pEdit->CloseTipList(); break;  // and typed into the text
  }
  m_pEdit->SendMessage(WM_KEYDOWN, key, flags);
  return true;
}

void CTipListBox::OnChar(WPARAM ch, LPARAM flags) {
  // Enter and Esc were handled as keys.
  if (ch == '\r' || ch == 0x1B) return;
  m_pEdit->SendMessage(WM_CHAR, ch, flags);
}

void CTipListBox::Accept() {
  const int chosen = GetCurSel();
  const CString tip = chosen >= 0 ? GetText(chosen) : CString();
  const CString rest =
      tip.GetLength() > m_strWord.GetLength() ? CString(tip.GetString() + m_strWord.GetLength()) : CString();
  m_pEdit->CompleteWith(rest);
}
