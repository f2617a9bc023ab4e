#include "viewer_test_util.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

#include "../editctrl/picmsg.h"
#include "viewerprompt.h"

namespace viewertest {

namespace {

const char kFakeClass[] = "QELPICVIEW";
const UINT kRequestPictures = WM_APP + 1;
BoxRecorder* g_recorder = nullptr;

void RemoveTree(const std::string& folder) {
  WIN32_FIND_DATAA fd;
  HANDLE h = ::FindFirstFileA((folder + "*").c_str(), &fd);
  if (h != INVALID_HANDLE_VALUE) {
    do {
      std::string name = fd.cFileName;
      if (name == "." || name == "..") continue;
      std::string path = folder + name;
      if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        RemoveTree(path + "\\");
      else
        ::DeleteFileA(path.c_str());
    } while (::FindNextFileA(h, &fd));
    ::FindClose(h);
  }
  ::RemoveDirectoryA(folder.c_str());
}

void MakeFolders(const std::string& path) {
  for (size_t i = 0; i < path.size(); ++i)
    if (path[i] == '\\' || path[i] == '/') ::CreateDirectoryA(path.substr(0, i).c_str(), nullptr);
}

LRESULT CALLBACK FakeProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  RuntimeLog& log = Runtime();
  switch (msg) {
    case WM_CREATE:
      log.hwnd = hwnd;
      return 0;
    case QCM_SETHOSTCALLBACKS:
      log.events.push_back("host");
      log.host = *reinterpret_cast<const HostCallbackBlock*>(lp);
      return 0;
    case QCM_SETLOCALCALLBACKS:
      log.events.push_back("local");
      log.local = *reinterpret_cast<const LocalTagCallbackBlock*>(lp);
      return 0;
    case QCM_LOADPICDATA: {
      const PictureDataBlock* block = reinterpret_cast<const PictureDataBlock*>(lp);
      log.events.push_back("load");
      log.loads.emplace_back(static_cast<const char*>(block->bytes), block->count);
      if (std::memcmp(block->hostCallbacks, &log.host, sizeof log.host) != 0 ||
          std::memcmp(block->localTags, &log.local, sizeof log.local) != 0)
        log.tablesMatchedOnLoad = false;
      if (!log.requestOnLoad.empty()) {
        std::string name;
        name.swap(log.requestOnLoad);
        ::SendMessageA(::GetParent(hwnd), QCN_LINKPICTURE, ::GetDlgCtrlID(hwnd), reinterpret_cast<LPARAM>(name.c_str()));
      }
      return 0;
    }
    case kRequestPictures: {
      const auto* names = reinterpret_cast<const std::vector<const char*>*>(lp);
      for (const char* name : *names)
        ::SendMessageA(::GetParent(hwnd), QCN_LINKPICTURE, ::GetDlgCtrlID(hwnd), reinterpret_cast<LPARAM>(name));
      return 0;
    }
  }
  return ::DefWindowProcA(hwnd, msg, wp, lp);
}

int RecordBox(HWND, const char* text, const char* title, UINT type) {
  if (!g_recorder) return IDOK;
  g_recorder->shown.push_back({text ? text : "", title ? title : "(null)", type});
  if (g_recorder->answers.empty()) return IDOK;
  int answer = g_recorder->answers.front();
  g_recorder->answers.pop_front();
  return answer;
}

}  // namespace

ScratchFolder::ScratchFolder(const std::string& name) {
  char cwd[MAX_PATH];
  ::GetCurrentDirectoryA(MAX_PATH, cwd);
  m_path = std::string(cwd) + "\\" + name + "_" + std::to_string(::GetCurrentProcessId()) + "\\";
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

RuntimeLog& Runtime() {
  static RuntimeLog log;
  return log;
}

FakeRuntimeClass::FakeRuntimeClass() {
  Runtime() = RuntimeLog();
  WNDCLASSA wc = {};
  wc.lpfnWndProc = FakeProc;
  wc.hInstance = ::GetModuleHandleA(nullptr);
  wc.lpszClassName = kFakeClass;
  EXPECT_NE(::RegisterClassA(&wc), 0);
}

FakeRuntimeClass::~FakeRuntimeClass() { ::UnregisterClassA(kFakeClass, ::GetModuleHandleA(nullptr)); }

void RequestPictures(const std::vector<const char*>& names) {
  ASSERT_NE(Runtime().hwnd, nullptr);
  ::SendMessageA(Runtime().hwnd, kRequestPictures, 0, reinterpret_cast<LPARAM>(&names));
}

BoxRecorder::BoxRecorder() {
  g_recorder = this;
  SetViewerMessageBox(RecordBox);
}

BoxRecorder::~BoxRecorder() {
  SetViewerMessageBox(nullptr);
  g_recorder = nullptr;
}

std::vector<std::string> BoxRecorder::Texts() const {
  std::vector<std::string> texts;
  for (const ShownBox& b : shown) texts.push_back(b.text);
  return texts;
}

void PumpMessages() {
  MSG msg;
  while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&msg);
    ::DispatchMessageA(&msg);
  }
}

}  // namespace viewertest
