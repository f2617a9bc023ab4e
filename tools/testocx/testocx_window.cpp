// The control's window: its back colour with its text in the middle, on the
// screen and into a context given with WM_PRINTCLIENT.
#include <windows.h>

#include "testocx_control.h"
#include "testocx_ids.h"
#include "testocx_module.h"

namespace {

void Draw(HWND window, HDC dc, const TestOcxState& state) {
  RECT client;
  ::GetClientRect(window, &client);
  HBRUSH back = ::CreateSolidBrush(static_cast<COLORREF>(state.backColor));
  ::FillRect(dc, &client, back);
  ::DeleteObject(back);
  ::SetBkMode(dc, TRANSPARENT);
  ::DrawTextW(dc, state.text.c_str(), static_cast<int>(state.text.size()), &client,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

void Paint(HWND window, const TestOcxState& state) {
  PAINTSTRUCT ps;
  HDC dc = ::BeginPaint(window, &ps);
  Draw(window, dc, state);
  ::EndPaint(window, &ps);
}

LRESULT CALLBACK WindowProc(HWND window, UINT msg, WPARAM wp, LPARAM lp) {
  auto* control = reinterpret_cast<CTestOcx*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  switch (msg) {
    case WM_NCCREATE: {
      auto* create = reinterpret_cast<CREATESTRUCTW*>(lp);
      ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
      break;
    }
    case WM_ERASEBKGND: return 1;
    case WM_PAINT:
      if (control) {
        Paint(window, control->State());
        return 0;
      }
      break;
    case WM_PRINTCLIENT:  // the tests read what the control draws so
      if (control) {
        Draw(window, reinterpret_cast<HDC>(wp), control->State());
        return 0;
      }
      break;
  }
  return ::DefWindowProcW(window, msg, wp, lp);
}

}  // namespace

bool RegisterTestOcxWindowClass(HINSTANCE instance) {
  WNDCLASSW wc = {};
  wc.lpfnWndProc = WindowProc;
  wc.hInstance = instance;
  wc.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
  wc.lpszClassName = TESTOCX_WINDOW_CLASS;
  return ::RegisterClassW(&wc) != 0;
}

void UnregisterTestOcxWindowClass(HINSTANCE instance) { ::UnregisterClassW(TESTOCX_WINDOW_CLASS, instance); }

HWND CreateTestOcxWindow(CTestOcx* control, HWND parent, const RECT& rect) {
  return ::CreateWindowExW(0, TESTOCX_WINDOW_CLASS, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, rect.left,
                           rect.top, rect.right - rect.left, rect.bottom - rect.top, parent, nullptr,
                           TestOcxInstance(), control);
}
