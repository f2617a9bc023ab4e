#include "editctrl_testfiles.h"

#include <algorithm>
#include <fstream>

namespace edittest {

namespace {

void DeleteFilesIn(const std::string& folder) {
  WIN32_FIND_DATAA found;
  HANDLE h = ::FindFirstFileA((folder + "*").c_str(), &found);
  if (h == INVALID_HANDLE_VALUE) return;
  do {
    std::string name = found.cFileName;
    if (name == "." || name == "..") continue;
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      DeleteFilesIn(folder + name + "\\");
      ::RemoveDirectoryA((folder + name).c_str());
    } else {
      ::DeleteFileA((folder + name).c_str());
    }
  } while (::FindNextFileA(h, &found));
  ::FindClose(h);
}

// The files of this test process: ctest runs the cases side by side, each
// in its own process, so every process works in a folder of its own, which
// goes when the process ends.
struct ProcessFolder {
  std::string path;
  ProcessFolder() {
    char cwd[MAX_PATH] = "";
    ::GetCurrentDirectoryA(sizeof cwd, cwd);
    path = std::string(cwd) + "\\editctrl_files";
    ::CreateDirectoryA(path.c_str(), nullptr);
    path += "\\p" + std::to_string(::GetCurrentProcessId());
    ::CreateDirectoryA(path.c_str(), nullptr);
    path += "\\";
  }
  ~ProcessFolder() {
    DeleteFilesIn(path);
    ::RemoveDirectoryA(path.substr(0, path.size() - 1).c_str());
  }
};

const std::string& ProcessFolderPath() {
  static ProcessFolder folder;
  return folder.path;
}

}  // namespace

std::string FreshFolder(const char* name) {
  std::string folder = ProcessFolderPath() + name;
  ::CreateDirectoryA(folder.c_str(), nullptr);
  folder += "\\";
  DeleteFilesIn(folder);
  return folder;
}

std::vector<BYTE> ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<BYTE>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::string& path, const std::vector<BYTE>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::vector<std::string> FileNamesIn(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found;
  HANDLE h = ::FindFirstFileA((folder + "*").c_str(), &found);
  if (h == INVALID_HANDLE_VALUE) return names;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(found.cFileName);
  } while (::FindNextFileA(h, &found));
  ::FindClose(h);
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace edittest
