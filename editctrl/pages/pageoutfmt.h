// CPageOutFmt "输出格式": the decimals of a displayed-value link (kind 1).
#pragma once
#include "linkpage.h"

class CPageOutFmt : public CLinkPage {
  DECLARE_DYNCREATE(CPageOutFmt)

 public:
  CPageOutFmt() : CPageOutFmt(nullptr, nullptr) {}
  CPageOutFmt(CPicEditWnd* wnd, CAction* link);

  BOOL OnApply() override;

  int m_nDecimals = 0;

 protected:
  void DoDataExchange(CDataExchange* dx) override;

 private:
  CAction* m_pLink;
};
