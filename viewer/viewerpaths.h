// Where the viewer finds its files, all below the folder of the program file:
//   settings      <folder>QelView.ini
//   project file  <folder>project/<name>/<name>.qel
//   pictures      <folder>project/<name>/pic/<picture name>
#pragma once
#include <string>

// The drive and folder of this process's program file, ending in a backslash.
std::string ViewerProgramFolder();

std::string ViewerSettingsPath(const std::string& programFolder);
std::string ViewerProjectFilePath(const std::string& programFolder, const std::string& project);
// Ends with "pic/"; picture names are appended to it.
std::string ViewerPictureFolder(const std::string& programFolder, const std::string& project);
