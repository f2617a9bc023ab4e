// CCtrlButton: the owner-drawn system button of a button object. Its
// notifications come back to it (reflection), so it paints itself in the
// object's colours and font, keeps the check state of check boxes and radio
// buttons, and fires its object's click link (event 500).
#pragma once

#include <windows.h>

#include "gdiwrap.h"
#include "wnd.h"

enum CtrlButtonType : int {
  CBT_PUSH = 1,
  CBT_CHECK = 2,
  CBT_RADIO = 4,
};

class CCtrlButton : public CWnd {
 public:
  explicit CCtrlButton(CtrlButtonType type);
  ~CCtrlButton() override;

  // The link that a click triggers (owned by the object), or none.
  void SetLink(CObject* pLink) { m_pLink = pLink; }
  CObject* GetLink() const { return m_pLink; }
  // Copies the font, height made positive, width 0.
  void SetButtonFont(const LOGFONTA& lf);
  const LOGFONTA& GetButtonFont() const { return m_font; }
  void SetColors(COLORREF clrText, COLORREF clrFace);
  COLORREF GetFaceColor() const { return m_clrFace; }
  COLORREF GetTextColor() const { return m_clrText; }
  CtrlButtonType GetType() const { return m_type; }
  int GetCheck() const { return m_nCheck; }

  LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;
  bool OnChildNotify(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) override;
  void PreSubclassWindow() override;

 private:
  void OnClicked();
  LRESULT OnSetCheck(WPARAM state);
  HBRUSH OnCtlColor(HDC hdc);
  void OnDrawItem(const DRAWITEMSTRUCT& item);
  void DrawPushFace(CDC& dc, const RECT& rc, bool pressed, const CString& caption);
  // The square (check box) or disc (radio button) and the caption beside it.
  void DrawMarkFace(CDC& dc, const RECT& rc, const CString& caption);

  CObject* m_pLink = nullptr;
  CtrlButtonType m_type;
  int m_nCheck = 0;
  LOGFONTA m_font = {};
  CBrush m_brFace;
  COLORREF m_clrFace;
  COLORREF m_clrText = 0;
};
