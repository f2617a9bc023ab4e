// CMainFrame: the bars, the commands and the compilation of the project.
#include "mainframe.h"

#include "editorapp.h"
#include "editortexts.h"
#include "qel/picmsg.h"
#include "picview.h"
#include "projectcompile.h"
#include "qelidedoc.h"
#include "resource.h"
#include "wndmodule.h"

IMPLEMENT_DYNAMIC(CMainFrame, CMDIFrameWnd)

namespace {

const char kQelCtrl[] = "QelCtrl.dll";
const COLORREF kMagenta = RGB(255, 0, 255);
const int kToolBarHeight = 28;
const SIZE kWorkspaceSize = {220, 100};
const SIZE kOutputSize = {180, 150};
const DWORD kToolBarStyle =
    WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC;

const UINT kIndicators[] = {ID_SEPARATOR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL};

// The choices of the drop-down buttons and the images they show there.
struct Choice {
  UINT id;
  int image;
};
const Choice kAlignChoices[] = {{ID_ALIGN_LEFT, IMAGE_ALIGN_LEFT},
                                {ID_ALIGN_TOP, IMAGE_ALIGN_TOP},
                                {ID_ALIGN_RIGHT, IMAGE_ALIGN_RIGHT},
                                {ID_ALIGN_BOTTOM, IMAGE_ALIGN_BOTTOM}};
const Choice kZoomChoices[] = {
    {ID_ZOOM_IN, IMAGE_ZOOM_IN}, {ID_ZOOM_OUT, IMAGE_ZOOM_OUT}, {ID_ZOOM_100, IMAGE_ZOOM_100}};

struct ToolBarSpec {
  UINT toolbar;
  UINT normal, hot, disabled;  // bitmaps
  UINT id;                     // the bar's window id
  const char* title;
};
const ToolBarSpec kStandardSpec = {IDR_TOOLBAR_STANDARD,  IDB_STANDARD_NORMAL, IDB_STANDARD_HOT,
                                   IDB_STANDARD_DISABLED, AFX_IDW_TOOLBAR,     kTitleStandardBar};
const ToolBarSpec kDrawSpec = {IDR_TOOLBAR_DRAW,  IDB_DRAW_NORMAL,  IDB_DRAW_HOT,
                               IDB_DRAW_DISABLED, IDW_TOOLBAR_DRAW, kTitleDrawBar};
const ToolBarSpec kAlignSpec = {IDR_TOOLBAR_ALIGN,  IDB_ALIGN_NORMAL,  IDB_ALIGN_HOT,
                                IDB_ALIGN_DISABLED, IDW_TOOLBAR_ALIGN, kTitleAlignBar};

BOOL MakeToolBar(CMainFrame* frame, CWrapToolBar& bar, const ToolBarSpec& params) {
  if (!bar.CreateEx(frame, TBSTYLE_FLAT, kToolBarStyle, params.id) || !bar.LoadToolBar(params.toolbar) ||
      !bar.SetImages(params.normal, params.hot, params.disabled, kMagenta))
    return FALSE;
  bar.SetHeight(kToolBarHeight);
  bar.SetWindowText(params.title);
  bar.EnableDocking(CBRS_ALIGN_ANY);
  return TRUE;
}

template <size_t N>
int ImageOfChoice(const Choice (&choices)[N], UINT id) {
  for (const Choice& c : choices)
    if (c.id == id) return c.image;
  return -1;
}

}  // namespace

BEGIN_COMMAND_MAP(CMainFrame, CMDIFrameWnd)
ON_COMMAND(ID_VIEW_WORKSPACE, OnViewWorkspace)
ON_UPDATE_COMMAND_UI(ID_VIEW_WORKSPACE, OnUpdateViewWorkspace)
ON_COMMAND(ID_VIEW_OUTPUT, OnViewOutput)
ON_UPDATE_COMMAND_UI(ID_VIEW_OUTPUT, OnUpdateViewOutput)
ON_COMMAND(ID_COMPILE_PROJECT, OnCompileProject)
ON_UPDATE_COMMAND_UI(ID_COMPILE_PROJECT, OnUpdateCompileProject)
END_COMMAND_MAP()

