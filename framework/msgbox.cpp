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
  // Without a title of its own a box says which program asks: the owner's
  // title (a frame's, with its document and picture) is cut short there.
  std::string caption = title ? std::string(title) : AppName();
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
