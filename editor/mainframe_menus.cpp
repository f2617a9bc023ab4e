// CMainFrame: menu items drawn with the images of their commands' toolbar
// buttons (grey ones from the disabled images), in a column of their own
// beside the check marks', with a margin before the text.
#include <algorithm>

#include "mainframe.h"

namespace {

const int kImageSize = 16;
// Blank beside the image on either side: the text keeps its distance.
const int kImageMargin = 3;

// The height of the menu's text, read from the platform's menu font.
int MenuTextHeight() {
  NONCLIENTMETRICSA metrics = {};
  metrics.cbSize = sizeof metrics;
  if (!::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) return kImageSize;
  HDC dc = ::GetDC(nullptr);
  HFONT font = ::CreateFontIndirectA(&metrics.lfMenuFont);
  HGDIOBJ old = ::SelectObject(dc, font);
  TEXTMETRICA tm = {};
  ::GetTextMetricsA(dc, &tm);
  ::SelectObject(dc, old);
  ::DeleteObject(font);
  ::ReleaseDC(nullptr, dc);
  return tm.tmHeight;
}

}  // namespace

void CMainFrame::OnInitMenuPopup(HMENU popup, UINT index, BOOL sysMenu) {
  CMDIFrameWnd::OnInitMenuPopup(popup, index, sysMenu);
  if (!sysMenu) AddMenuImages(popup);
}

void CMainFrame::AddMenuImages(HMENU popup) {
  for (int i = 0, n = ::GetMenuItemCount(popup); i < n; ++i) {
    MENUITEMINFOA item = {};
    item.cbSize = sizeof item;
    item.fMask = MIIM_FTYPE | MIIM_SUBMENU | MIIM_BITMAP;
    if (!::GetMenuItemInfoA(popup, static_cast<UINT>(i), TRUE, &item)) continue;
    if ((item.fType & MFT_SEPARATOR) || item.hSubMenu || item.hbmpItem == HBMMENU_CALLBACK) continue;
    item.fMask = MIIM_BITMAP;
    item.hbmpItem = HBMMENU_CALLBACK;
    ::SetMenuItemInfoA(popup, static_cast<UINT>(i), TRUE, &item);
  }
}

CWrapToolBar* CMainFrame::FindImage(UINT id, int* image) const {
  for (CWrapToolBar* bar : m_imageBars) {
    int found = bar->ImageOf(id);
    if (found >= 0) {
      *image = found;
      return bar;
    }
  }
  return nullptr;
}

BOOL CMainFrame::OnMeasureMenuImage(MEASUREITEMSTRUCT* item) {
  if (item->CtlType != ODT_MENU) return FALSE;
  static const int textHeight = MenuTextHeight();
  UINT height = static_cast<UINT>(std::max(textHeight + 3, kImageSize + 2));
  item->itemHeight = height;
  // The image's own column, wider than the image: the menu starts the text
  // right after it.
  item->itemWidth = static_cast<UINT>(kImageSize + 2 * kImageMargin);
  return TRUE;
}

BOOL CMainFrame::OnDrawMenuImage(const DRAWITEMSTRUCT* item) {
  if (item->CtlType != ODT_MENU) return FALSE;
  int image = -1;
  CWrapToolBar* bar = FindImage(item->itemID, &image);
  if (!bar) return TRUE;
  bool grey = (item->itemState & (ODS_GRAYED | ODS_DISABLED | ODS_INACTIVE)) != 0;
  RECT cell = item->rcItem;
  if ((item->itemState & ODS_SELECTED) && !grey) {
    ::FillRect(item->hDC, &cell, ::GetSysColorBrush(COLOR_MENU));
    ::DrawEdge(item->hDC, &cell, BDR_RAISEDINNER, BF_RECT);
  }
  const CImageList& images = bar->GetImages(grey ? CWrapToolBar::kDisabled : CWrapToolBar::kNormal);
  int x = cell.left + (cell.right - cell.left - kImageSize) / 2;
  int y = cell.top + (cell.bottom - cell.top - kImageSize) / 2;
  images.Draw(item->hDC, image, x, y, ILD_TRANSPARENT);
  return TRUE;
}
