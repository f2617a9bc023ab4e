// The frame layer's test program in miniature: an application with an MDI
// main frame (toolbar, status bar, dock bars), one document template of
// text documents, and a log of which target handled what.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "app/frameapp.h"
#include "bars/statusbar.h"
#include "bars/toolbar.h"
#include "docview/doctemplate.h"
#include "docview/document.h"
#include "docview/view.h"
#include "frames/mdichild.h"
#include "frames/mdiframe.h"
#include "frametest_res.h"

namespace frametest {

// Which targets saw a command or an update, in order.
std::vector<std::string>& Log();

class TestDoc : public CDocument {
  DECLARE_DYNCREATE(TestDoc)

 public:
  void Serialize(CArchive& ar) override;
  void DeleteContents() override { m_text.clear(); }
  std::string m_text;
  static bool s_failLoad;  // Serialize throws while set

 protected:
  void OnRoute();
  void OnProbe(CCmdUI* ui);
  DECLARE_COMMAND_MAP()
};

class TestView : public CView {
  DECLARE_DYNCREATE(TestView)

 public:
  int m_initialUpdates = 0;
  void OnInitialUpdate() override;

 protected:
  void OnRoute();
  void OnProbe(CCmdUI* ui);
  DECLARE_COMMAND_MAP()
};

class TestChild : public CMDIChildWnd {
  DECLARE_DYNCREATE(TestChild)

 protected:
  void OnRoute();
  void OnProbe(CCmdUI* ui);
  DECLARE_COMMAND_MAP()
};

class TestTemplate : public CMultiDocTemplate {
 public:
  TestTemplate();

 protected:
  void OnRoute();
  void OnProbe(CCmdUI* ui);
  DECLARE_COMMAND_MAP()
};

class TestMainFrame : public CMDIFrameWnd {
 public:
  CToolBar m_toolBar;
  CStatusBar m_statusBar;

 protected:
  int OnCreate(CREATESTRUCTA* cs) override;
  void OnRoute();
  void OnProbe(CCmdUI* ui);
  void OnRange(UINT id);
  void OnChecked() { Log().push_back("checked"); }
  void OnUpdateChecked(CCmdUI* ui) { ui->SetCheck(1); }
  void OnDisabled() { Log().push_back("disabled ran"); }
  void OnUpdateDisabled(CCmdUI* ui) { ui->Enable(FALSE); }
  void OnMainOnly() { Log().push_back("main only"); }
  DECLARE_COMMAND_MAP()
};

class TestApp : public CFrameApp {
 public:
  TestApp();
  ~TestApp() override;
  // Makes the main frame and the template; false when the frame fails.
  bool Start();
  void Stop();
  TestMainFrame* Frame() const { return static_cast<TestMainFrame*>(m_pMainWnd); }
  TestTemplate* Template() const { return m_template; }
  // The registry key below HKEY_CURRENT_USER that this test owns.
  const std::string& OwnKey() const { return m_ownKey; }

 protected:
  void OnRoute();
  void OnProbe(CCmdUI* ui);
  DECLARE_COMMAND_MAP()

 private:
  std::string m_ownKey;
  TestTemplate* m_template = nullptr;
};

// Lets idle-time updates and posted messages run.
void Settle(CFrameApp& app);

}  // namespace frametest
