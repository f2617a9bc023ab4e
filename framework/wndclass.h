// Window classes whose procedure makes the window's object.
//
// A library that offers a window class to any program (a picture window, a
// plug-in control) registers it as a global class when it loads:
//
//   QelRegisterGlobalClass<CPicRunWnd>("QELPICVIEW", CS_DBLCLKS,
//                                      (HBRUSH)::GetStockObject(LTGRAY_BRUSH));
//
// Each window of the class gets a new object (made with `new T`) on its first
// message, attached to its handle; after WM_NCDESTROY the object is detached
// and deleted. The class is registered with this module's own instance. When a
// DLL is unloaded (FreeLibrary), QelDllMain unregisters the classes it
// registered here, so that loading it again registers them afresh instead of
// leaving a class whose procedure points into the unloaded image.
#pragma once
#include <windows.h>

#include "wnd.h"

// The procedure shared by every such class: make finds the new object.
LRESULT QelCreatingWndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, CWnd* (*make)());

// Registers a class of this module with proc; 0 when the platform refuses (for
// instance a class of that name that this module registered already).
ATOM QelRegisterCreatingClass(const char* name, UINT style, HBRUSH background, HCURSOR cursor, WNDPROC proc);
// Unregisters every class registered through QelRegisterCreatingClass.
void QelUnregisterOwnClasses();

template <class T>
CWnd* QelNewWindowObject() {
  return new T;
}

template <class T>
LRESULT CALLBACK QelGlobalClassProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  return QelCreatingWndProc(hwnd, msg, wp, lp, &QelNewWindowObject<T>);
}

// A class of this module, visible to every module of the process
// (CS_GLOBALCLASS is added), whose windows each get a T.
template <class T>
ATOM QelRegisterGlobalClass(const char* name, UINT style, HBRUSH background, HCURSOR cursor = nullptr) {
  return QelRegisterCreatingClass(name, style | CS_GLOBALCLASS, background, cursor, &QelGlobalClassProc<T>);
}
