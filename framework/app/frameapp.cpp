// CFrameApp: the loop, the documents and the application's commands.
#include "app/frameapp.h"

#include <commdlg.h>

#include "commands/cmdids.h"
#include "commands/cmdui.h"
#include "docview/doctemplate.h"
#include "docview/document.h"
#include "docview/view.h"
#include "frames/frame.h"
#include "wndimpl.h"
#include "wndmodule.h"

namespace {

// Messages that leave the program's state as it was: no idle update after
// them (a repeated mouse move, a paint, the caret's blink).
bool IsIdleMessage(const MSG& msg) {
  static POINT lastMouse = {-1, -1};
  static UINT lastMouseMsg = 0;
  if (msg.message == WM_MOUSEMOVE || msg.message == WM_NCMOUSEMOVE) {
    if (lastMouseMsg == msg.message && lastMouse.x == msg.pt.x && lastMouse.y == msg.pt.y) return false;
    lastMouse = msg.pt;
    lastMouseMsg = msg.message;
    return true;
  }
  const UINT kSysTimer = 0x0118;
  return msg.message != WM_PAINT && msg.message != kSysTimer;
}

}  // namespace

BEGIN_COMMAND_MAP(CFrameApp, CWinApp)
ON_COMMAND(ID_FILE_NEW, OnFileNew)
ON_COMMAND_RANGE(ID_FILE_MRU_FILE1, ID_FILE_MRU_LAST, OnFileOpenRecent)
ON_UPDATE_COMMAND_UI(ID_FILE_MRU_FILE1, OnUpdateRecentFileMenu)
ON_COMMAND(ID_APP_EXIT, OnAppExit)
ON_COMMAND(ID_FILE_PRINT_SETUP, OnFilePrintSetup)
END_COMMAND_MAP()

CFrameApp* QelGetFrameApp() { return dynamic_cast<CFrameApp*>(QelGetApp()); }

CFrameApp::CFrameApp(const char* appName) : CWinApp(appName) {}

CFrameApp::~CFrameApp() {
  for (CDocTemplate* tmpl : m_templates) delete tmpl;
  if (m_hDevMode) ::GlobalFree(m_hDevMode);
  if (m_hDevNames) ::GlobalFree(m_hDevNames);
}

int CFrameApp::Run() {
  MSG msg;
  bool idle = true;
  LONG idleCount = 0;
  for (;;) {
    while (idle && !::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
      BOOL more = FALSE;
      QelGuarded(nullptr, WM_NULL, [&] {
        more = OnIdle(idleCount++);
        return LRESULT(0);
      });
      if (!more) idle = false;
    }
    BOOL got = ::GetMessageA(&msg, nullptr, 0, 0);
    if (got == 0) return m_exitCode = static_cast<int>(msg.wParam);
    if (got == -1) return m_exitCode = -1;
    BOOL eaten = FALSE;
    QelGuarded(msg.hwnd, msg.message, [&] {
      eaten = PreTranslateTree(&msg);
      return LRESULT(0);
    });
    if (!eaten) {
      ::TranslateMessage(&msg);
      ::DispatchMessageA(&msg);
    }
    if (IsIdleMessage(msg)) {
      idle = true;
      idleCount = 0;
    }
  }
}

BOOL CFrameApp::OnIdle(LONG count) {
  if (count == 0 && m_pMainWnd && m_pMainWnd->m_hWnd) m_pMainWnd->SendMessage(WM_IDLEUPDATECMDUI, TRUE);
  return FALSE;
}

int CFrameApp::ExitInstance() {
  SaveStdProfileSettings();
  CloseAllDocuments(TRUE);
  return CWinApp::ExitInstance();
}

void CFrameApp::AddDocTemplate(CDocTemplate* tmpl) { m_templates.push_back(tmpl); }

CDocument* CFrameApp::OpenDocumentFile(const char* path) {
  CDocTemplate* best = nullptr;
  CDocument* open = nullptr;
  CDocTemplate::Confidence bestConfidence = CDocTemplate::noAttempt;
  for (CDocTemplate* tmpl : m_templates) {
    CDocument* match = nullptr;
    CDocTemplate::Confidence confidence = tmpl->MatchDocType(path, &match);
    if (confidence > bestConfidence) {
      bestConfidence = confidence;
      best = tmpl;
      open = match;
    }
    if (confidence == CDocTemplate::yesAlreadyOpen) break;
  }
  if (open) {
    if (!open->GetViews().empty())
      if (CFrameWnd* frame = open->GetViews().front()->GetParentFrame()) frame->ActivateFrame(-1);
    return open;
  }
  return best ? best->OpenDocumentFile(path) : nullptr;
}

BOOL CFrameApp::SaveAllModified() {
  for (CDocTemplate* tmpl : m_templates)
    for (CDocument* doc : std::vector<CDocument*>(tmpl->GetDocuments()))
      if (!doc->SaveModified()) return FALSE;
  return TRUE;
}

void CFrameApp::CloseAllDocuments(BOOL) {
  for (CDocTemplate* tmpl : m_templates)
    for (CDocument* doc : std::vector<CDocument*>(tmpl->GetDocuments())) doc->OnCloseDocument();
}

void CFrameApp::OnFileNew() {
  if (!m_templates.empty()) m_templates.front()->OpenDocumentFile(nullptr);
}

void CFrameApp::OnFileOpenRecent(UINT id) {
  int index = static_cast<int>(id - ID_FILE_MRU_FILE1);
  if (!m_recentFiles || index < 0 || index >= m_recentFiles->GetCount()) return;
  CString path = (*m_recentFiles)[index];
  // A file that cannot be opened any more leaves the list.
  if (!OpenDocumentFile(path) && m_recentFiles && index < m_recentFiles->GetCount() &&
      (*m_recentFiles)[index] == path)
    m_recentFiles->Remove(index);
}

void CFrameApp::OnUpdateRecentFileMenu(CCmdUI* ui) {
  if (m_recentFiles)
    m_recentFiles->UpdateMenu(ui);
  else
    ui->Enable(FALSE);
}

void CFrameApp::OnAppExit() {
  if (m_pMainWnd && m_pMainWnd->m_hWnd) m_pMainWnd->SendMessage(WM_CLOSE);
}

void CFrameApp::OnFilePrintSetup() {
  PRINTDLGA setup = {};
  setup.lStructSize = sizeof setup;
  setup.hwndOwner = m_pMainWnd ? m_pMainWnd->m_hWnd : nullptr;
  setup.Flags = PD_PRINTSETUP;
  setup.hDevMode = m_hDevMode;
  setup.hDevNames = m_hDevNames;
  ::PrintDlgA(&setup);
  // The dialog may hand back new blocks for the settings, also when cancelled.
  m_hDevMode = setup.hDevMode;
  m_hDevNames = setup.hDevNames;
}

void CFrameApp::AddToRecentFileList(const char* path) {
  if (m_recentFiles) m_recentFiles->Add(path);
}
