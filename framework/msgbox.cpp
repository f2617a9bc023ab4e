#include "msgbox.h"

#include <string>

#include "winapp.h"
#include "wndmodule.h"

namespace {

HWND TopLevelOwner(HWND owner) {
  if (!owner) owner = ::GetActiveWindow();
  return owner && ::IsWindow(owner) ? ::GetAncestor(owner, GA_ROOT) : nullptr;
}

std::string AppName() {
  CWinApp* app = QelGetApp();
  return app && app->m_pszAppName ? app->m_pszAppName : QelGetModuleName();
}

std::string OwnerTitle(HWND owner) {
  std::string title;
  if (owner) {
    int n = ::GetWindowTextLengthA(owner);
    if (n > 0) {
      title.resize(n + 1);
      title.resize(::GetWindowTextA(owner, &title[0], n + 1));
    }
  }
  return title.empty() ? AppName() : title;
}

QelMessageBoxFn g_hook = nullptr;
QelBeepFn g_beepHook = nullptr;

}  // namespace

QelMessageBoxFn QelSetMessageBoxHook(QelMessageBoxFn fn) {
  QelMessageBoxFn previous = g_hook;
  g_hook = fn;
  return previous;
}

int QelMessageBox(HWND owner, const char* text, const char* title, UINT type) {
  if (g_hook) return g_hook(owner, text, title, type);
  HWND top = TopLevelOwner(owner);
  std::string caption = title ? std::string(title) : OwnerTitle(top);
  return ::MessageBoxA(top, text ? text : "", caption.c_str(), type);
}

QelBeepFn QelSetBeepHook(QelBeepFn fn) {
  QelBeepFn previous = g_beepHook;
  g_beepHook = fn;
  return previous;
}

void QelBeep(UINT type) {
  if (g_beepHook)
    g_beepHook(type);
  else
    ::MessageBeep(type);
}
