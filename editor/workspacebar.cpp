#include "workspacebar.h"

#include <algorithm>

#include "editortexts.h"
#include "resource.h"
#include "wndmodule.h"

IMPLEMENT_DYNAMIC(CWorkspaceBar, CSizingControlBar)

namespace {

const int kImageSize = 16;
const COLORREF kMaskRed = RGB(255, 0, 0);
const int kTabWidth = 40, kTabHeight = 19;
const int kMarginLeftTop = 2, kMarginRight = 3, kMarginBottom = 24;  // the tabs below
const int kActionColumn = 108, kColumnReserve = 112;
const int kFontHeight = 12;
const char kFontFace[] = "宋体";
const char kPanelClass[] = "QelPropertyPanelPlace";

HIMAGELIST ImagesOf(UINT bitmapId) {
  HBITMAP bitmap = static_cast<HBITMAP>(::LoadImageA(QelGetResourceHandle(), MAKEINTRESOURCEA(bitmapId),
                                                     IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  if (!bitmap) return nullptr;
  HIMAGELIST images = ::ImageList_Create(kImageSize, kImageSize, ILC_COLOR24 | ILC_MASK, 0, 4);
  if (images) ::ImageList_AddMasked(images, bitmap, kMaskRed);
  ::DeleteObject(bitmap);
  return images;
}

const char* PanelClass() {
  static ATOM atom = [] {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = ::DefWindowProcA;
    wc.hInstance = QelGetInstanceHandle();
    wc.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kPanelClass;
    return ::RegisterClassA(&wc);
  }();
  return atom ? kPanelClass : nullptr;
}

HMENU ChildId(UINT id) { return reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)); }

}  // namespace

CWorkspaceBar::~CWorkspaceBar() {
  // The tree's items (and their records) go before the image lists and the font.
  if (m_tree.m_hWnd) m_tree.DestroyWindow();
  if (m_eventLinks.m_hWnd) m_eventLinks.DestroyWindow();
  if (m_treeImages) ::ImageList_Destroy(m_treeImages);
  if (m_linkImages) ::ImageList_Destroy(m_linkImages);
  if (m_font) ::DeleteObject(m_font);
}

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
  m_font = ::CreateFontIndirectA(&lf);
  m_treeImages = ImagesOf(IDB_PROJECTTREE);
  m_linkImages = ImagesOf(IDB_EVENTLINKS);
  if (!CreateTabs() || !CreateLists()) return FALSE;
  SelectTab(kTabProject);
  return TRUE;
}

BOOL CWorkspaceBar::CreateTabs() {
  DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | TCS_BOTTOM | TCS_FIXEDWIDTH | TCS_FOCUSNEVER;
  if (!m_tabs.CreateEx(0, WC_TABCONTROLA, "", style, 0, 0, 0, 0, m_hWnd, ChildId(IDC_WORKSPACE_TABS)))
    return FALSE;
  m_tabs.SetFont(m_font);
  m_tabs.SendMessage(TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(m_treeImages));
  m_tabs.SendMessage(TCM_SETITEMSIZE, 0, MAKELPARAM(kTabWidth, kTabHeight));
  const struct { const char* text; int image; } kTabs[] = {{kTextTabProject, kImageProject},
                                                           {kTextTabProperties, kImageProperties}};
  for (int i = 0; i < 2; ++i) {
    TCITEMA item = {};
    item.mask = TCIF_TEXT | TCIF_IMAGE;
    item.pszText = const_cast<char*>(kTabs[i].text);
    item.iImage = kTabs[i].image;
    m_tabs.SendMessage(TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
  }
  return TRUE;
}

BOOL CWorkspaceBar::CreateLists() {
  if (!m_tree.Create(m_hWnd, IDC_PROJECT_TREE)) return FALSE;
  m_tree.SetFont(m_font);
  m_tree.SendMessage(TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(m_treeImages));
  const char* panel = PanelClass();
  if (!panel || !m_panel.CreateEx(0, panel, "", WS_CHILD | WS_CLIPCHILDREN, 0, 0, 0, 0, m_hWnd,
                                  ChildId(IDC_PROPERTY_PANEL)))
    return FALSE;
  DWORD listStyle = WS_CHILD | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS;
  if (!m_eventLinks.CreateEx(WS_EX_CLIENTEDGE, WC_LISTVIEWA, "", listStyle, 0, 0, 0, 0, m_hWnd,
                             ChildId(IDC_EVENT_LINKS)))
    return FALSE;
  m_eventLinks.SetFont(m_font);
  m_eventLinks.SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
  m_eventLinks.SendMessage(LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(m_linkImages));
  const char* columns[] = {kColumnAction, kColumnDefinition};
  for (int i = 0; i < 2; ++i) {
    LVCOLUMNA column = {};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = const_cast<char*>(columns[i]);
    column.cx = kActionColumn;
    m_eventLinks.SendMessage(LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&column));
  }
  // The lists stand above the tab control, which only draws its tabs.
  for (HWND child : {m_tree.m_hWnd, m_panel.m_hWnd, m_eventLinks.m_hWnd})
    ::SetWindowPos(child, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  return TRUE;
}

void CWorkspaceBar::Layout(int width, int height) {
  if (!m_tabs.m_hWnd) return;
  m_tabs.MoveWindow(0, 0, width, height);
  RECT work = {kMarginLeftTop, kMarginLeftTop, std::max(kMarginLeftTop, width - kMarginRight),
               std::max(kMarginLeftTop, height - kMarginBottom)};
  int workWidth = work.right - work.left, workHeight = work.bottom - work.top;
  m_tree.MoveWindow(work);
  int half = workHeight / 2;
  m_panel.MoveWindow(work.left, work.top, workWidth, std::max(0, half - 2));
  m_eventLinks.MoveWindow(work.left, work.top + half, workWidth, workHeight - half);
  m_eventLinks.SendMessage(LVM_SETCOLUMNWIDTH, 0, kActionColumn);
  m_eventLinks.SendMessage(LVM_SETCOLUMNWIDTH, 1, std::max(0, workWidth - kColumnReserve));
}

void CWorkspaceBar::SelectTab(int index) {
  if (!m_tabs.m_hWnd) return;
  m_tabs.SendMessage(TCM_SETCURSEL, index);
  bool project = index == kTabProject;
  m_tree.ShowWindow(project ? SW_SHOW : SW_HIDE);
  m_panel.ShowWindow(project ? SW_HIDE : SW_SHOW);
  m_eventLinks.ShowWindow(project ? SW_HIDE : SW_SHOW);
}

int CWorkspaceBar::GetSelectedTab() const { return static_cast<int>(m_tabs.SendMessage(TCM_GETCURSEL)); }

LRESULT CWorkspaceBar::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
  case WM_SIZE:
    Layout(LOWORD(lp), HIWORD(lp));
    break;
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
