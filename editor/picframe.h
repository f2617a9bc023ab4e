// CPicFrm: the MDI child frame of a picture window. Its title is the
// project's title, "\pic\" and the picture's name. Becoming active it shows
// the drawing toolbar and has its editing window send its selection's
// properties and event links again. Closing it empties the workspace bar's
// lists and asks about its modified picture first (unless it is the
// project's last window, whose closing closes the project through the
// project's close question); a picture that cannot be saved keeps its
// window.
#pragma once
#include "frames/mdichild.h"

class CPicView;

class CPicFrm : public CMDIChildWnd {
  DECLARE_DYNCREATE(CPicFrm)

 public:
  CPicView* GetPicView() const;
  void OnUpdateFrameTitle(BOOL addToTitle) override;
  // Shown maximised.
  void ActivateFrame(int cmdShow = -1) override;

 protected:
  void OnClose() override;
  void OnMDIActivate(BOOL activate, HWND activated, HWND deactivated) override;

 private:
  bool m_active = false;  // the active window of the MDI frame
};
