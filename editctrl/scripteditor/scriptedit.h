// CScriptEdit: the rich edit control of the script editor. Enter indents the
// new line like the line it leaves, Tab types a tab, and after a letter or
// digit the word before the caret is completed from the tips file: with two
// or more characters that begin a tip, the completion list opens below it.
#pragma once
#include "controls/richedit.h"
#include "scripttips.h"
#include "tiplistbox.h"

class CScriptEdit : public CRichEditCtrl {
 public:
  // Reads the tips (ScriptTipsPath).
  CScriptEdit();

  LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

  // The clipboard's text (only text, up to its first NUL); false when the
  // clipboard holds none or cannot be opened.
  bool TakeClipboardText(CString& text);

  // For the completion list: the rest of a tip replaces the selection (when
  // not empty); the focus comes back and the list is closed.
  void CompleteWith(const CString& rest);
  // The focus comes back and the list is destroyed once the message being
  // handled is done.
  void CloseTipList();
  bool HasTipList() const { return m_tipList.m_hWnd != nullptr; }
  const CTipListBox& TipList() const { return m_tipList; }
  const CScriptTipArray& Tips() const { return m_tips; }

  static constexpr UINT kTipListId = 1;
  static constexpr int kTipMinWord = 2;    // characters typed before tips are offered
  static constexpr int kTipMaxRows = 10;   // rows the list shows at most
  static constexpr int kTipCharWidth = 7;  // pixels per character of the longest tip

 private:
  bool OnKeyDown(WPARAM key);
  bool OnChar(WPARAM ch);
  // After a letter, digit or backspace: offers the tips of the word before
  // the caret, or closes the list.
  void UpdateCompletion();
  void ShowTips(const CString& word, long wordStart);
  void DestroyTipList(WPARAM generation);

  CScriptTipArray m_tips;
  CTipListBox m_tipList;
  CString m_strWord;
  WPARAM m_tipGeneration = 0;    // counts the list's showings; a stale close request is ignored
  bool m_returnHandled = false;  // Enter was indented here: its character is not typed again
};
