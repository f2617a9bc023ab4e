// What happens when a handler lets an exception reach a window procedure.
#include "msgbox.h"
#include "wndimpl.h"
#include "wndmodule.h"

namespace {

const char kErrorTitle[] = "错误";

// The standard report: an error box owned by the window's top-level window,
// except while the window is being made or taken down.
void ShowStandardReport(HWND hwnd, UINT msg, const char* what) {
  bool settled =
      msg != WM_NCCREATE && msg != WM_CREATE && msg != WM_DESTROY && msg != WM_NCDESTROY && ::IsWindow(hwnd);
  HWND owner = settled ? ::GetAncestor(hwnd, GA_ROOT) : nullptr;
  QelMessageBox(owner, what, kErrorTitle, MB_OK | MB_ICONERROR);
}

}  // namespace

LRESULT QelAfterException(HWND hwnd, UINT msg, const char* what) {
  LRESULT result = 0;
  switch (msg) {
    case WM_NCCREATE: result = FALSE; break;  // the window is not made
    case WM_CREATE: result = -1; break;
    case WM_PAINT: ::ValidateRect(hwnd, nullptr); break;  // else it is asked again at once
  }
  QelExceptionReporter report = QelGetModuleState().reportException;
  const char* text = what && *what ? what : "?";
  try {
    if (report)
      report(hwnd, msg, text);
    else
      ShowStandardReport(hwnd, msg, text);
  } catch (...) {
    // A failing report must not carry an exception out of the procedure either.
  }
  return result;
}
