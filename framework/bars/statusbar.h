// CStatusBar: the status line at the bottom of a frame: the message pane
// (the menu prompts and the idle message) followed by indicator panes, each
// a command id whose string resource is its text (ID_INDICATOR_CAPS ...).
// An indicator's text shows while its command is enabled (the caps, num and
// scroll keys are on) and is blank while it is disabled.
#pragma once
#include <windows.h>

#include <vector>

#include "bars/controlbar.h"
#include "qstring.h"

class CStatusBar : public CControlBar {
  DECLARE_DYNAMIC(CStatusBar)

 public:
  BOOL Create(CFrameWnd* frame, DWORD style = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM,
              UINT id = AFX_IDW_STATUS_BAR);
  // ids[0] is the message pane (ID_SEPARATOR); the others are indicators.
  BOOL SetIndicators(const UINT* ids, int count);
  int GetPaneCount() const { return static_cast<int>(m_panes.size()); }
  UINT GetItemID(int index) const { return m_panes[static_cast<size_t>(index)].id; }
  CString GetPaneText(int index) const;
  void SetPaneText(int index, const char* text);
  // Shows or blanks the text of an indicator.
  void EnablePane(int index, BOOL on);

  SIZE CalcFixedLayout(BOOL stretch, BOOL horz) override;
  void OnUpdateCmdUI(CFrameWnd* target, BOOL disableIfNoHandler) override;
  LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  struct Pane {
    UINT id;
    CString text;  // the indicator's own text
    int width;
    BOOL enabled;
  };
  void UpdateParts();
  int TextWidth(const char* text) const;

  std::vector<Pane> m_panes;
};

// What the command route sets on an indicator pane.
class CStatusCmdUI : public CCmdUI {
 public:
  CStatusBar* m_pBar = nullptr;
  void Enable(BOOL on = TRUE) override;
  void SetCheck(int) override {}
  void SetRadio(BOOL) override {}
  void SetText(const char* text) override;
};
