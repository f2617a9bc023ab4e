// The demo project: a small distillation unit on the tags of the simulated
// tag server (tools/tagsim/demo-tags.txt), written as the editor would leave
// it, plus the viewer's settings file naming it.
//
//   <program folder>QelView.ini                    [local] project=demo, indexpic=overview.pic
//   <program folder>project/demo/demo.qel          local tags, one server entry
//   <program folder>project/demo/pic/overview.pic  process overview
//   <program folder>project/demo/pic/detail.pic    detail view with a button back
#pragma once
#include <windows.h>

#include <string>
#include <vector>

class CPicObj;

namespace demo {

extern const char kProjectName[];    // "demo"
extern const char kStartPicture[];   // "overview.pic"
extern const char kDetailPicture[];  // "detail.pic"
extern const char kServerHost[];     // "127.0.0.1"
enum : DWORD { kServerPort = 11084 };
extern const char kAccount[];  // an account of demo-tags.txt
extern const char kPassword[];

// Registers the picture and link classes (once).
void RegisterDemoClasses();

// The two pictures. stdlibText: the compiler's system-function list, for
// the movement script (empty: the picture has no movement link).
CPicObj* MakeOverviewPicture(const std::string& stdlibText);
CPicObj* MakeDetailPicture(const std::string& stdlibText);
// A picture of `count` objects (tag-value displays and coloured rectangles
// on the demo tags) that links back to the overview; for timing switches.
CPicObj* MakeLargePicture(int count);

// Writes the project, its pictures and the settings file into the program
// folder (ends with a separator). False with a reason when a file cannot be
// written.
// port: the server entry's port (tests run their own server elsewhere).
bool WriteDemoProject(const std::string& programFolder, std::string* error, DWORD port = kServerPort);
// Writes one picture file; false with a reason on failure.
bool WritePicture(CPicObj& picture, const std::string& path, std::string* error);
// Writes the settings file naming a project and its start picture.
bool WriteViewerSettings(const std::string& programFolder, const std::string& project,
                         const std::string& startPicture, std::string* error);

}  // namespace demo
