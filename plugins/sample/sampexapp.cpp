// The library's entry: registering the control's window class while the
// library loads, so that a host can create controls by the class name.
#include <windows.h>

#include "sampexctrl.h"
#include "sampexinfo.h"
#include "winapp.h"
#include "wndclass.h"

namespace {

class CSampexApp : public CWinApp {
 public:
  BOOL InitInstance() override {
    // CS_GLOBALCLASS (added by the layer) | CS_DBLCLKS: 0x4008.
    QelRegisterGlobalClass<CSampexCtrl>(kSampexClassName, CS_DBLCLKS,
                                        static_cast<HBRUSH>(::GetStockObject(LTGRAY_BRUSH)),
                                        ::LoadCursorA(nullptr, IDC_ARROW));
    return CWinApp::InitInstance();
  }
};
CSampexApp theApp;

}  // namespace

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
  return QelDllMain(instance, reason, reserved);
}
