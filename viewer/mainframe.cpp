#include "mainframe.h"

#include "crtformat.h"
#include "viewerpaths.h"
#include "msgbox.h"
#include "projecttexts.h"
#include "viewertexts.h"

namespace {

const char kFrameClass[] = "QelViewMainFrame";
const char kFrameTitle[] = "QelView";

// A class of its own without cursor, background brush or icon.
const char* FrameClassName() {
  static ATOM atom = [] {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = ::DefWindowProcA;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.lpszClassName = kFrameClass;
    return ::RegisterClassA(&wc);
  }();
  return atom ? kFrameClass : nullptr;
}

}  // namespace

CMainFrame::CMainFrame(const std::string& programFolder)
    : m_programFolder(programFolder), m_view(new CRuntimeView) {}

CMainFrame::~CMainFrame() {
  DestroyWindow();
  m_view.reset();
}

bool CMainFrame::CreateFrame() {
  const char* cls = FrameClassName();
  // Style 0 and no client edge: the caption that the platform gives an
  // overlapped window is taken away once the view stands.
  return cls && CreateEx(0, cls, kFrameTitle, 0, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                         nullptr, nullptr);
}

LRESULT CMainFrame::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_CREATE: return OnCreate();
    case WM_SETFOCUS:
      if (GetView()) ::SetFocus(m_view->GetSafeHwnd());
      return 0;
    case WM_SIZE: OnSize(); break;
    case WM_CLOSE: OnClose(); return 0;
    case WM_COMMAND:
      if (HIWORD(wp) == 0 && lp == 0 && OnCommand(LOWORD(wp))) return 0;
      break;
  }
  return CWnd::WindowProc(msg, wp, lp);
}

int CMainFrame::OnCreate() {
  if (Default() == -1) return -1;
  if (!m_settings.ReadFile(ViewerSettingsPath(m_programFolder).c_str())) {
    QelMessageBox(m_hWnd, kTextNoSettings, nullptr, MB_OK | MB_ICONEXCLAMATION);
    return 0;
  }
  const std::string projectFile = ViewerProjectFilePath(m_programFolder, m_settings.m_project);
  if (!m_view->LoadProject(projectFile.c_str())) {
    QelMessageBox(m_hWnd, qel::FormatStr(kTextProjectReadError, projectFile.c_str()).c_str(), nullptr,
                  MB_OK | MB_ICONEXCLAMATION);
    return 0;
  }
  m_view->SetPictureFolder(ViewerPictureFolder(m_programFolder, m_settings.m_project));
  if (!m_view->CreateView(m_hWnd, ID_VIEWER_VIEW)) return -1;
  CoverDesktop();
  return 0;
}

void CMainFrame::OnSize() {
  // The view fills the client area.
  if (!GetView()) return;
  RECT client;
  GetClientRect(&client);
  m_view->MoveWindow(client);
}

void CMainFrame::CoverDesktop() {
  ::SetMenu(m_hWnd, nullptr);
  ModifyStyle(WS_CAPTION, 0);
  RECT desktop;
  ::GetWindowRect(::GetDesktopWindow(), &desktop);
  SetWindowPos(nullptr, desktop.left, desktop.top, desktop.right - desktop.left, desktop.bottom - desktop.top,
               SWP_NOZORDER | SWP_FRAMECHANGED);
  OnSize();
}

void CMainFrame::OnClose() {
  if (QelMessageBox(m_hWnd, kTextExitQuestion, kTitleExitQuestion, MB_YESNOCANCEL | MB_ICONQUESTION) != IDYES)
    return;
  DestroyWindow();
}

bool CMainFrame::OnCommand(UINT id) {
  if (id != ID_APP_EXIT) return false;
  SendMessage(WM_CLOSE);
  return true;
}
