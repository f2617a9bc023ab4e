#include "frames/frameclass.h"

#include <map>
#include <string>

#include "wndmodule.h"

namespace {

// Registers the class once; its name, kept for the program's life.
const char* RegisterOnce(const std::string& name, UINT style, WNDPROC proc, HBRUSH background, UINT iconId) {
  static std::map<std::string, bool> made;  // the names stay put: c_str() is handed out
  auto it = made.find(name);
  if (it != made.end()) return it->first.c_str();
  HINSTANCE res = QelGetResourceHandle();
  WNDCLASSEXA wc = {};
  wc.cbSize = sizeof wc;
  wc.style = style;
  wc.lpfnWndProc = proc;
  wc.hInstance = QelGetInstanceHandle();
  if (iconId) {
    wc.hIcon = ::LoadIconA(res, MAKEINTRESOURCEA(iconId));
    if (!wc.hIcon) wc.hIcon = ::LoadIconA(nullptr, IDI_APPLICATION);
    wc.hIconSm = static_cast<HICON>(::LoadImageA(res, MAKEINTRESOURCEA(iconId), IMAGE_ICON, 16, 16, 0));
  }
  wc.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
  wc.hbrBackground = background;
  wc.lpszClassName = name.c_str();
  if (!::RegisterClassExA(&wc) && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return nullptr;
  return made.emplace(name, true).first->first.c_str();
}

}  // namespace

const char* QelFrameClass(const char* prefix, UINT iconId, WNDPROC defaultProc, HBRUSH background) {
  return RegisterOnce(std::string(prefix) + std::to_string(iconId), CS_DBLCLKS, defaultProc, background,
                      iconId);
}

const char* QelPlainWindowClass(const char* name, UINT style, HBRUSH background) {
  return RegisterOnce(name, style, ::DefWindowProcA, background, 0);
}
