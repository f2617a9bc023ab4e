#include "conneditdlg.h"

#include "msgbox.h"
#include "resource.h"
#include "resources/resload.h"

namespace {
// What a blank IP address control reads.
const char kBlankHost[] = "0.0.0.0";
}  // namespace

CConnEditDlg::CConnEditDlg(Mode mode, HWND parent) : CDialog(IDD_CONN_EDIT, parent), m_mode(mode) {}

BOOL CConnEditDlg::OnInitDialog() {
  SetWindowText(QelLoadStringText(m_mode == Mode::kAdd ? IDS_CONN_CAPTION_ADD : IDS_CONN_CAPTION_MODIFY));
  m_hostCtrl.SubclassDlgItem(IDC_CONN_HOST, m_hWnd);
  m_hostCtrl.SetAddressText(m_host);
  return CDialog::OnInitDialog();
}

void CConnEditDlg::DoDataExchange(CDataExchange* dx) {
  DDX_Text(dx, IDC_CONN_PASSWORD, m_password);
  DDV_MaxChars(dx, m_password, 15);
  DDX_Text(dx, IDC_CONN_PORT, m_port);
  DDV_MinMaxUInt(dx, m_port, 1024, 65535);
  DDX_Text(dx, IDC_CONN_ACCOUNT, m_account);
  DDV_MaxChars(dx, m_account, 15);
}

void CConnEditDlg::OnOK() {
  if (!UpdateData(TRUE)) return;
  m_host = m_hostCtrl.GetAddressText();
  if (m_host == kBlankHost) {
    QelMessageBox(m_hWnd, QelLoadStringText(IDS_CONN_NEED_HOST), QelLoadStringText(IDS_CONN_TITLE_INFO),
                  MB_OK);
    m_hostCtrl.SetFocus();
    return;
  }
  EndDialog(IDOK);
}
