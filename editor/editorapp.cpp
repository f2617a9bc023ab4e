#include "editorapp.h"

#include <ole2.h>

#include <commctrl.h>

#include "crtformat.h"
#include "docfile.h"
#include "docview/doctemplate.h"
#include "editordialogs.h"
#include "editortexts.h"
#include "itemnames.h"
#include "localtagframe.h"
#include "mainframe.h"
#include "moduledir.h"
#include "msgbox.h"
#include "olecontainment.h"
#include "picframe.h"
#include "picview.h"
#include "qelidedoc.h"
#include "resource.h"

namespace {
const char kAppName[] = "QelMake";
const UINT kRecentFiles = 4;
}  // namespace

BEGIN_COMMAND_MAP(CEditorApp, CFrameApp)
ON_COMMAND(ID_FILE_NEW, OnNewProject)
ON_COMMAND(ID_FILE_OPEN, OnOpenProject)
ON_COMMAND(ID_APP_ABOUT, OnAppAbout)
END_COMMAND_MAP()

CEditorApp* EditorApp() { return dynamic_cast<CEditorApp*>(QelGetApp()); }

CMainFrame* EditorMainFrame() {
  CEditorApp* app = EditorApp();
  return app ? app->GetMainFrame() : nullptr;
}

CProjectTree* EditorProjectTree() {
  CMainFrame* frame = EditorMainFrame();
  return frame && frame->GetWorkspaceBar().GetTree().m_hWnd ? &frame->GetWorkspaceBar().GetTree() : nullptr;
}

CEditorApp::CEditorApp(const EditorSettings& settings)
    : CFrameApp(kAppName), m_settings(settings), m_programFolder(settings.programFolder) {}

CEditorApp::~CEditorApp() = default;

CMainFrame* CEditorApp::GetMainFrame() const { return dynamic_cast<CMainFrame*>(m_pMainWnd); }

CQelideDoc* CEditorApp::GetProject() const {
  if (!m_pLocalTagTemplate || m_pLocalTagTemplate->GetDocuments().empty()) return nullptr;
  return dynamic_cast<CQelideDoc*>(m_pLocalTagTemplate->GetDocuments().front());
}

BOOL CEditorApp::InitInstance() {
  // Pictures may hold ActiveX controls: their containment needs OLE.
  m_oleStarted = SUCCEEDED(::OleInitialize(nullptr));
  QelEnableControlContainer();
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES | ICC_BAR_CLASSES | ICC_TAB_CLASSES |
                                                        ICC_TREEVIEW_CLASSES | ICC_LISTVIEW_CLASSES};
  ::InitCommonControlsEx(&controls);
  if (m_programFolder.empty()) m_programFolder = GetModuleDir().GetString();
  SetRegistryKey(m_settings.registryKey.c_str());
  m_hClassesRoot = m_settings.classesRoot;
  LoadStdProfileSettings(kRecentFiles);

  m_pPictureTemplate = new CMultiDocTemplate(IDR_QELPRJTYPE, RUNTIME_CLASS(CQelideDoc),
                                             RUNTIME_CLASS(CPicFrm), RUNTIME_CLASS(CPicView));
  m_pLocalTagTemplate = new CMultiDocTemplate(IDR_QELPRJTYPE, RUNTIME_CLASS(CQelideDoc),
                                              RUNTIME_CLASS(CLocalTagFrm), RUNTIME_CLASS(CLocalTagView));
  AddDocTemplate(m_pLocalTagTemplate);

  auto* frame = new CMainFrame(m_programFolder);
  if (!frame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW | WS_MAXIMIZE | WS_CLIPCHILDREN)) {
    if (!frame->m_hWnd) delete frame;  // a frame that never had a window does not delete itself
    return FALSE;
  }
  m_pMainWnd = frame;

  ::DragAcceptFiles(frame->m_hWnd, TRUE);
  EnableShellOpen();
  RegisterShellFileTypes();

  CCommandLineInfo command;
  ParseCommandLine(command);
  if (command.m_nShellCommand == CCommandLineInfo::FileNew)
    command.m_nShellCommand = CCommandLineInfo::FileNothing;
  ProcessShellCommand(command);  // a project that cannot be read was reported; the program goes on

  frame->ShowWindow(SW_SHOWMAXIMIZED);
  frame->UpdateWindow();
  return TRUE;
}

