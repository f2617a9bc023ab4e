#include "propertypanel.h"

#include "tablists.h"
#include "resource.h"

namespace {
const int kImageSize = 16;
const int kGrow = 4;
const COLORREF kMaskRed = RGB(255, 0, 0);
}  // namespace

CPropertyPanel::CPropertyPanel() : CDialog(IDD_PROPERTYPANEL) {}

BOOL CPropertyPanel::Create(HWND parent, UINT id) {
  if (!CDialog::Create(IDD_PROPERTYPANEL, parent)) return FALSE;
  SetDlgCtrlID(static_cast<int>(id));
  return TRUE;
}

BOOL CPropertyPanel::OnInitDialog() {
  if (m_list.SubclassDlgItem(IDC_ATTRIBUTES, m_hWnd)) {
    m_list.ModifyStyle(0, LVS_SHAREIMAGELISTS);  // the panel owns the images
    m_images.CreateFromBitmap(IDB_ATTRIBUTES, kImageSize, kGrow, kMaskRed);
    m_list.SetImageList(m_images, LVSIL_SMALL);
  }
  CDialog::OnInitDialog();
  return FALSE;  // the focus stays where it is
}

void CPropertyPanel::Layout(int width, int height) {
  if (!m_list.m_hWnd) return;
  m_list.MoveWindow(0, 0, width, height);
  FitListColumns(m_list, width);
}

LRESULT CPropertyPanel::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_SIZE) Layout(LOWORD(lp), HIWORD(lp));
  return CDialog::WindowProc(msg, wp, lp);
}
