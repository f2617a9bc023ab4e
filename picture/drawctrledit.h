// CDrawCtrlEdit: the edit-box object (kind 104). It holds its edit window,
// a text, a font and three style bits (multi-line, password, read-only);
// changing a style bit makes the window again, since an edit window cannot
// take those styles once made.
#pragma once

#include "ctrleditwnd.h"
#include "drawctrl.h"

enum : DWORD {
  EDIT_MULTILINE = ES_MULTILINE,  // 0x4
  EDIT_PASSWORD = ES_PASSWORD,    // 0x20
  EDIT_READONLY = ES_READONLY,    // 0x800
};

class CDrawCtrlEdit : public CDrawCtrl {
  DECLARE_SERIAL(CDrawCtrlEdit)

 public:
  CDrawCtrlEdit();
  ~CDrawCtrlEdit() override;

  void Serialize(CArchive& ar) override;
  BOOL AttachView(const DrawViewContext* pContext, BOOL bRunTime) override;
  // Hands the links of kinds 520, 511 and 510 to the window.
  void PrepareActions(const DrawViewContext* pContext) override;
  void SetText(const char* pszText) override;
  // The window's text when there is a window.
  CString GetText() override;
  void OnViewChanged() override;
  void GetPropList(PropDescList* pList) override;
  DrawObjType GetObjType() override;
  BOOL SetProp(int nId, LONG_PTR value) override;
  int GetActionKinds(ActionKindList* pList) override;
  HWND GetCtrlWnd() override;

  CCtrlEditWnd& GetEditWindow() { return m_edit; }

  // Stored fields (the file holds the text, then the style bits, then the font).
  LOGFONTA m_font;
  DWORD m_dwStyle = 0;
  CString m_strText;

 private:
  // WS_BORDER, the style bits and the bits of a multi-line or single-line edit.
  DWORD WindowStyleBits() const;
  BOOL CreateEditWindow(DWORD dwBaseStyle, HWND hParent);
  void RecreateWindow();
  BOOL SetStyleBit(DWORD dwBit, LONG_PTR value);
  void SetFontProp(const LOGFONTA& lf);
  // Grows a side below the font height + 6 units to that.
  void KeepFontRoom();
  int StoredFontHeight() const;

  CCtrlEditWnd m_edit;
};
