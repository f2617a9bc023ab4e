// Helpers for tests of real windows: pumping messages and plain windows.
#pragma once
#include <windows.h>

#include "window.h"

namespace wndtest {

// Dispatches this thread's waiting messages.
inline void PumpPending() {
  MSG msg;
  while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&msg);
    ::DispatchMessageA(&msg);
  }
}

// Pumps messages until done() holds or timeoutMs have passed; returns done().
template <class Done>
bool PumpUntil(Done done, DWORD timeoutMs = 3000) {
  DWORD start = ::GetTickCount();
  while (!done()) {
    if (::GetTickCount() - start > timeoutMs) return done();
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    PumpPending();
  }
  return true;
}

namespace detail {
inline bool& MarkerFired() {
  static bool fired = false;
  return fired;
}
inline void CALLBACK FireMarker(HWND, UINT, UINT_PTR, DWORD) { MarkerFired() = true; }
}  // namespace detail

// Pumps until a timer set now has fired. Timer messages come after every
// other kind: once it fired, whatever was sent, posted or put in by input
// before, and every paint due, has been dispatched. The positive marker for
// a check that something did not happen; false when the timer never came
// (a message or paint that keeps coming back holds it off).
// One message at a time, so that the limit holds also then.
inline bool PumpPastTheQueue(DWORD timeoutMs = 30000) {
  detail::MarkerFired() = false;
  const UINT_PTR id = ::SetTimer(nullptr, 0, 1, detail::FireMarker);
  const DWORD start = ::GetTickCount();
  while (!detail::MarkerFired() && ::GetTickCount() - start <= timeoutMs) {
    MSG msg;
    if (!::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
      continue;
    }
    ::TranslateMessage(&msg);
    ::DispatchMessageA(&msg);
  }
  ::KillTimer(nullptr, id);
  return detail::MarkerFired();
}

namespace detail {
inline BOOL CALLBACK TakeShownMenu(HWND hwnd, LPARAM out) {
  char name[16] = "";
  if (!::IsWindowVisible(hwnd) || !::GetClassNameA(hwnd, name, sizeof name) ||
      ::lstrcmpA(name, "#32768") != 0)
    return TRUE;
  *reinterpret_cast<HWND*>(out) = hwnd;
  return FALSE;
}
}  // namespace detail

// The pop-up menu that this thread shows, or null. Every program's menus
// are of the class "#32768", and the shared test display may show another
// program's menu at the same time: a search by class alone could find it.
inline HWND ShownMenuOfThisThread() {
  HWND menu = nullptr;
  ::EnumThreadWindows(::GetCurrentThreadId(), detail::TakeShownMenu, reinterpret_cast<LPARAM>(&menu));
  return menu;
}

// A class with the default procedure; CreateEx puts the layer's in front.
inline const char* PlainClass() {
  static const char* name = [] {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = ::DefWindowProcA;
    wc.hInstance = QelGetInstanceHandle();
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = "QelWndTestPlain";
    ::RegisterClassA(&wc);
    return "QelWndTestPlain";
  }();
  return name;
}

// A top-level window for children to live in; shown when visible is true.
inline BOOL CreateTopLevel(CWnd& wnd, bool visible, const char* title = "test") {
  DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | (visible ? WS_VISIBLE : 0);
  return wnd.CreateEx(0, PlainClass(), title, style, 10, 10, 400, 300, nullptr, nullptr);
}

inline RECT Rect(int l, int t, int r, int b) { return RECT{l, t, r, b}; }

}  // namespace wndtest
