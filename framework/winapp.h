// CWinApp: the start-up and shut-down of one module, a program or a DLL.
//
// A module defines one application object at namespace scope; it becomes the
// module's application when constructed:
//
//   class CPicRunApp : public CWinApp {
//     BOOL InitInstance() override { /* register the window class */ return TRUE; }
//   };
//   CPicRunApp theApp;
//
// and hands its entry point to the layer:
//
//   BOOL WINAPI DllMain(HINSTANCE h, DWORD why, LPVOID r) { return QelDllMain(h, why, r); }
//   int WINAPI WinMain(HINSTANCE h, HINSTANCE, LPSTR, int show) { return QelRunApp(h, show); }
//
// A DLL runs InitInstance when it is loaded (FALSE refuses the load) and
// ExitInstance when it is unloaded; a program runs InitInstance, then the
// message loop until WM_QUIT, then ExitInstance, whose result is the exit code.
// Destroying the window named m_pMainWnd ends a program's loop.
#pragma once
#include <windows.h>

#include <string>

#include "commands/cmdtarget.h"

class CWnd;

// The application is the last target of the command route (frames/frame.h).
class CWinApp : public CCmdTarget {
 public:
  // appName nullptr: the module's file name without folder and extension.
  explicit CWinApp(const char* appName = nullptr);
  virtual ~CWinApp();
  CWinApp(const CWinApp&) = delete;
  CWinApp& operator=(const CWinApp&) = delete;

  virtual BOOL InitInstance();
  // The exit code: the WM_QUIT code after the loop, -1 when start-up failed.
  virtual int ExitInstance();
  // The message loop; returns the WM_QUIT code.
  virtual int Run();
  // Gives the application a message before it is dispatched, after the
  // windows it is meant for (QelWalkPreTranslateTree); TRUE eats it.
  virtual BOOL PreTranslateMessage(MSG* msg);
  // What every loop of the program does with a message before dispatching
  // it: the windows it is meant for, then the application; TRUE eats it.
  BOOL PreTranslateTree(MSG* msg);

  bool RunsMessageLoop() const { return m_runsLoop; }

  HINSTANCE m_hInstance = nullptr;
  const char* m_pszAppName = nullptr;
  int m_nCmdShow = SW_SHOWNORMAL;
  CWnd* m_pMainWnd = nullptr;

 protected:
  int m_exitCode = 0;

 private:
  friend int QelRunApp(HINSTANCE, int);
  std::string m_appName;
  bool m_runsLoop = false;
};

// This module's application object, or nullptr.
CWinApp* QelGetApp();

// A program's WinMain: start-up, message loop, shut-down; the exit code.
int QelRunApp(HINSTANCE instance, int cmdShow);
// A DLL's DllMain: start-up on load, shut-down (and its classes unregistered)
// on unload.
BOOL QelDllMain(HINSTANCE instance, DWORD reason, LPVOID reserved);
