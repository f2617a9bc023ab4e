// CPagePerFill "百分比填充": the direction, the range and the colour of a
// percentage fill link (kind 8).
#pragma once
#include "colorswatch.h"
#include "linkpage.h"

class CPagePerFill : public CLinkPage {
  DECLARE_DYNCREATE(CPagePerFill)

 public:
  CPagePerFill() : CPagePerFill(nullptr, nullptr) {}
  CPagePerFill(CPicEditWnd* wnd, CAction* link);

  BOOL OnApply() override;

  // The fill colour, held by the swatch.
  COLORREF GetFillColor() const { return m_swatch.GetColor(); }
  void SetFillColor(COLORREF color) { m_swatch.InitColor(color); }

  CColorSwatch m_swatch;
  int m_nDirection = 0;  // 0 up, 1 down, 2 right, 3 left
  double m_dMinimum = 0.0;
  double m_dMaximum = 0.0;

 protected:
  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* dx) override;

 private:
  CAction* m_pLink;
};
