// CPageExp "数据值": the expression of a direct link, with the fixed help
// text, a note line that the dialog fills per link kind, the analysis
// button and the tabbed picker that inserts functions and tag references.
#pragma once
#include "controls/edit.h"
#include "linkpage.h"
#include "picktab.h"

class CPageExp : public CLinkPage {
  DECLARE_DYNCREATE(CPageExp)

 public:
  CPageExp() : CPageExp(nullptr, nullptr) {}
  CPageExp(CPicEditWnd* wnd, CAction* link);

  BOOL OnApply() override;

  CString m_strExpression;
  CString m_strHelp;
  CString m_strNote;
  CEdit m_editExpression;
  CExpPickTab m_picker;

  // The picker's left edge in the page, in pixels.
  enum : int { kPickerLeft = 480 };

 protected:
  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* dx) override;
  bool OnCommand(UINT id, UINT code, HWND control) override;
  LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  // Makes the picker: local tags from the editing window's table, database
  // tags through its host callbacks, everything inserted into the expression.
  void CreatePicker();
  // The picker fills the page right of kPickerLeft.
  void PlacePicker();
  // Checks the text of the expression edit and says what the check found.
  void AnalyseExpression();

  CAction* m_pLink;
};
