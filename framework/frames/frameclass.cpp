#include "frames/frameclass.h"

#include <map>
#include <string>

#include "wndmodule.h"

const char* QelFrameClass(const char* prefix, UINT iconId, WNDPROC defaultProc, HBRUSH background) {
  static std::map<std::string, bool> made;  // the names stay put: c_str() is handed out
  std::string name = std::string(prefix) + std::to_string(iconId);
  auto it = made.find(name);
  if (it != made.end()) return it->first.c_str();
  HINSTANCE res = QelGetResourceHandle();
  WNDCLASSEXA wc = {};
  wc.cbSize = sizeof wc;
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = defaultProc;
  wc.hInstance = QelGetInstanceHandle();
  wc.hIcon = ::LoadIconA(res, MAKEINTRESOURCEA(iconId));
  if (!wc.hIcon) wc.hIcon = ::LoadIconA(nullptr, IDI_APPLICATION);
  wc.hIconSm = static_cast<HICON>(::LoadImageA(res, MAKEINTRESOURCEA(iconId), IMAGE_ICON, 16, 16, 0));
  wc.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
  wc.hbrBackground = background;
  wc.lpszClassName = name.c_str();
  if (!::RegisterClassExA(&wc) && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return nullptr;
  return made.emplace(name, true).first->first.c_str();
}
