// CPageRoll "旋转": the mode and the step angle of a rotation link (kind 6).
#pragma once
#include "linkpage.h"

class CPageRoll : public CLinkPage {
  DECLARE_DYNCREATE(CPageRoll)

 public:
  CPageRoll() : CPageRoll(nullptr, nullptr) {}
  CPageRoll(CPicEditWnd* wnd, CAction* link);

  BOOL OnApply() override;

  int m_nStep = 15;  // degrees per rotation
  int m_nMode = 0;   // 0 continuous, 1 resettable single rotation

 protected:
  void DoDataExchange(CDataExchange* dx) override;

 private:
  CAction* m_pLink;
};
