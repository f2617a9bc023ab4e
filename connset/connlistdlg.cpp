#include "connlistdlg.h"

#include "conneditdlg.h"
#include "msgbox.h"
#include "resource.h"
#include "resources/resload.h"

namespace {

struct Column {
  UINT heading;
  int width;  // pixels
};
const Column kColumns[] = {
    {IDS_CONN_COLUMN_HOST, 120},
    {IDS_CONN_COLUMN_PORT, 60},
    {IDS_CONN_COLUMN_ACCOUNT, 80},
    {IDS_CONN_COLUMN_PASSWORD, 80},
};
const int kRowImage = 0;
const int kRowImageWidth = 16;
const COLORREF kRowImageMask = RGB(255, 255, 255);

}  // namespace

CConnListDlg::CConnListDlg(CConnList& list, HWND parent) : CDialog(IDD_CONN_LIST, parent), m_list(list) {}

BOOL CConnListDlg::OnInitDialog() {
  m_rows.SubclassDlgItem(IDC_CONN_ROWS, m_hWnd);
  m_rows.SetExtendedStyle(m_rows.GetExtendedStyle() | LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
  if (m_rowImages.CreateFromBitmap(IDB_CONN_ROW, kRowImageWidth, 1, kRowImageMask))
    m_rows.SetImageList(m_rowImages, LVSIL_SMALL);
  int column = 0;
  for (const Column& c : kColumns)
    m_rows.InsertColumn(column++, QelLoadStringText(c.heading), LVCFMT_LEFT, c.width);
  for (int i = 0; i < m_list.Count(); ++i) PutRow(-1, RowTextsOf(m_list.Entry(i)));
  return CDialog::OnInitDialog();
}

void CConnListDlg::PutRow(int row, const ConnRowTexts& texts) {
  const CString* cells[] = {&texts.host, &texts.port, &texts.account, &texts.password};
  if (row < 0) row = m_rows.InsertItem(m_rows.GetItemCount(), texts.host, kRowImage);
  for (int column = 0; column < 4; ++column) m_rows.SetItemText(row, column, *cells[column]);
}

ConnRowTexts CConnListDlg::RowTexts(int row) const {
  return ConnRowTexts{m_rows.GetItemText(row, 0), m_rows.GetItemText(row, 1), m_rows.GetItemText(row, 2),
                      m_rows.GetItemText(row, 3)};
}

void CConnListDlg::Tell(UINT textId, UINT titleId, UINT type) {
  QelMessageBox(m_hWnd, QelLoadStringText(textId), QelLoadStringText(titleId), type);
}

int CConnListDlg::SelectedRowOrTell() {
  int row = m_rows.GetSelectedItem();
  if (row < 0) Tell(IDS_CONN_SELECT, IDS_CONN_TITLE_INFO, MB_OK);
  return row;
}

void CConnListDlg::OnAdd() {
  if (m_rows.GetItemCount() >= kMaxConnEntries) {
    Tell(IDS_CONN_FULL, IDS_CONN_TITLE_INFO, MB_OK);
    return;
  }
  CConnEditDlg edit(CConnEditDlg::Mode::kAdd, m_hWnd);
  if (edit.DoModal() != IDOK) return;
  PutRow(-1, ConnRowTexts{edit.m_host, PortText(edit.m_port), edit.m_account, edit.m_password});
  m_changed = true;
}

void CConnListDlg::OnModify() {
  int row = SelectedRowOrTell();
  if (row < 0) return;
  ConnRowTexts old = RowTexts(row);
  CConnEditDlg edit(CConnEditDlg::Mode::kModify, m_hWnd);
  edit.m_host = old.host;
  edit.m_port = EditPortOf(old.port);
  edit.m_account = old.account;
  edit.m_password = old.password;
  if (edit.DoModal() != IDOK) return;
  ConnRowTexts now{edit.m_host, PortText(edit.m_port), edit.m_account, edit.m_password};
  if (now.host == old.host && now.port == old.port && now.account == old.account &&
      now.password == old.password)
    return;
  PutRow(row, now);
  m_changed = true;
}

void CConnListDlg::OnDelete() {
  int row = SelectedRowOrTell();
  if (row < 0) return;
  int answer = QelMessageBox(m_hWnd, QelLoadStringText(IDS_CONN_ASK_DELETE),
                             QelLoadStringText(IDS_CONN_TITLE_ASK), MB_YESNOCANCEL | MB_ICONQUESTION);
  if (answer != IDYES) return;
  m_rows.DeleteItem(row);
  m_changed = true;
}

void CConnListDlg::OnOK() {
  RtdbConnEntry entries[kMaxConnEntries];
  int count = 0;
  for (int row = 0; row < m_rows.GetItemCount() && count < kMaxConnEntries; ++row)
    entries[count++] = EntryOf(RowTexts(row));
  m_list.Assign(entries, count);
  EndDialog(IDOK);
}

bool CConnListDlg::OnCommand(UINT id, UINT code, HWND) {
  if (code != BN_CLICKED) return false;
  switch (id) {
    case IDC_CONN_ADD: OnAdd(); return true;
    case IDC_CONN_MODIFY: OnModify(); return true;
    case IDC_CONN_DELETE: OnDelete(); return true;
  }
  return false;
}

bool CConnListDlg::OnNotify(NMHDR* header, LRESULT* result) {
  if (header->idFrom != IDC_CONN_ROWS || header->code != NM_DBLCLK) return false;
  OnModify();
  *result = 0;
  return true;
}
