#include "viewerapp.h"

#include <ole2.h>

#include "olecontainment.h"
#include "viewerpaths.h"
#include "msgbox.h"
#include "viewertexts.h"

namespace {
const char kAppName[] = "QelView";
}

CViewerApp::CViewerApp(const std::string& programFolder)
    : CWinApp(kAppName), m_programFolder(programFolder) {}

CViewerApp::~CViewerApp() = default;

BOOL CViewerApp::InitInstance() {
  // Pictures may hold ActiveX controls: their containment needs OLE on this
  // thread before the runtime window creates them.
  m_oleStarted = SUCCEEDED(::OleInitialize(nullptr));
  QelEnableControlContainer();
  if (m_programFolder.empty()) m_programFolder = ViewerProgramFolder();
  m_frame.reset(new CMainFrame(m_programFolder));
  if (!m_frame->CreateFrame()) return FALSE;
  m_pMainWnd = m_frame.get();
  // Whatever stops the start is told before the frame is shown: a message
  // over the frame that covers the desktop could end up behind it.
  if (m_frame->GetSettings().m_startPicture.empty()) {
    QelMessageBox(m_frame->GetSafeHwnd(), kTextNoStartPicture, nullptr, MB_OK | MB_ICONEXCLAMATION);
    m_frame->DestroyWindow();
    return FALSE;
  }
  CRuntimeView* view = m_frame->GetView();
  if (!view) {
    // The project could not be read (already reported): end instead of
    // leaving an empty frame over the desktop.
    m_frame->DestroyWindow();
    return FALSE;
  }
  m_frame->ShowWindow(m_nCmdShow);
  m_frame->UpdateWindow();
  view->OpenPicture(m_frame->GetSettings().m_startPicture.c_str());
  return TRUE;
}

int CViewerApp::ExitInstance() {
  m_frame.reset();
  if (m_oleStarted) ::OleUninitialize();
  m_oleStarted = false;
  return CWinApp::ExitInstance();
}
