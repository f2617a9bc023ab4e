// CPagePointer "仪表指针量程": the range of a meter pointer link (kind 9) and
// the angles at its ends.
#pragma once
#include "linkpage.h"

class CPagePointer : public CLinkPage {
  DECLARE_DYNCREATE(CPagePointer)

 public:
  CPagePointer() : CPagePointer(nullptr, nullptr) {}
  CPagePointer(CPicEditWnd* wnd, CAction* link);

  BOOL OnApply() override;

  double m_dMinimum = 0.0;
  double m_dMaximum = 0.0;
  int m_nMinAngle = 0;  // degrees at the minimum
  int m_nMaxAngle = 0;  // degrees at the maximum

 protected:
  void DoDataExchange(CDataExchange* dx) override;

 private:
  CAction* m_pLink;
};
