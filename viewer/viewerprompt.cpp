#include "viewerprompt.h"

#include "msgbox.h"

namespace {
ViewerMessageBoxFn g_messageBox = nullptr;
}

int ViewerMessageBox(HWND owner, const char* text, const char* title, UINT type) {
  return g_messageBox ? g_messageBox(owner, text, title, type) : QelMessageBox(owner, text, title, type);
}

ViewerMessageBoxFn SetViewerMessageBox(ViewerMessageBoxFn fn) {
  ViewerMessageBoxFn previous = g_messageBox;
  g_messageBox = fn;
  return previous;
}