CMainFrame::CMainFrame(const std::string& programFolder)
    : m_programFolder(programFolder),
      m_qelCtrl(kQelCtrl),
      m_alignChoice(ID_ALIGN_LEFT),
      m_zoomChoice(ID_ZOOM_IN) {
  // Without the library (or its export) nothing is said now: every picture
  // compiled without a window then reports the compiler error.
  m_pfnCompilePic = m_qelCtrl.Find<CompilePicFn>("QEL_CompilePic");
}

CMainFrame::~CMainFrame() = default;

int CMainFrame::OnCreate(CREATESTRUCTA* cs) {
  if (CMDIFrameWnd::OnCreate(cs) == -1) return -1;
  EnableDocking(CBRS_ALIGN_ANY);
  if (!CreateToolBars()) return -1;
  if (!m_wndStatusBar.Create(this) || !m_wndStatusBar.SetIndicators(kIndicators, 4)) return -1;
  if (!CreateDockingBars()) return -1;
  m_imageBars = {&m_wndToolBar, &m_wndDrawBar, &m_wndAlignBar};
  ShowControlBar(&m_wndDrawBar, FALSE);
  ShowControlBar(&m_wndOutput, FALSE);
  return 0;
}

BOOL CMainFrame::CreateToolBars() {
  if (!MakeToolBar(this, m_wndToolBar, kStandardSpec) || !MakeToolBar(this, m_wndDrawBar, kDrawSpec) ||
      !MakeToolBar(this, m_wndAlignBar, kAlignSpec))
    return FALSE;
  m_wndDrawBar.EnableDropDownArrows();
  for (UINT id : {ID_ALIGN_DROPDOWN, ID_ZOOM_DROPDOWN}) {
    int index = m_wndDrawBar.CommandToIndex(id);
    m_wndDrawBar.SetButtonStyle(index, m_wndDrawBar.GetButtonStyle(index) | BTNS_DROPDOWN);
  }
  DockControlBar(&m_wndToolBar, AFX_IDW_DOCKBAR_TOP);
  DockControlBar(&m_wndDrawBar, AFX_IDW_DOCKBAR_TOP, &m_wndToolBar);
  DockControlBar(&m_wndAlignBar, AFX_IDW_DOCKBAR_TOP);
  return TRUE;
}

BOOL CMainFrame::CreateDockingBars() {
  if (!m_wndWorkspace.Create(this, kWorkspaceSize, IDC_WORKSPACE_BAR) ||
      !m_wndOutput.Create(this, kOutputSize, IDC_OUTPUT_BAR))
    return FALSE;
  m_wndWorkspace.EnableDocking(CBRS_ALIGN_ANY);
  m_wndOutput.EnableDocking(CBRS_ALIGN_ANY);
  DockControlBar(&m_wndWorkspace, AFX_IDW_DOCKBAR_LEFT);
  DockControlBar(&m_wndOutput, AFX_IDW_DOCKBAR_BOTTOM);
  return TRUE;
}

void CMainFrame::ShowDrawBar(BOOL show) {
  if (m_wndDrawBar.IsWindowVisible() != (show != FALSE)) ShowControlBar(&m_wndDrawBar, show);
}

void CMainFrame::ShowOutput() {
  if (!m_wndOutput.IsWindowVisible()) ShowControlBar(&m_wndOutput, TRUE);
  m_wndOutput.Clear();
}

void CMainFrame::SetAlignChoice(UINT id) {
  int image = ImageOfChoice(kAlignChoices, id);
  if (image < 0 || id == m_alignChoice) return;
  m_alignChoice = id;
  m_wndDrawBar.SetButtonImage(m_wndDrawBar.CommandToIndex(ID_ALIGN_DROPDOWN), image);
}

void CMainFrame::SetZoomChoice(UINT id) {
  int image = ImageOfChoice(kZoomChoices, id);
  if (image < 0 || id == m_zoomChoice) return;
  m_zoomChoice = id;
  m_wndDrawBar.SetButtonImage(m_wndDrawBar.CommandToIndex(ID_ZOOM_DROPDOWN), image);
}

