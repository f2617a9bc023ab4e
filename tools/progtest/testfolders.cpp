#include "testfolders.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>

#include "qel/exportproc.h"

namespace progtest {

namespace {

// Wine's own export that names the drive path of a Linux path; real Windows
// has none (and is never handed a Linux path).
typedef LPWSTR(__cdecl* LinuxToDrivePathFn)(LPCSTR);

std::string DrivePath(const std::string& linuxPath) {
  auto convert =
      QelFindExport<LinuxToDrivePathFn>(::GetModuleHandleA("kernel32.dll"), "wine_get_dos_file_name");
  if (!convert) return "";
  LPWSTR wide = convert(linuxPath.c_str());
  if (!wide) return "";
  char path[MAX_PATH * 2] = "";
  const int length = ::WideCharToMultiByte(CP_ACP, 0, wide, -1, path, sizeof path, nullptr, nullptr);
  ::HeapFree(::GetProcessHeap(), 0, wide);
  return length > 0 ? path : "";
}

}  // namespace

std::string FolderFromEnvironment(const char* variable, const std::string& relative) {
  const char* value = std::getenv(variable);
  if (!value || !*value) {
    ADD_FAILURE() << variable << " is not set (ctest sets it; a run by hand sets it too)";
    return "";
  }
  std::string folder = value[0] == '/' ? DrivePath(value) : value;
  if (folder.empty()) {
    ADD_FAILURE() << variable << "=" << value << " has no drive path in this session";
    return "";
  }
  while (!folder.empty() && (folder.back() == '\\' || folder.back() == '/')) folder.pop_back();
  return relative.empty() ? folder : folder + "\\" + relative;
}

}  // namespace progtest
