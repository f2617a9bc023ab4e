// A DLL with a dialog and a string of the same ids as the test program's:
// the dialog it shows must come from its own resources.
#include "dialogs/dialog.h"
#include "dialogs_test_res.h"
#include "resources/resload.h"
#include "window.h"

namespace {

class CDllDialog : public CDialog {
 public:
  CDllDialog(HWND parent) : CDialog(IDD_PLAIN, parent) {}

 protected:
  BOOL OnInitDialog() override {
    SetDlgItemText(IDC_PLAIN_NOTE, QelLoadStringText(IDS_OWN_TEXT));
    return CDialog::OnInitDialog();
  }
};

}  // namespace

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
  return QelDllMain(instance, reason, reserved);
}

extern "C" {

INT_PTR __stdcall DlgTestShowDialog(HWND parent) {
  CDllDialog dialog(parent);
  return dialog.DoModal();
}

}  // extern "C"
