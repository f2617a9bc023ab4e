#include "frametest_app.h"

#include "app/regkey.h"
#include "archive.h"
#include "exceptions.h"

namespace frametest {

std::vector<std::string>& Log() {
  static std::vector<std::string> log;
  return log;
}

namespace {
void Probe(CCmdUI* ui, const char* who) {
  Log().push_back(who);
  ui->ContinueRouting();
}
}  // namespace

// ---- document, view, child, template ------------------------------------------

IMPLEMENT_DYNCREATE(TestDoc, CDocument)
bool TestDoc::s_failLoad = false;

BEGIN_COMMAND_MAP(TestDoc, CDocument)
ON_COMMAND(ID_TEST_ROUTE, OnRoute)
ON_UPDATE_COMMAND_UI(ID_TEST_PROBE, OnProbe)
END_COMMAND_MAP()

void TestDoc::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    ar.WriteString(CString(m_text.c_str()));
    return;
  }
  if (s_failLoad) throw CArchiveException(CArchiveException::generic);
  m_text = ar.ReadString().GetString();
}
void TestDoc::OnRoute() { Log().push_back("doc"); }
void TestDoc::OnProbe(CCmdUI* ui) { Probe(ui, "doc"); }

IMPLEMENT_DYNCREATE(TestView, CView)

BEGIN_COMMAND_MAP(TestView, CView)
ON_COMMAND(ID_TEST_ROUTE, OnRoute)
ON_UPDATE_COMMAND_UI(ID_TEST_PROBE, OnProbe)
END_COMMAND_MAP()

void TestView::OnInitialUpdate() {
  ++m_initialUpdates;
  CView::OnInitialUpdate();
}
void TestView::OnRoute() { Log().push_back("view"); }
void TestView::OnProbe(CCmdUI* ui) { Probe(ui, "view"); }

IMPLEMENT_DYNCREATE(TestChild, CMDIChildWnd)

BEGIN_COMMAND_MAP(TestChild, CMDIChildWnd)
ON_COMMAND(ID_TEST_ROUTE, OnRoute)
ON_UPDATE_COMMAND_UI(ID_TEST_PROBE, OnProbe)
END_COMMAND_MAP()

void TestChild::OnRoute() { Log().push_back("child"); }
void TestChild::OnProbe(CCmdUI* ui) { Probe(ui, "child"); }

TestTemplate::TestTemplate()
    : CMultiDocTemplate(IDR_TESTDOC, RUNTIME_CLASS(TestDoc), RUNTIME_CLASS(TestChild),
                        RUNTIME_CLASS(TestView)) {}

BEGIN_COMMAND_MAP(TestTemplate, CMultiDocTemplate)
ON_COMMAND(ID_TEST_ROUTE, OnRoute)
ON_UPDATE_COMMAND_UI(ID_TEST_PROBE, OnProbe)
END_COMMAND_MAP()

void TestTemplate::OnRoute() { Log().push_back("template"); }
void TestTemplate::OnProbe(CCmdUI* ui) { Probe(ui, "template"); }

// ---- main frame ---------------------------------------------------------------

BEGIN_COMMAND_MAP(TestMainFrame, CMDIFrameWnd)
ON_COMMAND(ID_TEST_ROUTE, OnRoute)
ON_UPDATE_COMMAND_UI(ID_TEST_PROBE, OnProbe)
ON_COMMAND_RANGE(ID_TEST_RANGE_FIRST, ID_TEST_RANGE_LAST, OnRange)
ON_COMMAND(ID_TEST_CHECKED, OnChecked)
ON_UPDATE_COMMAND_UI(ID_TEST_CHECKED, OnUpdateChecked)
ON_COMMAND(ID_TEST_DISABLED, OnDisabled)
ON_UPDATE_COMMAND_UI(ID_TEST_DISABLED, OnUpdateDisabled)
ON_COMMAND(ID_TEST_MAINONLY, OnMainOnly)
END_COMMAND_MAP()

int TestMainFrame::OnCreate(CREATESTRUCTA* cs) {
  if (CMDIFrameWnd::OnCreate(cs) == -1) return -1;
  if (!m_toolBar.CreateEx(this, TBSTYLE_FLAT,
                          WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_TOOLTIPS | CBRS_FLYBY) ||
      !m_toolBar.LoadToolBar(IDR_TESTBAR))
    return -1;
  static const UINT kIndicators[] = {ID_SEPARATOR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL};
  if (!m_statusBar.Create(this) || !m_statusBar.SetIndicators(kIndicators, 4)) return -1;
  EnableDocking(CBRS_ALIGN_ANY);
  m_toolBar.EnableDocking(CBRS_ALIGN_ANY);
  DockControlBar(&m_toolBar);
  return 0;
}
void TestMainFrame::OnRoute() { Log().push_back("main"); }
void TestMainFrame::OnProbe(CCmdUI* ui) { Probe(ui, "main"); }
void TestMainFrame::OnRange(UINT id) { Log().push_back("range " + std::to_string(id - ID_TEST_RANGE_FIRST)); }

// ---- application --------------------------------------------------------------

BEGIN_COMMAND_MAP(TestApp, CFrameApp)
ON_COMMAND(ID_TEST_ROUTE, OnRoute)
ON_UPDATE_COMMAND_UI(ID_TEST_PROBE, OnProbe)
END_COMMAND_MAP()

TestApp::TestApp() : CFrameApp("FrameTest") {
  m_ownKey = "Software\\QelFrameTest_" + std::to_string(::GetCurrentProcessId());
  SetRegistryKey(("QelFrameTest_" + std::to_string(::GetCurrentProcessId())).c_str());
  ::RegCreateKeyExA(HKEY_CURRENT_USER, (m_ownKey + "\\Classes").c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                    nullptr, &m_hClassesRoot, nullptr);
  Log().clear();
}

TestApp::~TestApp() {
  Stop();
  for (CDocTemplate* tmpl : m_templates) delete tmpl;
  m_templates.clear();
  if (m_hClassesRoot != HKEY_CLASSES_ROOT) ::RegCloseKey(m_hClassesRoot);
  CRegKey::DeleteTree(HKEY_CURRENT_USER, m_ownKey.c_str());
}

bool TestApp::Start() {
  m_template = new TestTemplate;
  AddDocTemplate(m_template);
  auto* frame = new TestMainFrame;
  if (!frame->LoadFrame(IDR_TESTMAIN, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN)) return false;
  m_pMainWnd = frame;
  frame->ShowWindow(SW_SHOW);
  return true;
}

void TestApp::Stop() {
  CloseAllDocuments(TRUE);
  if (m_pMainWnd) m_pMainWnd->DestroyWindow();
  m_pMainWnd = nullptr;
}

void TestApp::OnRoute() { Log().push_back("app"); }
void TestApp::OnProbe(CCmdUI* ui) { Probe(ui, "app"); }

void Settle(CFrameApp& app) {
  MSG msg;
  while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (!app.PreTranslateTree(&msg)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageA(&msg);
    }
  }
  app.OnIdle(0);
}

}  // namespace frametest
