#include "outputbar.h"

#include <richedit.h>

#include "editortexts.h"
#include "resource.h"

IMPLEMENT_DYNAMIC(COutputBar, CSizingControlBar)

namespace {

const char kFontFace[] = "宋体";
const LONG kFontTwips = 200;  // 10 points
const int kTabStops = 32;
const LONG kTabTwips = 480;

}  // namespace

BOOL COutputBar::Create(CFrameWnd* frame, SIZE size, UINT id) {
  if (!CSizingControlBar::Create(kTitleOutput, frame, size, TRUE, id,
                                 WS_CHILD | WS_VISIBLE | CBRS_BOTTOM | CBRS_TOOLTIPS))
    return FALSE;
  RECT client;
  GetClientRect(&client);
  if (!m_edit.Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL, client,
                     m_hWnd, IDC_OUTPUT_EDIT))
    return FALSE;
  CHARFORMAT2A format = {};
  format.cbSize = sizeof format;
  format.dwMask = CFM_FACE | CFM_SIZE | CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT | CFM_COLOR;
  format.yHeight = kFontTwips;
  format.crTextColor = RGB(0, 0, 0);
  lstrcpyA(format.szFaceName, kFontFace);
  m_edit.SetDefaultCharFormat(format);
  PARAFORMAT2 tabs = {};
  tabs.cbSize = sizeof tabs;
  tabs.dwMask = PFM_TABSTOPS;
  tabs.cTabCount = kTabStops;
  for (int i = 0; i < kTabStops; ++i) tabs.rgxTabs[i] = kTabTwips * (i + 1);
  m_edit.SetSel(0, -1);
  m_edit.SetParaFormat(tabs);
  m_edit.SetSel(0, 0);
  return TRUE;
}

void COutputBar::AppendText(const char* text) {
  if (!m_edit.m_hWnd || !text) return;
  int linesBefore = m_edit.GetLineCount();
  long end = m_edit.GetTextLength();
  m_edit.SetSel(end, end);
  m_edit.ReplaceSel(text);
  int added = m_edit.GetLineCount() - linesBefore;
  if (added > 0) m_edit.LineScroll(added);
}

void COutputBar::Clear() {
  if (m_edit.m_hWnd) m_edit.SetPlainText(CString());
}

CString COutputBar::GetText() const {
  if (!m_edit.m_hWnd) return CString();
  CString text = m_edit.GetPlainText();
  text.Replace("\r\n", "\n");
  text.Replace('\r', '\n');
  return text;
}

LRESULT COutputBar::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_SIZE && m_edit.m_hWnd) m_edit.MoveWindow(0, 0, LOWORD(lp), HIWORD(lp));
  return CSizingControlBar::WindowProc(msg, wp, lp);
}
