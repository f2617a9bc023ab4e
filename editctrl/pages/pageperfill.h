// CPagePerFill "百分比填充": the direction, the range and the colour of a
// percentage fill link (kind 8).
#pragma once
#include "linkpage.h"

class CPagePerFill : public CLinkPage {
  DECLARE_DYNCREATE(CPagePerFill)

 public:
  CPagePerFill() : CPagePerFill(nullptr, nullptr) {}
  CPagePerFill(CPicEditWnd* wnd, CAction* link);

  BOOL OnApply() override;

  COLORREF GetFillColor() const { return m_clrFill; }
  void SetFillColor(COLORREF color) { m_clrFill = color; }

  int m_nDirection = 0;  // 0 up, 1 down, 2 right, 3 left
  double m_dMinimum = 0.0;
  double m_dMaximum = 0.0;

 protected:
  void DoDataExchange(CDataExchange* dx) override;

 private:
  CAction* m_pLink;
  COLORREF m_clrFill = 0xC0C0C0;
};
