#include "workspacebar.h"

#include <algorithm>

#include "attrlist/tablists.h"
#include "editortexts.h"
#include "resource.h"

IMPLEMENT_DYNAMIC(CWorkspaceBar, CSizingControlBar)

namespace {

const int kImageSize = 16;
const int kGrow = 4;
const COLORREF kMaskRed = RGB(255, 0, 0);
const int kTabWidth = 40, kTabHeight = 19;
const int kMarginLeftTop = 2, kMarginRight = 3, kMarginBottom = 24;  // the tabs below
const int kFontHeight = 12;
const char kFontFace[] = "宋体";
}  // namespace

BOOL CWorkspaceBar::Create(CFrameWnd* frame, SIZE size, UINT id) {
  if (!CSizingControlBar::Create(kTitleWorkspace, frame, size, TRUE, id,
                                 WS_CHILD | WS_VISIBLE | CBRS_LEFT | CBRS_TOOLTIPS))
    return FALSE;
  LOGFONTA lf = {};
  lf.lfHeight = kFontHeight;
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfQuality = PROOF_QUALITY;
  lf.lfPitchAndFamily = FF_SWISS;
  lstrcpyA(lf.lfFaceName, kFontFace);
  m_font.CreateFontIndirect(&lf);
  m_treeImages.CreateFromBitmap(IDB_PROJECTTREE, kImageSize, kGrow, kMaskRed);
  m_linkImages.CreateFromBitmap(IDB_EVENTLINKS, kImageSize, kGrow, kMaskRed);
  if (!CreateTabs() || !CreateLists()) return FALSE;
  SelectTab(kTabProject);
  return TRUE;
}

BOOL CWorkspaceBar::CreateTabs() {
  RECT none = {0, 0, 0, 0};
  // Not fixed-width: 40 is the least width, and a tab grows to show its image
  // and its whole text ("属性/动作" does not fit in 40 pixels).
  DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | TCS_BOTTOM | TCS_FOCUSNEVER;
  if (!m_tabs.Create(style, none, m_hWnd, IDC_WORKSPACE_TABS)) return FALSE;
  m_tabs.SetFont(m_font);
  m_tabs.SetImageList(m_treeImages);
  m_tabs.SetItemSize(kTabWidth, kTabHeight);
  m_tabs.SendMessage(TCM_SETMINTABWIDTH, 0, kTabWidth);
  m_tabs.InsertItem(kTabProject, kTextTabProject, kImageProject);
  m_tabs.InsertItem(kTabProperties, kTextTabProperties, kImageProperties);
  return TRUE;
}

BOOL CWorkspaceBar::CreateLists() {
  if (!m_tree.Create(m_hWnd, IDC_PROJECT_TREE)) return FALSE;
  m_tree.SetFont(m_font);
  m_tree.SetImageList(m_treeImages);
  if (!m_panel.Create(m_hWnd, IDC_PROPERTY_PANEL)) return FALSE;
  m_panel.GetAttributeList().SetFont(m_font);
  if (!m_eventLinks.Create(m_hWnd, IDC_EVENT_LINKS)) return FALSE;
  m_eventLinks.SetFont(m_font);
  m_eventLinks.SetImageList(m_linkImages, LVSIL_SMALL);
  // The lists stand above the tab control, which only draws its tabs.
  for (HWND child : {m_tree.m_hWnd, m_panel.m_hWnd, m_eventLinks.m_hWnd})
    ::SetWindowPos(child, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  return TRUE;
}

namespace {

// Moves a child and has it paint itself anew at its place: the bits of its
// old place may hold what a sibling that moved before it painted there.
void PlaceAnew(HWND child, int x, int y, int width, int height) {
  ::SetWindowPos(child, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
}

}  // namespace

void CWorkspaceBar::Layout(int width, int height) {
  if (!m_tabs.m_hWnd) return;
  RECT work = {kMarginLeftTop, kMarginLeftTop, std::max(kMarginLeftTop, width - kMarginRight),
               std::max(kMarginLeftTop, height - kMarginBottom)};
  int workWidth = work.right - work.left, workHeight = work.bottom - work.top;
  int half = workHeight / 2;
  // The lists first, each painted anew; the tab control below them last.
  PlaceAnew(m_eventLinks.m_hWnd, work.left, work.top + half, workWidth, workHeight - half);
  PlaceAnew(m_panel.m_hWnd, work.left, work.top, workWidth, std::max(0, half - 2));
  PlaceAnew(m_tree.m_hWnd, work.left, work.top, workWidth, workHeight);
  FitListColumns(m_eventLinks, workWidth);
  m_tabs.MoveWindow(0, 0, width, height);
}

void CWorkspaceBar::SelectTab(int index) {
  if (!m_tabs.m_hWnd) return;
  m_tabs.SetCurSel(index);
  bool project = index == kTabProject;
  m_tree.ShowWindow(project ? SW_SHOW : SW_HIDE);
  m_panel.ShowWindow(project ? SW_HIDE : SW_SHOW);
  m_eventLinks.ShowWindow(project ? SW_HIDE : SW_SHOW);
}

int CWorkspaceBar::GetSelectedTab() const { return m_tabs.GetCurSel(); }

LRESULT CWorkspaceBar::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_SIZE: Layout(LOWORD(lp), HIWORD(lp)); break;
    case WM_NOTIFY: {
      auto* hdr = reinterpret_cast<NMHDR*>(lp);
      if (hdr->hwndFrom == m_tabs.m_hWnd && hdr->code == TCN_SELCHANGE) {
        SelectTab(GetSelectedTab());
        return 0;
      }
      break;
    }
  }
  return CSizingControlBar::WindowProc(msg, wp, lp);
}
