// CEditorApp: QelMake's application: starts the program (registry key
// "Irvanta QelMake" with four recent files, the two document templates, the
// main frame, the project file type), opens projects one at a time, and
// ends the program.
//
// The local-tag template is registered: every project opens in its
// local-tag table first, and the framework opens project files through it.
// The picture template is the program's own, used to open picture windows.
//
// Closing the active project is one routine for every way there is (the
// close command, a recent file, the shell, a dropped file, a new or opened
// project, the program's end): the project's close question asks for each
// modified picture first, then for the project.
#pragma once
#include <windows.h>

#include <string>

#include "app/frameapp.h"
#include "qstring.h"

class CMainFrame;
class CMultiDocTemplate;
class CProjectTree;
class CQelideDoc;

// Where the program keeps its files and its settings; the tests give their own.
struct EditorSettings {
  std::string programFolder;  // ends with a backslash; empty: the program's folder
  std::string registryKey = "Irvanta QelMake";
  HKEY classesRoot = HKEY_CLASSES_ROOT;  // where the project file type is registered
};

class CEditorApp : public CFrameApp {
 public:
  explicit CEditorApp(const EditorSettings& settings = EditorSettings());
  ~CEditorApp() override;

  BOOL InitInstance() override;
  int ExitInstance() override;

  const std::string& GetProgramFolder() const { return m_programFolder; }
  CMultiDocTemplate* GetPictureTemplate() const { return m_pPictureTemplate; }
  CMultiDocTemplate* GetLocalTagTemplate() const { return m_pLocalTagTemplate; }
  CMainFrame* GetMainFrame() const;
  // The open project, or nullptr.
  CQelideDoc* GetProject() const;

  // Makes the project folder (location, a separator, name), its "pic"
  // folder and its project file, and opens it; nullptr (after saying why)
  // when that failed or the active project would not close.
  CQelideDoc* CreateProject(const char* name, const char* location);
  // The project of that file: the active one when it is the same, else the
  // active one closed and this one opened; nullptr, with the active project
  // left as it is, for a path through a device name.
  CDocument* OpenDocumentFile(const char* path) override;
  // Asks about the active project (its pictures first) and closes it; FALSE
  // when the engineer kept it (or a save failed).
  BOOL CloseActiveProject();

  // What the new-project and open-project commands hand to the document.
  CString m_strPendingPath;
  CString m_strPendingFolder;

 protected:
  void OnNewProject();
  void OnOpenProject();
  void OnAppAbout();
  DECLARE_COMMAND_MAP()

 private:
  // Says so and answers true when a folder or file name of the path is a
  // device name (DeviceNameInPath).
  bool RefuseDevicePath(const char* path);

  EditorSettings m_settings;
  std::string m_programFolder;
  CMultiDocTemplate* m_pPictureTemplate = nullptr;
  CMultiDocTemplate* m_pLocalTagTemplate = nullptr;
  bool m_oleStarted = false;
};

// This program's application, its main frame and the workspace bar's tree;
// nullptr while there is none.
CEditorApp* EditorApp();
CMainFrame* EditorMainFrame();
CProjectTree* EditorProjectTree();
