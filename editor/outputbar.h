// COutputBar ("OutPut"): the sizing docking bar that holds the read-only
// rich edit control of the compiler's output (font "宋体" 10 points, black,
// 32 tab stops every 480 twips). Appended text goes to the end and the
// control scrolls by the lines it added.
#pragma once
#include <windows.h>

#include "controls/richedit.h"
#include "qstring.h"
#include "bars/sizingbar.h"

class COutputBar : public CSizingControlBar {
  DECLARE_DYNAMIC(COutputBar)

 public:
  BOOL Create(CFrameWnd* frame, SIZE size, UINT id);
  void AppendText(const char* text);
  void Clear();
  // The text as shown, with plain "\n" line ends.
  CString GetText() const;
  CRichEditCtrl& GetEdit() { return m_edit; }

  LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  CRichEditCtrl m_edit;
};
