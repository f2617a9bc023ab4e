// The demo project's files: the project file, the pictures and the viewer's
// settings.
#include "demoproject.h"

#include <cstdio>
#include <memory>

#include "exceptions.h"
#include "file.h"
#include "linkclasses.h"
#include "picfile.h"
#include "picobj.h"
#include "pictureclasses.h"
#include "project.h"
#include "tagvalue.h"

namespace demo {

const char kProjectName[] = "demo";
const char kStartPicture[] = "overview.pic";
const char kDetailPicture[] = "detail.pic";
const char kServerHost[] = "127.0.0.1";
const char kAccount[] = "operator";
const char kPassword[] = "123456";

namespace {

const char kSettingsFile[] = "QelView.ini";
const char kStdlibFile[] = "sc\\stdlib.txt";

std::string ProjectFolder(const std::string& programFolder) {
  return programFolder + "project\\" + kProjectName + "\\";
}

bool MakeFolder(const std::string& path, std::string* error) {
  if (::CreateDirectoryA(path.c_str(), nullptr) || ::GetLastError() == ERROR_ALREADY_EXISTS) return true;
  if (error) *error = "cannot create the folder " + path;
  return false;
}

bool WriteBytes(const std::string& path, const std::string& bytes, std::string* error) {
  FILE* f = std::fopen(path.c_str(), "wb");
  bool ok = f && std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  if (f && std::fclose(f) != 0) ok = false;
  if (!ok && error) *error = "cannot write " + path;
  return ok;
}

// The compiler's system-function list as the compiler reads it (text mode).
std::string ReadStdlib(const std::string& programFolder) {
  std::string text;
  if (FILE* f = std::fopen((programFolder + kStdlibFile).c_str(), "rb")) {
    char buf[4096];
    size_t got;
    while ((got = std::fread(buf, 1, sizeof buf, f)) > 0)
      for (size_t i = 0; i < got; ++i)
        if (buf[i] != '\r') text += buf[i];
    std::fclose(f);
  }
  return text;
}

bool WriteProjectFile(const std::string& path, DWORD port, std::string* error) {
  CProject project;
  project.AddSystemTags();
  project.m_localTags.Append(MakeLocalTag("LOCAL.SETPOINT", "本地流量设定", "m3/h", "42.5", TT_DOUBLE));
  project.m_localTags.Append(MakeLocalTag("LOCAL.NOTE", "交班记录", "", "设备运行正常", TT_STRING));
  project.m_conn.entries[0] = MakeConnEntry(kServerHost, port, kAccount, kPassword);
  project.m_conn.count = 1;
  try {
    CFile file(path.c_str(), CFile::modeCreate | CFile::modeWrite);
    project.Store(&file);
    file.Close();
    return true;
  } catch (CException&) {
    if (error) *error = "cannot write " + path;
    return false;
  }
}

}  // namespace

void RegisterDemoClasses() {
  static bool registered = [] {
    RegisterPictureClasses();
    RegisterLinkClasses();
    return true;
  }();
  (void)registered;
}

bool WritePicture(CPicObj& picture, const std::string& path, std::string* error) {
  try {
    SavePictureFile(picture, path.c_str());
    return true;
  } catch (CException&) {
    if (error) *error = "cannot write " + path;
    return false;
  }
}

bool WriteViewerSettings(const std::string& programFolder, const std::string& project,
                         const std::string& startPicture, std::string* error) {
  const std::string text =
      "; QelView: the project to run and its start picture\r\n"
      "[local]\r\n"
      "project=" +
      project + "\r\n" + "indexpic=" + startPicture + "\r\n";
  return WriteBytes(programFolder + kSettingsFile, text, error);
}

bool WriteDemoProject(const std::string& programFolder, std::string* error, DWORD port) {
  RegisterDemoClasses();
  const std::string folder = ProjectFolder(programFolder);
  if (!MakeFolder(programFolder + "project", error) || !MakeFolder(folder, error) ||
      !MakeFolder(folder + "pic", error))
    return false;
  if (!WriteProjectFile(folder + kProjectName + ".qel", port, error)) return false;
  const std::string stdlib = ReadStdlib(programFolder);
  std::unique_ptr<CPicObj> overview(MakeOverviewPicture(stdlib));
  std::unique_ptr<CPicObj> detail(MakeDetailPicture(stdlib));
  return WritePicture(*overview, folder + "pic\\" + kStartPicture, error) &&
         WritePicture(*detail, folder + "pic\\" + kDetailPicture, error) &&
         WriteViewerSettings(programFolder, kProjectName, kStartPicture, error);
}

}  // namespace demo
