// Viewer benchmarks, with the simulated tag server in this process:
//  1. from starting QelView.exe on the demo project to the first painted
//     start picture with a live value (the column's level, set on the
//     server, seen on the screen);
//  2. one picture switch (the posted QVM_LOADLINKEDPIC: read, load, first
//     paint) between two pictures of 1,000 objects each, in a view of this
//     process hosting the real runtime window.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "qel/picmsg.h"
#include "benchclock.h"
#include "crtformat.h"
#include "demoproject.h"
#include "picobj.h"
#include "runtimeview.h"
#include "tagsim.h"

namespace {

const int kStartRuns = 3;
const int kSwitches = 20;
const int kObjects = 1000;

std::string Folder(const char* name) {
  char cwd[MAX_PATH];
  ::GetCurrentDirectoryA(MAX_PATH, cwd);
  std::string path = std::string(cwd) + "\\" + name + "\\";
  ::CreateDirectoryA(path.c_str(), nullptr);
  ::CreateDirectoryA((path + "sc").c_str(), nullptr);
  return path;
}

bool Copy(const char* name, const std::string& folder) {
  return ::CopyFileA((std::string("..\\out\\") + name).c_str(), (folder + name).c_str(), FALSE) != FALSE;
}

void Pump() {
  MSG msg;
  while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&msg);
    ::DispatchMessageA(&msg);
  }
}

COLORREF ScreenPixel(int x, int y) {
  HDC dc = ::GetDC(nullptr);
  COLORREF c = ::GetPixel(dc, x, y);
  ::ReleaseDC(nullptr, dc);
  return c;
}

void Report(const char* what, const std::vector<double>& ms) {
  const auto range = std::minmax_element(ms.begin(), ms.end());
  std::printf("%s", qel::FormatStr("%-52s median %8.1f ms  (min %.1f, max %.1f, %d runs)\n", what,
                                   bench::Median(ms), *range.first, *range.second, int(ms.size()))
                        .c_str());
}

// 1. Start-up to the first live picture.
bool BenchStartup(tagsim::Server& sim) {
  const std::string folder = Folder("viewer_bench_start");
  for (const char* f : {"QelView.exe", "QelRun.dll", "qel3api.dll", "sc\\stdlib.txt"})
    if (!Copy(f, folder)) return false;
  std::string error;
  if (!demo::WriteDemoProject(folder, &error, sim.Port())) {
    std::printf("viewer_bench: %s\n", error.c_str());
    return false;
  }
  // The column T201 (450..610 x 150..560) filled to 75 % from the bottom.
  const COLORREF water = RGB(40, 150, 255);
  std::vector<double> runs;
  for (int run = 0; run < kStartRuns; ++run) {
    sim.SetValue("LIC201.PV", tagsim::MakeValue(tagsim::kTypeFloat32, run % 2 ? 20 : 75));
    const int probeY = run % 2 ? 520 : 300;
    std::string exe = folder + "QelView.exe";
    std::vector<char> command(exe.begin(), exe.end());
    command.push_back('\0');
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    const bench::Stopwatch watch;
    if (!::CreateProcessA(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                          &si, &pi))
      return false;
    bool seen = false;
    while (watch.ElapsedSeconds() < 30 && !seen) {
      seen = ScreenPixel(530, probeY) == water;
      if (!seen) ::Sleep(10);
    }
    const double startMs = watch.ElapsedMs();
    ::TerminateProcess(pi.hProcess, 0);
    ::WaitForSingleObject(pi.hProcess, 5000);
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    if (!seen) {
      std::printf("viewer_bench: the live level never appeared\n");
      return false;
    }
    runs.push_back(startMs);
    ::Sleep(500);
  }
  Report("start QelView.exe -> first live picture", runs);
  return true;
}

// 2. One picture switch on 1,000 objects.
bool BenchSwitch() {
  const std::string folder = Folder("viewer_bench_switch");
  const std::string pictures = folder + "pic\\";
  ::CreateDirectoryA(pictures.c_str(), nullptr);
  std::string error;
  for (const char* name : {"big1.pic", "big2.pic"}) {
    std::unique_ptr<CPicObj> picture(demo::MakeLargePicture(kObjects));
    if (!demo::WritePicture(*picture, pictures + name, &error)) {
      std::printf("viewer_bench: %s\n", error.c_str());
      return false;
    }
  }
  HWND top = ::CreateWindowExA(0, "STATIC", "viewer_bench", WS_POPUP | WS_VISIBLE, 0, 0, 1280, 1024, nullptr,
                               nullptr, ::GetModuleHandleA(nullptr), nullptr);
  CRuntimeView view;
  view.SetPictureFolder(pictures);
  if (!view.CreateView(top, 0xE900) || !view.GetHost().Exists()) {
    std::printf("viewer_bench: no runtime window (QelRun.dll)\n");
    ::DestroyWindow(top);
    return false;
  }
  view.MoveWindow(0, 0, 1280, 1024);
  view.OpenPicture("big1.pic");
  ::UpdateWindow(view.GetHost().GetSafeHwnd());
  std::vector<double> runs;
  for (int i = 0; i < kSwitches; ++i) {
    const char* next = i % 2 ? "big1.pic" : "big2.pic";
    const bench::Stopwatch watch;
    ::SendMessageA(view.GetSafeHwnd(), QCN_LINKPICTURE, 1000, reinterpret_cast<LPARAM>(next));
    Pump();                                        // QVM_LOADLINKEDPIC: read and load
    ::UpdateWindow(view.GetHost().GetSafeHwnd());  // the first paint
    runs.push_back(watch.ElapsedMs());
  }
  Report(qel::FormatStr("picture switch, %d objects (load + first paint)", kObjects).c_str(), runs);
  view.GetHost().Destroy();
  view.DestroyWindow();
  ::DestroyWindow(top);
  return true;
}

}  // namespace

int main() {
  if (::GetFileAttributesA("..\\out\\QelRun.dll") == INVALID_FILE_ATTRIBUTES) {
    std::printf("viewer_bench: QelRun.dll is not built; nothing to time\n");
    return 0;
  }
  // The runtime library and the database client load from the program folder.
  char path[32768];
  DWORD n = ::GetEnvironmentVariableA("PATH", path, sizeof path);
  ::SetEnvironmentVariableA("PATH", ("..\\out;" + std::string(path, n < sizeof path ? n : 0)).c_str());
  demo::RegisterDemoClasses();
  tagsim::Server sim;
  std::string error;
  if (!sim.LoadTagsFromFile("..\\tools\\demo-tags.txt", &error) || !sim.Start("127.0.0.1", 0, &error)) {
    std::printf("viewer_bench: tagsim: %s\n", error.c_str());
    return 1;
  }
  bool ok = BenchSwitch();
  ok = BenchStartup(sim) && ok;
  return ok ? 0 : 1;
}
