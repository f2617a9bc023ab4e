// CConnEditDlg (dialog 27002): one connection entry, added or modified.
#pragma once
#include "controls/ipaddress.h"
#include "dialogs/dialog.h"

class CConnEditDlg : public CDialog {
 public:
  enum class Mode { kAdd, kModify };
  CConnEditDlg(Mode mode, HWND parent);

  // In add mode all empty and port 0; in modify mode the row's values.
  CString m_host;
  UINT m_port = 0;
  CString m_account;
  CString m_password;

 protected:
  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* dx) override;
  void OnOK() override;

 private:
  Mode m_mode;
  CIPAddressCtrl m_hostCtrl;
};
