#include "winapp.h"

#include "wndclass.h"
#include "wndimpl.h"
#include "wndmodule.h"

namespace {

// Start-up and shut-down are callbacks of the loader or of WinMain: no
// exception may leave them; a failure is reported like one in a window.
template <class Fn>
int Guarded(Fn fn, int onFailure) {
  int result = onFailure;
  QelGuarded(nullptr, WM_NULL, [&] {
    result = static_cast<int>(fn());
    return LRESULT(0);
  });
  return result;
}

}  // namespace

CWinApp::CWinApp(const char* appName)
    : m_hInstance(QelGetInstanceHandle()), m_appName(appName ? appName : QelGetModuleName()) {
  m_pszAppName = m_appName.c_str();
  QelModuleState& state = QelGetModuleState();
  if (!state.app) state.app = this;
}

CWinApp::~CWinApp() {
  QelModuleState& state = QelGetModuleState();
  if (state.app == this) state.app = nullptr;
}

BOOL CWinApp::InitInstance() { return TRUE; }
int CWinApp::ExitInstance() { return m_exitCode; }
BOOL CWinApp::PreTranslateMessage(MSG*) { return FALSE; }

BOOL CWinApp::PreTranslateTree(MSG* msg) {
  return QelWalkPreTranslateTree(nullptr, msg) || PreTranslateMessage(msg);
}

int CWinApp::Run() {
  MSG msg;
  for (;;) {
    BOOL got = ::GetMessageA(&msg, nullptr, 0, 0);
    if (got == 0) {
      m_exitCode = static_cast<int>(msg.wParam);
      break;
    }
    if (got == -1) {
      m_exitCode = -1;
      break;
    }
    if (!PreTranslateTree(&msg)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageA(&msg);
    }
  }
  return m_exitCode;
}

CWinApp* QelGetApp() { return QelGetModuleState().app; }

int QelRunApp(HINSTANCE instance, int cmdShow) {
  QelModuleState& state = QelGetModuleState();
  state.hInstance = state.hResource = instance;
  CWinApp* app = state.app;
  if (!app) return -1;
  app->m_hInstance = instance;
  app->m_nCmdShow = cmdShow;
  app->m_runsLoop = true;
  if (Guarded([app] { return app->InitInstance(); }, FALSE))
    Guarded([app] { return app->Run(); }, -1);
  else
    app->m_exitCode = -1;
  int code = Guarded([app] { return app->ExitInstance(); }, -1);
  app->m_runsLoop = false;
  return code;
}

BOOL QelDllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
  QelModuleState& state = QelGetModuleState();
  CWinApp* app = state.app;
  switch (reason) {
    case DLL_PROCESS_ATTACH:
      state.hInstance = state.hResource = instance;
      if (!app) return TRUE;
      app->m_hInstance = instance;
      if (Guarded([app] { return app->InitInstance(); }, FALSE)) return TRUE;
      Guarded([app] { return app->ExitInstance(); }, -1);
      if (reserved == nullptr) QelUnregisterOwnClasses();  // the load is refused: undo it
      return FALSE;
    case DLL_PROCESS_DETACH:
      if (app) Guarded([app] { return app->ExitInstance(); }, -1);
      // At process end (reserved non-null) the classes go with the process.
      if (reserved == nullptr) QelUnregisterOwnClasses();
      return TRUE;
  }
  return TRUE;
}
