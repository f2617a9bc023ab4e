// CSampexCtrl: the window object of every "Sampxe_1.0" window. The class's
// procedure makes one on the window's first message and deletes it after the
// window's last (wndclass.h).
//
// It paints the control, reports mouse movement to its picture window as the
// event MOUSEMOVE (QPM_FIREEVENT), answers the interface calls "add" and
// "dec" and the properties "backcolor" and "font", and shows its property
// sheet on QPM_SHOWPAGES.
#pragma once
#include "qel/qpi.h"
#include "sampexpaint.h"
#include "wnd.h"

class CSampexCtrl : public CWnd {
 public:
  CSampexCtrl();

  LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

  const SampexFace& GetFace() const { return m_face; }

 private:
  void OnMouseMove(LPARAM lp);
  void OnPaint();
  void OnSize();
  LRESULT OnCallInterface(WPARAM wp, QPI_CALL* call);
  LRESULT OnSetProperty(WPARAM wp, QPI_CALL* call);
  LRESULT OnGetProperty(WPARAM wp, QPI_CALL* call);
  LRESULT OnShowPages(const char* pszPrefix);

  // Fields in order: back colour, font, text format.
  SampexFace m_face;
};
