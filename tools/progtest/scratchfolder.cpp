#include "scratchfolder.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>

namespace progtest {

namespace {

void MakeFolders(const std::string& path) {
  for (size_t i = 0; i < path.size(); ++i)
    if (path[i] == '\\' || path[i] == '/') ::CreateDirectoryA(path.substr(0, i).c_str(), nullptr);
}

}  // namespace

void RemoveTree(const std::string& folder) {
  WIN32_FIND_DATAA fd;
  HANDLE h = ::FindFirstFileA((folder + "*").c_str(), &fd);
  if (h != INVALID_HANDLE_VALUE) {
    do {
      std::string name = fd.cFileName;
      if (name == "." || name == "..") continue;
      std::string path = folder + name;
      if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(path + "\\");
      } else {
        ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        ::DeleteFileA(path.c_str());
      }
    } while (::FindNextFileA(h, &fd));
    ::FindClose(h);
  }
  ::RemoveDirectoryA(folder.c_str());
}

ScratchFolder::ScratchFolder(const std::string& name) {
  char cwd[MAX_PATH];
  ::GetCurrentDirectoryA(MAX_PATH, cwd);
  static LONG made = 0;
  const LONG number = ::InterlockedIncrement(&made);
  m_path = std::string(cwd) + "\\" + name + "_" + std::to_string(::GetCurrentProcessId()) + "_" +
           std::to_string(number) + "\\";
  RemoveTree(m_path);
  MakeFolders(m_path);
}

ScratchFolder::~ScratchFolder() { RemoveTree(m_path); }

void ScratchFolder::WriteFile(const std::string& relative, const std::string& bytes) const {
  std::string path = m_path + relative;
  MakeFolders(path);
  FILE* f = std::fopen(path.c_str(), "wb");
  ASSERT_NE(f, nullptr) << path;
  std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::fclose(f);
}

std::string ScratchFolder::ReadFile(const std::string& relative) const {
  std::string bytes;
  if (FILE* f = std::fopen((m_path + relative).c_str(), "rb")) {
    char buf[4096];
    size_t got;
    while ((got = std::fread(buf, 1, sizeof buf, f)) > 0) bytes.append(buf, got);
    std::fclose(f);
  }
  return bytes;
}

bool ScratchFolder::Exists(const std::string& relative) const {
  return ::GetFileAttributesA((m_path + relative).c_str()) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace progtest
