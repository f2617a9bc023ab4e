// The button objects: CDrawPushBt (kind 101), CDrawCheckBt (102) and
// CDrawRadioBt (103). Each holds its owner-drawn button window, a caption
// and a font; the text colour is the line colour and the face colour the
// first fill colour.
#pragma once

#include "ctrlbutton.h"
#include "drawctrl.h"

class CDrawPushBt : public CDrawCtrl {
  DECLARE_SERIAL(CDrawPushBt)

 public:
  CDrawPushBt();
  ~CDrawPushBt() override;

  void Serialize(CArchive& ar) override;
  // Creates the button window once (disabled in the editor).
  BOOL AttachView(const DrawViewContext* pContext, BOOL bRunTime) override;
  // Hands the click link (kind 500) to the window.
  void PrepareActions(const DrawViewContext* pContext) override;
  void SetText(const char* pszText) override;
  CString GetText() override;
  void OnViewChanged() override;
  void GetPropList(PropDescList* pList) override;
  DrawObjType GetObjType() override;
  BOOL SetProp(int nId, LONG_PTR value) override;
  int GetActionKinds(ActionKindList* pList) override;
  HWND GetCtrlWnd() override;

  CCtrlButton& GetButton() { return m_button; }

  // Stored fields (the file holds the caption first).
  LOGFONTA m_font;
  CString m_strCaption;

 protected:
  CDrawPushBt(CtrlButtonType type, const char* pszCaption);
  // The window's font at the current zoom.
  void HandFontToWindow();
  void HandColorsToWindow();

  CCtrlButton m_button;
};

class CDrawCheckBt : public CDrawPushBt {
  DECLARE_SERIAL(CDrawCheckBt)

 public:
  CDrawCheckBt();
  DrawObjType GetObjType() override;
};

class CDrawRadioBt : public CDrawPushBt {
  DECLARE_SERIAL(CDrawRadioBt)

 public:
  CDrawRadioBt();
  DrawObjType GetObjType() override;
};

static_assert(sizeof(LOGFONTA) == 60, "the font is stored as 60 raw bytes");
