// The library entry of QelRun.dll: loading it prepares COM, makes the
// picture model's and the links' classes known, and registers the global
// window class "QELPICVIEW", whose windows each get a CPicRunWnd on their
// first message. Everything else passes through that window's messages.
#include <objbase.h>

#include "linkclasses.h"
#include "olecontainment.h"
#include "picrunwnd.h"
#include "pictureclasses.h"
#include "window.h"

namespace {

class CPicRunApp : public CWinApp {
 public:
  BOOL InitInstance() override {
    // COM is uninitialised on exit only when this library initialised it;
    // a host thread already in another apartment mode keeps its own.
    m_comInitialized = SUCCEEDED(::CoInitialize(nullptr));
    QelEnableControlContainer();  // pictures may hold ActiveX controls
    RegisterPictureClasses();
    RegisterLinkClasses();
    QelRegisterGlobalClass<CPicRunWnd>(kPicRunClassName, CS_DBLCLKS,
                                       static_cast<HBRUSH>(::GetStockObject(LTGRAY_BRUSH)));
    return CWinApp::InitInstance();
  }

  int ExitInstance() override {
    if (m_comInitialized) ::CoUninitialize();
    m_comInitialized = false;
    return CWinApp::ExitInstance();
  }

 private:
  static constexpr const char* kPicRunClassName = "QELPICVIEW";
  bool m_comInitialized = false;
};

CPicRunApp theApp;

}  // namespace

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
  return QelDllMain(instance, reason, reserved);
}
