// CTipListBox: the completion list of the script editor, a sorted list box
// that the edit control shows below the word being typed. Enter or a double
// click completes the word with the chosen tip; Up and Down choose; Esc,
// Left and Right close it; Space closes it and is typed; every other key
// and character goes on to the edit control.
//
// The list never destroys itself: it asks the edit control, which destroys
// it once the message being handled is done (also when the list loses the
// focus).
#pragma once
#include "controls/listbox.h"
#include "gdiwrap.h"

class CScriptEdit;

class CTipListBox : public CListBox {
 public:
  // A visible, sorted, notifying child of the edit control with a vertical
  // scroll bar and a border, in the list's font.
  BOOL CreateIn(CScriptEdit& edit, UINT id);

  // The word being completed.
  CString m_strWord;

  LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;
  bool OnChildNotify(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) override;

 private:
  bool OnKeyDown(WPARAM key, LPARAM flags);
  void OnChar(WPARAM ch, LPARAM flags);
  // Completes the word with the rest of the chosen tip.
  void Accept();

  CScriptEdit* m_pEdit = nullptr;
  CFont m_font;
};
