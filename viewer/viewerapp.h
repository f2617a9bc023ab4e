// CViewerApp: the viewer program: makes the frame, opens the start picture,
// runs until the frame is closed.
#pragma once
#include <memory>
#include <string>

#include "mainframe.h"
#include "winapp.h"

class CViewerApp : public CWinApp {
 public:
  // programFolder empty: the folder of the program file.
  explicit CViewerApp(const std::string& programFolder = std::string());
  ~CViewerApp() override;

  BOOL InitInstance() override;
  int ExitInstance() override;

  CMainFrame* GetFrame() const { return m_frame.get(); }

 private:
  std::string m_programFolder;
  std::unique_ptr<CMainFrame> m_frame;
  bool m_oleStarted = false;
};
