#include "viewerpaths.h"

#include <windows.h>

#include <cstdlib>

namespace {
const char kSettingsFile[] = "QelView.ini";
const char kProjectsFolder[] = "project/";
const char kProjectExtension[] = ".qel";
const char kPictureFolder[] = "pic/";

std::string ProjectFolder(const std::string& programFolder, const std::string& project) {
  return programFolder + kProjectsFolder + project + "/";
}
}  // namespace

std::string ViewerProgramFolder() {
  char path[MAX_PATH] = "";
  ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  char drive[_MAX_DRIVE] = "", dir[_MAX_DIR] = "";
  _splitpath(path, drive, dir, nullptr, nullptr);
  return std::string(drive) + dir;
}

std::string ViewerSettingsPath(const std::string& programFolder) { return programFolder + kSettingsFile; }

std::string ViewerProjectFilePath(const std::string& programFolder, const std::string& project) {
  return ProjectFolder(programFolder, project) + project + kProjectExtension;
}

std::string ViewerPictureFolder(const std::string& programFolder, const std::string& project) {
  return ProjectFolder(programFolder, project) + kPictureFolder;
}
