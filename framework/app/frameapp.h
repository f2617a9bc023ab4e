// CFrameApp: a program with a main frame window, document templates and
// commands: the message loop with the frame's accelerators and the
// idle-time update of the commands' items, the registry key with its
// profile values and the recent-file list, the command line and the shell's
// open command, the file types of the templates registered with the shell,
// and the commands new, open, recent file and exit.
//
//   BOOL CEditorApp::InitInstance() {
//     SetRegistryKey("Irvanta QelMake");
//     LoadStdProfileSettings(4);
//     AddDocTemplate(new CMultiDocTemplate(129, ...));
//     ... the main frame ...
//     CCommandLineInfo cmd;
//     ParseCommandLine(cmd);
//     return ProcessShellCommand(cmd);
//   }
//
// The application owns the templates added to it; they (and their open
// documents) go when it does.
#pragma once
#include <windows.h>

#include <memory>
#include <vector>

#include "app/cmdline.h"
#include "app/recentfiles.h"
#include "qstring.h"
#include "winapp.h"

class CDocTemplate;
class CDocument;

class CFrameApp : public CWinApp {
 public:
  explicit CFrameApp(const char* appName = nullptr);
  ~CFrameApp() override;

  // ---- the loop ------------------------------------------------------------
  int Run() override;
  // Called while the queue is empty: count 0 first after a message. The
  // default updates the items of the main frame's commands and titles;
  // TRUE asks for another call before waiting.
  virtual BOOL OnIdle(LONG count);

  // ---- registry ------------------------------------------------------------
  // Profile values live under HKEY_CURRENT_USER\Software\<key>\<app name>.
  void SetRegistryKey(const char* key);
  const CString& GetRegistryKey() const { return m_strRegistryKey; }
  CString GetProfileString(const char* section, const char* entry, const char* defaultValue = "");
  // value nullptr removes the entry.
  BOOL WriteProfileString(const char* section, const char* entry, const char* value);
  UINT GetProfileInt(const char* section, const char* entry, int defaultValue);
  BOOL WriteProfileInt(const char* section, const char* entry, int value);

  // ---- recent files --------------------------------------------------------
  // Reads the list of up to count recent files (0: no list).
  void LoadStdProfileSettings(UINT count = 4);
  // Writes it back (done when the program ends).
  void SaveStdProfileSettings();
  virtual void AddToRecentFileList(const char* path);
  CRecentFileList* GetRecentFileList() const { return m_recentFiles.get(); }

  // ---- documents -----------------------------------------------------------
  void AddDocTemplate(CDocTemplate* tmpl);
  const std::vector<CDocTemplate*>& GetDocTemplates() const { return m_templates; }
  // Opens path with the template that suits it best; an open document of
  // that path is activated and returned instead.
  virtual CDocument* OpenDocumentFile(const char* path);
  // Asks every modified document; FALSE when one of them refused.
  virtual BOOL SaveAllModified();
  virtual void CloseAllDocuments(BOOL endSession);

  // ---- shell ---------------------------------------------------------------
  // The shell may start the program with a file to open ("exe" "%1").
  void EnableShellOpen() { m_bShellOpen = TRUE; }
  // Registers each template's file type and extension, with the open
  // command of this program, under the classes root. An extension that
  // another file type has claimed is left to it.
  void RegisterShellFileTypes();
  void ParseCommandLine(CCommandLineInfo& info);
  // Carries out what the command line asked; FALSE ends the start-up.
  virtual BOOL ProcessShellCommand(CCommandLineInfo& info);

  // Where file types are registered (HKEY_CLASSES_ROOT; a test's own key).
  HKEY m_hClassesRoot = HKEY_CLASSES_ROOT;
  // The registry root of the profile (HKEY_CURRENT_USER).
  HKEY m_hProfileRoot = HKEY_CURRENT_USER;

 protected:
  int ExitInstance() override;
  void OnFileNew();
  void OnFileOpenRecent(UINT id);
  void OnUpdateRecentFileMenu(CCmdUI* ui);
  void OnAppExit();
  // The platform's printer setup; the printer chosen stays with the program.
  void OnFilePrintSetup();

  std::vector<CDocTemplate*> m_templates;
  std::unique_ptr<CRecentFileList> m_recentFiles;
  CString m_strRegistryKey;
  BOOL m_bShellOpen = FALSE;
  HGLOBAL m_hDevMode = nullptr;  // the printer settings chosen, owned here
  HGLOBAL m_hDevNames = nullptr;

  DECLARE_COMMAND_MAP()
};

// This module's application when it is a CFrameApp, else nullptr.
CFrameApp* QelGetFrameApp();
