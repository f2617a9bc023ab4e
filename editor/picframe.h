// CPicFrm: the MDI child frame of a picture window. Its title is the
// project's title, "\pic\" and the picture's name. Becoming active it shows
// the drawing toolbar; closing it asks about its modified picture first
// (unless it is the project's last window, whose closing closes the project
// through the project's close question).
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
};
