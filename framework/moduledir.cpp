#include "moduledir.h"

#include <windows.h>

#include <cstdlib>

namespace {
// A byte of this module: its address names the module that holds this code,
// not the program that loaded it.
const char kAnchor = 0;
}  // namespace

CString GetModuleDir() {
  HMODULE module = nullptr;
  ::GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       &kAnchor, &module);
  char path[MAX_PATH] = {};
  const DWORD n = ::GetModuleFileNameA(module, path, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return CString();
  char drive[_MAX_DRIVE] = {};
  char dir[_MAX_DIR] = {};
  _splitpath(path, drive, dir, nullptr, nullptr);
  CString folder(drive);
  folder += dir;
  if (folder.IsEmpty() || folder[folder.GetLength() - 1] != '\\') folder += "\\";
  return folder;
}
