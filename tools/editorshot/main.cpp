// editorshot.exe <project file> <picture>: the editor QelMake (its own
// application, frames and resources) started on a project as QelMake.exe
// is, with one of the project's pictures opened as the engineer opens it
// from the project tree. tools/editor-shot.sh runs it for the README's
// screenshot; it runs until its window is closed.
#include <windows.h>

#include <cstdlib>

#include "editorapp.h"
#include "qelidedoc.h"

namespace {

// The program folder (QelCtrl.dll, sc\, system\) is the working folder,
// where the editor finds its libraries by name too.
EditorSettings Settings() {
  EditorSettings settings;
  char folder[MAX_PATH] = "";
  ::GetCurrentDirectoryA(MAX_PATH, folder);
  settings.programFolder = std::string(folder) + "\\";
  return settings;
}

class CShotApp : public CEditorApp {
 public:
  CShotApp() : CEditorApp(Settings()) {}
  BOOL InitInstance() override {
    if (!CEditorApp::InitInstance()) return FALSE;  // opens the project named first
    CQelideDoc* project = GetProject();
    if (project && __argc > 2) project->OpenPicture(__argv[2], FALSE);
    return TRUE;
  }
};

CShotApp theApp;

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) { return QelRunApp(instance, show); }
