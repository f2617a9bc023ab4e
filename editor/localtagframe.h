// CLocalTagFrm and CLocalTagView: the project's first window, the table of
// its local tags. The frame's title is the project's title and
// " - 本地标签表"; becoming active it hides the drawing toolbar, shows the
// workspace bar's project tab and empties the bar's attribute and
// event-link lists.
//
// The view's grid fills it and shows the project's own tags. Its commands
// ("本地标签(&L)") add a tag, modify the first marked one (also on a double
// click on a row) and delete the marked ones (also the cut command); system
// tags are shown but neither modified nor deleted. Every change marks the
// project modified.
#pragma once
#include "docview/view.h"
#include "frames/mdichild.h"
#include "localtaggrid.h"

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
  enum : UINT { kGridId = 1 };

  CQelideDoc* GetDocument() const;
  CLocalTagGrid& GetGrid() { return m_grid; }

  void OnAdd();
  void OnModify();
  void OnDelete();

  LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

 protected:
  int OnCreate(CREATESTRUCTA* cs) override;
  void OnUpdate(CView* sender, LPARAM hint, CObject* hintObject) override;
  void OnUpdateNeedsMark(CCmdUI* ui);
  // The grid shows the tags again, and the project is modified.
  void TagsChanged();
  // "请选择一个标签!" (or another note) with the caption "提示".
  void Note(const char* text);

  CLocalTagGrid m_grid;

  DECLARE_COMMAND_MAP()
};
