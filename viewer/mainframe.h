// CMainFrame: the viewer's frame. On creation it reads "QelView.ini" from the
// program folder, loads the project into the view, creates the view, and
// covers the whole desktop without caption or menu. Closing asks first.
#pragma once
#include <windows.h>

#include <memory>
#include <string>

#include "runtimeview.h"
#include "viewersettings.h"
#include "wnd.h"

class CMainFrame : public CWnd {
 public:
  // programFolder: where "QelView.ini" and "project/" are (ends with a
  // separator); the program's own folder in the viewer.
  explicit CMainFrame(const std::string& programFolder);
  ~CMainFrame() override;

  // Creates the frame window (its WM_CREATE does the start-up); false when
  // the window could not be made.
  bool CreateFrame();

  const CViewerSettings& GetSettings() const { return m_settings; }
  // The view, or null when start-up ended without one (missing settings or
  // a project that could not be read).
  CRuntimeView* GetView() const { return m_view && m_view->GetSafeHwnd() ? m_view.get() : nullptr; }

  LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  int OnCreate();
  void OnSize();
  void OnClose();
  bool OnCommand(UINT id);
  void CoverDesktop();

  std::string m_programFolder;
  CViewerSettings m_settings;
  std::unique_ptr<CRuntimeView> m_view;
};
