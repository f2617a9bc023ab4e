// CCtrlEditWnd: the system edit window of an edit-box object. Its
// notifications come back to it (reflection) and fire its object's links:
// content changed (520), focus lost (511) and focus gained (510).
#pragma once

#include <windows.h>

#include <memory>

#include "gdiwrap.h"
#include "wnd.h"

class CCtrlEditWnd : public CWnd {
 public:
  CCtrlEditWnd();
  ~CCtrlEditWnd() override;

  // The links (owned by the object), each possibly none.
  void SetLinks(CObject* pChange, CObject* pKillFocus, CObject* pSetFocus);
  // Copies the font (height made positive, width 0) and makes it; the
  // window gets it now when it exists, else when ApplyFont runs.
  void SetEditFont(const LOGFONTA& lf);
  // Hands the current font to the window (after it was made again).
  void ApplyFont();
  const LOGFONTA& GetEditFont() const { return m_font; }

  bool OnChildNotify(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) override;

 private:
  void Fire(CObject* pLink, int nEvent);

  CObject* m_pChangeLink = nullptr;
  CObject* m_pKillFocusLink = nullptr;
  CObject* m_pSetFocusLink = nullptr;
  LOGFONTA m_font = {};
  std::unique_ptr<CFont> m_pFont;
};
