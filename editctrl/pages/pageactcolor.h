// CPageActColor "直接颜色": the levels of a colour or fill-colour link (kinds 2
// and 3). Segment i covers the values above the upper bound of segment i - 1
// up to and including its own upper bound; the link stores the bounds as one
// text, each bound followed by a tab. The level count goes from 2 to 5 by its
// up-down, the segment shown from 1 to the level count by its own.
#pragma once
#include "colorstrip.h"
#include "controls/spinctrl.h"
#include "linkpage.h"

class CPageActColor : public CLinkPage {
  DECLARE_DYNCREATE(CPageActColor)

 public:
  enum : int { kMaxBounds = 10, kMinLevels = 2, kMaxLevels = 5 };

  CPageActColor() : CPageActColor(nullptr, nullptr) {}
  CPageActColor(CPicEditWnd* wnd, CAction* link);

  BOOL OnApply() override;

  // The colour of a segment (0 based) as the page will write it: the strip's.
  COLORREF GetSegmentColor(int index) const;
  // The upper bound of a segment (0 based) as the page holds it.
  CString GetBound(int index) const;

  CString m_strThresholds;
  COLORREF m_colors[kMaxBounds];
  CString m_strBounds[kMaxBounds];
  CSpinButtonCtrl m_spinLevels;
  CSpinButtonCtrl m_spinSegment;
  CColorStrip m_strip;
  int m_nSegment = 1;
  int m_nLevels = 2;
  CString m_strLower;
  CString m_strUpper;

 protected:
  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* dx) override;
  bool OnCommand(UINT id, UINT code, HWND control) override;
  bool OnNotify(NMHDR* header, LRESULT* result) override;

 private:
  // Splits the threshold text into the bounds: every piece closed by a tab.
  void SplitThresholds();
  // The strip shows the levels, their colours and their bounds.
  void FillStrip();
  void StepLevels(int delta);
  void StepSegment(int delta);
  // Shows the bounds of the current segment in 5016 and 5017.
  void ShowBounds();
  void TakeUpperBound();

  CAction* m_pLink;
};

// The threshold text of the first levels bounds: each followed by a tab.
CString JoinThresholds(const CString* bounds, int levels);
// The bounds of a threshold text: every piece closed by a tab, at most
// maxBounds of them; text after the last tab is dropped.
int SplitThresholdText(const char* text, CString* bounds, int maxBounds);
