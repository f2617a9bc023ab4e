// mkdemo: writes the demo project for the viewer.
//
//   mkdemo [PROGRAM-FOLDER]
//
// Writes PROGRAM-FOLDER\QelView.ini and PROGRAM-FOLDER\project\demo\ (the
// project file and its pictures). Without an argument: the folder "out"
// beside this program's folder, where the build puts QelView.exe.
#include <windows.h>

#include <cstdio>
#include <string>

#include "demoproject.h"

namespace {

std::string DefaultProgramFolder() {
  char path[MAX_PATH] = "";
  ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string s = path;
  s.erase(s.find_last_of("\\/") + 1);
  return s + "..\\out\\";
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 2) {
    std::fputs("usage: mkdemo [PROGRAM-FOLDER]\n", stderr);
    return 2;
  }
  std::string folder = argc == 2 ? argv[1] : DefaultProgramFolder();
  if (!folder.empty() && folder.back() != '\\' && folder.back() != '/') folder += '\\';
  std::string error;
  if (!demo::WriteDemoProject(folder, &error)) {
    std::fprintf(stderr, "mkdemo: %s\n", error.c_str());
    return 1;
  }
  std::printf("mkdemo: demo project written to %sproject\\%s\n", folder.c_str(), demo::kProjectName);
  return 0;
}
