#include "bars/statusbar.h"

#include <commctrl.h>

#include "commands/cmdids.h"
#include "frames/frame.h"
#include "gdiwrap.h"
#include "resources/resload.h"
#include "wndmodule.h"

IMPLEMENT_DYNAMIC(CStatusBar, CControlBar)

namespace {
const int kPaneMargin = 12;    // around an indicator's text
const int kHeightPadding = 8;  // above and below the text
}  // namespace

BOOL CStatusBar::Create(CFrameWnd* frame, DWORD style, UINT id) {
  DWORD ctrlStyle = CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER | SBARS_SIZEGRIP;
  // No borders of the bar's own: the control draws its panes.
  return CreateBar(frame, STATUSCLASSNAMEA, "", ctrlStyle, style & ~CBRS_BORDER_ANY, id);
}

BOOL CStatusBar::SetIndicators(const UINT* ids, int count) {
  m_panes.clear();
  for (int i = 0; i < count; ++i) {
    Pane pane{ids[i], CString(), 0, TRUE};
    if (ids[i] != ID_SEPARATOR) {
      pane.text = QelLoadStringText(ids[i]);
      pane.width = TextWidth(pane.text) + kPaneMargin;
    }
    m_panes.push_back(pane);
  }
  UpdateParts();
  for (int i = 1; i < GetPaneCount(); ++i) SetPaneText(i, m_panes[static_cast<size_t>(i)].text);
  if (m_pDockSite) m_pDockSite->SetMessageText(AFX_IDS_IDLEMESSAGE);
  return TRUE;
}

int CStatusBar::TextWidth(const char* text) const {
  HDC dc = ::GetDC(m_hWnd);
  HFONT font = GetFont();
  CSelectGdi select(dc, font ? font : ::GetStockObject(DEFAULT_GUI_FONT));
  SIZE size = {0, 0};
  ::GetTextExtentPoint32A(dc, text, lstrlenA(text), &size);
  ::ReleaseDC(m_hWnd, dc);
  return size.cx;
}

void CStatusBar::UpdateParts() {
  if (!m_hWnd || m_panes.empty()) return;
  RECT client;
  GetClientRect(&client);
  // The message pane stretches; the indicators keep their widths at the right.
  std::vector<int> edges(m_panes.size());
  int right = client.right - ::GetSystemMetrics(SM_CXVSCROLL);
  for (size_t i = m_panes.size(); i-- > 1;) {
    edges[i] = right;
    right -= m_panes[i].width;
  }
  edges[0] = right;
  edges.back() = -1;  // the last pane reaches the end
  if (m_panes.size() == 1) edges[0] = -1;
  SendMessage(SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
}

CString CStatusBar::GetPaneText(int index) const {
  int length = LOWORD(SendMessage(SB_GETTEXTLENGTHA, index));
  CString text;
  char* buf = text.GetBuffer(length + 1);
  buf[0] = '\0';
  SendMessage(SB_GETTEXTA, index, reinterpret_cast<LPARAM>(buf));
  text.ReleaseBuffer();
  return text;
}

void CStatusBar::SetPaneText(int index, const char* text) {
  if (GetPaneText(index) == CString(text)) return;  // no flicker for the same text
  SendMessage(SB_SETTEXTA, index, reinterpret_cast<LPARAM>(text ? text : ""));
}

void CStatusBar::EnablePane(int index, BOOL on) {
  if (index <= 0 || index >= GetPaneCount()) return;
  Pane& pane = m_panes[static_cast<size_t>(index)];
  pane.enabled = on;
  SetPaneText(index, on ? pane.text.GetString() : "");
}

SIZE CStatusBar::CalcFixedLayout(BOOL, BOOL) {
  HDC dc = ::GetDC(m_hWnd);
  HFONT font = GetFont();
  CSelectGdi select(dc, font ? font : ::GetStockObject(DEFAULT_GUI_FONT));
  TEXTMETRICA tm = {};
  ::GetTextMetricsA(dc, &tm);
  ::ReleaseDC(m_hWnd, dc);
  return SIZE{32767, tm.tmHeight + kHeightPadding};
}

void CStatusBar::OnUpdateCmdUI(CFrameWnd* target, BOOL) {
  CStatusCmdUI state;
  state.m_pBar = this;
  state.m_pOther = this;
  state.m_nIndexMax = static_cast<UINT>(GetPaneCount());
  for (int i = 1; i < GetPaneCount(); ++i) {
    state.m_nIndex = static_cast<UINT>(i);
    state.m_nID = GetItemID(i);
    state.DoUpdate(target, FALSE);  // an indicator without a handler stays as it is
  }
}

LRESULT CStatusBar::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_SIZE) {
    LRESULT result = CControlBar::WindowProc(msg, wp, lp);
    UpdateParts();
    return result;
  }
  return CControlBar::WindowProc(msg, wp, lp);
}

void CStatusCmdUI::Enable(BOOL on) {
  m_bEnableChanged = TRUE;
  m_pBar->EnablePane(static_cast<int>(m_nIndex), on);
}

void CStatusCmdUI::SetText(const char* text) { m_pBar->SetPaneText(static_cast<int>(m_nIndex), text); }