int CEditorApp::ExitInstance() {
  CloseAllDocuments(TRUE);
  delete m_pPictureTemplate;
  m_pPictureTemplate = nullptr;
  int code = CFrameApp::ExitInstance();
  if (m_oleStarted) ::OleUninitialize();
  m_oleStarted = false;
  return code;
}

BOOL CEditorApp::CloseActiveProject() {
  CQelideDoc* project = GetProject();
  if (!project) return TRUE;
  if (!project->SaveModified()) return FALSE;
  project->OnCloseDocument();
  return TRUE;
}

bool CEditorApp::RefuseDevicePath(const char* path) {
  const CString device = DeviceNameInPath(path);
  if (device.IsEmpty()) return false;
  QelMessageBox(m_pMainWnd ? m_pMainWnd->m_hWnd : nullptr,
                qel::FormatStr(kTextDeviceInProjectPath, path, device.GetString()).c_str(), nullptr,
                MB_OK | MB_ICONSTOP);
  return true;
}

CQelideDoc* CEditorApp::CreateProject(const char* typedName, const char* location) {
  HWND owner = m_pMainWnd ? m_pMainWnd->m_hWnd : nullptr;
  CString name = typedName ? typedName : "";
  if (!AcceptItemName(owner, name, kTextEnterProjectName, nullptr)) return nullptr;
  // The active project is asked about before anything is made, and closed
  // only once the new one's folders stand.
  CQelideDoc* active = GetProject();
  if (active && !active->SaveModified()) return nullptr;
  CString where = location ? location : "";
  CString folder = where;
  if (folder.IsEmpty() || (folder[folder.GetLength() - 1] != '\\' && folder[folder.GetLength() - 1] != '/'))
    folder += "\\";
  folder += name;
  if (RefuseDevicePath(folder)) return nullptr;
  if (!::CreateDirectoryA(folder, nullptr) || !::CreateDirectoryA(folder + "\\" + kPictureFolder, nullptr)) {
    QelMessageBox(owner, qel::FormatStr(kTextMakeProjectFolderFailed, where.GetString()).c_str(), nullptr,
                  MB_OK | MB_ICONSTOP);
    return nullptr;
  }
  if (active) active->OnCloseDocument();
  m_strPendingPath = folder + "\\" + name + ".qel";
  m_strPendingFolder = folder;
  return dynamic_cast<CQelideDoc*>(m_pLocalTagTemplate->OpenDocumentFile(nullptr));
}

CDocument* CEditorApp::OpenDocumentFile(const char* path) {
  // Before the path is made full: the platform would turn it into the
  // device's own name.
  if (RefuseDevicePath(path)) return nullptr;
  CString full = QelFullPath(path);
  CQelideDoc* active = GetProject();
  if (active && active->GetPathName().CompareNoCase(full) == 0) return CFrameApp::OpenDocumentFile(full);
  if (!CloseActiveProject()) return nullptr;
  m_strPendingPath = full;
  m_strPendingFolder = FolderOfPath(full);
  return CFrameApp::OpenDocumentFile(full);
}

void CEditorApp::OnNewProject() {
  CString name;
  CString location = CString(m_programFolder.c_str()) + kProjectsFolder;
  if (AskNewProject(m_pMainWnd ? m_pMainWnd->m_hWnd : nullptr, &name, &location))
    CreateProject(name, location);
}

void CEditorApp::OnOpenProject() {
  CString path;
  if (!AskProjectFile(m_pMainWnd ? m_pMainWnd->m_hWnd : nullptr, &path)) return;
  CQelideDoc* active = GetProject();
  if (active && active->GetPathName().CompareNoCase(QelFullPath(path)) == 0) return;  // already open
  OpenDocumentFile(path);
}

void CEditorApp::OnAppAbout() { ShowAboutBox(m_pMainWnd ? m_pMainWnd->m_hWnd : nullptr); }
