// CLocalTagFrm and CLocalTagView: the project's first window, the table of
// its local tags. The frame's title is the project's title and
// " - 本地标签表"; becoming active it hides the drawing toolbar and shows the
// workspace bar's project tab.
#pragma once
#include "docview/view.h"
#include "frames/mdichild.h"

class CQelideDoc;

class CLocalTagFrm : public CMDIChildWnd {
  DECLARE_DYNCREATE(CLocalTagFrm)

 public:
  void OnUpdateFrameTitle(BOOL addToTitle) override;
  // Shown maximised.
  void ActivateFrame(int cmdShow = -1) override;

 protected:
  void OnMDIActivate(BOOL activate, HWND activated, HWND deactivated) override;
};

class CLocalTagView : public CView {
  DECLARE_DYNCREATE(CLocalTagView)

 public:
  CQelideDoc* GetDocument() const;
};

extern const char kLocalTagTitleSuffix[];  // " - 本地标签表"
