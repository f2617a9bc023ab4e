// CMDIChildWnd: a frame inside the MDI client of a CMDIFrameWnd, holding one
// view. Its menu and accelerators are those of its document template, shown
// in the MDI frame while the child is active. Destroying it goes through
// the MDI client, which then activates the next child.
#pragma once
#include "frames/frame.h"

class CMDIFrameWnd;

class CMDIChildWnd : public CFrameWnd {
  DECLARE_DYNAMIC(CMDIChildWnd)

 public:
  // parent: the MDI frame; the child is made in its client.
  BOOL LoadFrame(UINT resourceId, DWORD style, HWND parent = nullptr,
                 CCreateContext* context = nullptr) override;
  BOOL DestroyWindow() override;
  BOOL IsMDIChild() const override { return TRUE; }
  CMDIFrameWnd* GetMDIFrame() const;

  void MDIActivate();
  void MDIMaximize();
  void ActivateFrame(int cmdShow = -1) override;
  // The child's caption: its document's title; the MDI frame's title follows.
  void OnUpdateFrameTitle(BOOL addToTitle) override;

  LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;
  // The child has no menu: its accelerators are translated by its MDI frame.
  BOOL PreTranslateMessage(MSG*) override { return FALSE; }

  HMENU m_hMenuShared = nullptr;  // the template's menu; not the child's to free

 protected:
  const char* FrameClassName(UINT iconId) override;
  void OnSetFocus() override;
  virtual void OnMDIActivate(BOOL activate, HWND activated, HWND deactivated);
  void SetChildTitle(const char* title);
};
