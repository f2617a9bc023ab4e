#include "sampexpage.h"

#include "sampexres.h"

CPageQueryTag::CPageQueryTag(HWND picture) : CPropertyPage(IDD_QUERY_TAG), m_picture(picture) {}

BOOL CPageQueryTag::OnInitDialog() {
  RECT place = {};
  if (HWND frame = GetDlgItem(IDC_QUERY_FRAME)) {
    ::GetWindowRect(frame, &place);
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&place), 2);
    ::InflateRect(&place, -1, -1);
  }
  // Above the frame, which was made first and would otherwise lie on top.
  if (m_list.Create(WS_CHILD | WS_VISIBLE, place, m_hWnd, kListId))
    m_list.SetWindowPos(HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  return CPropertyPage::OnInitDialog();
}

bool CPageQueryTag::OnCommand(UINT id, UINT code, HWND control) {
  if (id == IDC_QUERY_RUN && code == BN_CLICKED) {
    OnQuery();
    return true;
  }
  return CPropertyPage::OnCommand(id, code, control);
}

void CPageQueryTag::OnQuery() {
  CString pattern = GetDlgItemText(IDC_QUERY_PATTERN);
  pattern.Trim();
  m_list.Query(m_picture, pattern);
}
