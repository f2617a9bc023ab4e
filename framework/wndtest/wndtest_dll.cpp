// A DLL built on the window layer, loaded by the window tests: its start-up
// registers a global class whose windows make their object on the first message.
#include "window.h"

namespace {

int g_initCount = 0;
int g_liveObjects = 0;
int g_childClicks = 0;

class CDllWnd : public CWnd {
 public:
  CDllWnd() { ++g_liveObjects; }
  ~CDllWnd() override { --g_liveObjects; }
};

// A button of this DLL whose parent lives in the program: its click comes back
// to it across the two modules.
class CDllButton : public CWnd {
 public:
  bool OnChildNotify(UINT msg, WPARAM wp, LPARAM, LRESULT* result) override {
    if (msg != WM_COMMAND || HIWORD(wp) != BN_CLICKED) return false;
    ++g_childClicks;
    *result = 0;
    return true;
  }
};
CDllButton g_button;

class CTestDllApp : public CWinApp {
 public:
  BOOL InitInstance() override {
    ++g_initCount;
    QelRegisterGlobalClass<CDllWnd>("QelWndTestDllClass", CS_DBLCLKS,
                                    static_cast<HBRUSH>(::GetStockObject(LTGRAY_BRUSH)));
    return CWinApp::InitInstance();
  }
};
CTestDllApp theApp;

}  // namespace

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
  return QelDllMain(instance, reason, reserved);
}

extern "C" {

int __stdcall WndTestInitCount() { return g_initCount; }
int __stdcall WndTestLiveObjects() { return g_liveObjects; }
int __stdcall WndTestChildClicks() { return g_childClicks; }

HWND __stdcall WndTestMakeChildButton(HWND parent, int id) {
  if (g_button.m_hWnd) return nullptr;
  RECT r = {10, 10, 110, 40};
  return g_button.Create("BUTTON", "dll", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, r, parent, id)
             ? g_button.m_hWnd
             : nullptr;
}

int __stdcall WndTestLoadString(UINT id, char* buf, int n) { return QelLoadString(id, buf, n); }
HINSTANCE __stdcall WndTestResourceHandle() { return QelGetResourceHandle(); }

}  // extern "C"