BOOL CMainFrame::OnNotify(WPARAM wp, LPARAM lp, LRESULT* result) {
  auto* hdr = reinterpret_cast<NMHDR*>(lp);
  CToolBarCtrl& draw = m_wndDrawBar.GetToolBarCtrl();
  if (hdr && hdr->code == TBN_DROPDOWN && hdr->hwndFrom == draw.m_hWnd) {
    auto* info = reinterpret_cast<NMTOOLBARA*>(lp);
    RECT button = {};
    draw.SendMessage(TB_GETRECT, info->iItem, reinterpret_cast<LPARAM>(&button));
    ShowDropDown(static_cast<UINT>(info->iItem), button);
    *result = TBDDRET_DEFAULT;
    return TRUE;
  }
  return CMDIFrameWnd::OnNotify(wp, lp, result);
}

void CMainFrame::ShowDropDown(UINT buttonId, const RECT& button) {
  UINT menuId = buttonId == ID_ALIGN_DROPDOWN  ? IDR_MENU_ALIGN
                : buttonId == ID_ZOOM_DROPDOWN ? IDR_MENU_ZOOM
                                               : 0;
  HMENU menu = menuId ? ::LoadMenuA(QelGetResourceHandle(), MAKEINTRESOURCEA(menuId)) : nullptr;
  if (!menu) return;
  POINT at = {button.left, button.bottom};
  m_wndDrawBar.GetToolBarCtrl().ClientToScreen(&at);
  // The choice comes back as a command through the frame's route.
  ::TrackPopupMenu(::GetSubMenu(menu, 0), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON, at.x, at.y, 0,
                   m_hWnd, nullptr);
  ::DestroyMenu(menu);
}

LRESULT CMainFrame::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case QCN_OUTPUTTEXT: AppendOutput(reinterpret_cast<const char*>(lp)); return 0;
    case WM_MEASUREITEM:
      if (wp == 0 && OnMeasureMenuImage(reinterpret_cast<MEASUREITEMSTRUCT*>(lp))) return TRUE;
      break;
    case WM_DRAWITEM:
      if (wp == 0 && OnDrawMenuImage(reinterpret_cast<const DRAWITEMSTRUCT*>(lp))) return TRUE;
      break;
  }
  return CMDIFrameWnd::WindowProc(msg, wp, lp);
}

void CMainFrame::OnViewWorkspace() { ShowControlBar(&m_wndWorkspace, !m_wndWorkspace.IsWindowVisible()); }
void CMainFrame::OnUpdateViewWorkspace(CCmdUI* ui) { ui->SetCheck(m_wndWorkspace.IsWindowVisible()); }
void CMainFrame::OnViewOutput() { ShowControlBar(&m_wndOutput, !m_wndOutput.IsWindowVisible()); }
void CMainFrame::OnUpdateViewOutput(CCmdUI* ui) { ui->SetCheck(m_wndOutput.IsWindowVisible()); }

void CMainFrame::OnCompileProject() { CompileProject(); }

void CMainFrame::OnUpdateCompileProject(CCmdUI* ui) { ui->Enable(GetActiveDocument() != nullptr); }

int CMainFrame::CompileProject() {
  CQelideDoc* doc = dynamic_cast<CQelideDoc*>(GetActiveDocument());
  if (!doc) return 0;
  ShowOutput();
  CString compiler = CString(m_programFolder.c_str()) + kCompilerPath;
  ProjectCompileHooks hooks;
  hooks.output = [this](const char* text) { AppendOutput(text); };
  hooks.compileInWindow = [doc, &compiler](const CString& name, int* errors) {
    CPicView* view = doc->FindPictureView(name);
    if (!view) return FALSE;
    *errors = view->Compile(compiler);
    return TRUE;
  };
  hooks.compileFile = m_pfnCompilePic;
  hooks.outputWindow = m_hWnd;
  return CompileProjectPictures(doc->GetProjectFolder(), compiler, hooks);
}
