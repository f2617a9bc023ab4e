// The library's entry: the application object whose start-up prepares COM,
// makes the picture model and the links known to the class registry and
// registers the editing window's class for every program of the process.
#include <windows.h>
#include <ole2.h>

#include "linkclasses.h"
#include "olecontainment.h"
#include "piceditapp.h"
#include "piceditwnd.h"
#include "pictureclasses.h"
#include "winapp.h"
#include "wndclass.h"

ATOM RegisterPicEditClass() {
  return QelRegisterGlobalClass<CPicEditWnd>("QELPICEDIT", CS_DBLCLKS,
                                             static_cast<HBRUSH>(::GetStockObject(LTGRAY_BRUSH)));
}

BOOL CPicEditApp::InitInstance() {
  // A thread that runs COM in another mode keeps it: then this library
  // neither owns nor ends COM.
  m_bComInitialized = SUCCEEDED(::CoInitialize(nullptr));
  QelEnableControlContainer();  // pictures may hold ActiveX controls
  RegisterPictureClasses();
  RegisterLinkClasses();
  RegisterPicEditClass();  // the result is not needed: the class stays for the process
  return CWinApp::InitInstance();
}

int CPicEditApp::ExitInstance() {
  if (m_bComInitialized) {
    ::CoUninitialize();
    m_bComInitialized = false;
  }
  return CWinApp::ExitInstance();
}

CPicEditApp theApp;

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
  return QelDllMain(instance, reason, reserved);
}
