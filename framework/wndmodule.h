// The state of one module (program or DLL) that links the window layer.
//
// The layer is a static library, so every program and every DLL carries its own
// copy of this state: its own instance and resource handles, its own handle map
// and its own application object. A DLL's dialogs and strings therefore load
// from the DLL itself, and a window object made by a DLL is found only through
// that DLL's map; nothing needs to be switched on entry to an export or a
// window procedure.
#pragma once
#include <windows.h>

#include <string>
#include <unordered_map>
#include <vector>

class CWnd;
class CWinApp;

// Called with the window, the message and a GBK description when a handler lets
// an exception reach the window procedure.
using QelExceptionReporter = void (*)(HWND hwnd, UINT msg, const char* what);

struct QelModuleState {
  HINSTANCE hInstance = nullptr;                   // the module's own instance
  HINSTANCE hResource = nullptr;                   // where dialogs and strings are loaded from
  CWinApp* app = nullptr;                          // the module's application object, if any
  std::unordered_map<HWND, CWnd*> windows;         // handle map: handle -> attached object
  std::vector<ATOM> ownClasses;                    // classes to unregister when a DLL is unloaded
  QelExceptionReporter reportException = nullptr;  // nullptr: the standard box
};

// This module's state; the instance and resource handles start as the module's
// own image, before DllMain or WinMain has run.
QelModuleState& QelGetModuleState();

HINSTANCE QelGetInstanceHandle();
HINSTANCE QelGetResourceHandle();
void QelSetResourceHandle(HINSTANCE resources);
// The module's file name without folder and extension ("QelRun").
std::string QelGetModuleName();

// Loads a string resource from the module's resources into buf (capacity n);
// returns its length, 0 (and an empty buf) when there is none.
int QelLoadString(UINT id, char* buf, int n);

// Replaces the handler of exceptions caught at window procedures (nullptr puts
// back the standard message box); returns the previous one.
QelExceptionReporter QelSetExceptionReporter(QelExceptionReporter reporter);
