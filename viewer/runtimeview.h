// CRuntimeView: the viewer's single view. It owns the project (local tags,
// their live values, the database binding and the two callback tables) and
// the runtime picture window, loads pictures from the project's picture
// folder into that window, and switches pictures when a link of the running
// picture asks for one.
//
// A switch never happens inside the request: the view keeps the name and
// posts QVM_LOADLINKEDPIC to itself, so the link that asked finishes on the
// old picture; a second request before the posted message arrives replaces
// the first.
#pragma once
#include <windows.h>

#include <string>

#include "project.h"
#include "runtimehost.h"
#include "wnd.h"

class CRuntimeView : public CWnd {
 public:
  // Loads QelRun.dll (through the host).
  CRuntimeView();
  ~CRuntimeView() override;

  // Loads the project file and starts the database binding; false when the
  // file cannot be opened or read, or holds another magic or version (then
  // no live value is made and nothing is bound or started).
  bool LoadProject(const char* path);
  // The folder that picture names are relative to (ends with "pic/").
  void SetPictureFolder(const std::string& folder) { m_pictureFolder = folder; }
  const std::string& GetPictureFolder() const { return m_pictureFolder; }
  // Creates the view window (child, visible; the border is removed).
  bool CreateView(HWND parent, UINT id);
  // Loads one picture file into the runtime window; false when it cannot be
  // read (the running picture stays).
  bool OpenPicture(const char* name);

  CProject& GetProject() { return m_project; }
  CRuntimeHost& GetHost() { return m_host; }
  const std::string& GetPendingPicture() const { return m_pendingPicture; }

  LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  int OnCreate();
  void OnSize(int cx, int cy);
  void OnPaint();
  void OnContextMenu(HWND from, POINT screen);
  void OnLinkPicture(const char* name);
  void OnLoadLinkedPicture();

  // The project outlives the runtime window: the window calls the project's
  // tables until it is destroyed.
  CProject m_project;
  CRuntimeHost m_host;
  std::string m_pictureFolder;
  std::string m_pendingPicture;
};

// The context menu of the view: a disabled "主菜单" title, a separator and
// "退出\tAlt+F4" (ID_APP_EXIT). The caller destroys it.
HMENU CreateViewerContextMenu();
