// CListOptionsCtrl: a report list of named values ("属性", "值"), each value
// edited in place. Every row carries an item record: the run-time class of
// its editor (an edit box, a combo, a colour or font button) and of an
// optional buddy (a spin control or a browse button), its colour or font,
// its text and background colours and font style, and the window that
// receives its commands. At most one editor is open, over the value cell of
// the current row.
//
// A click on a row (or Up and Down) makes it current: the edit in progress
// finishes and the row's editor opens. An edit finishes with Enter, with the
// focus leaving the list and its editors, with scrolling, or with a combo's
// choice; a text equal to the cell's changes nothing, any other text becomes
// the cell's, the editor closes and the derived list hears of it. Esc shows
// the cell's text again. Colour and font buttons report their choice the
// same way, and a browse button its click.
//
// A closed editor is hidden at once and destroyed when the list next handles
// a posted message: the list may be refilled from inside an editor's own
// handler (the value sent back makes its receiver send new rows).
#pragma once
#include <windows.h>

#include <memory>
#include <vector>

#include "controls/listctrl.h"
#include "gdiwrap.h"
#include "object.h"

class CListOptionsEditor;

// Font style bits of a row.
enum : int { kOptionBold = 1, kOptionItalic = 2, kOptionUnderline = 4 };

struct COptionItem {
  CRuntimeClass* editorClass = nullptr;  // null: the value is not edited
  CRuntimeClass* buddyClass = nullptr;   // a spin control or browse button at the cell's end
  COLORREF color = 0;                    // a colour row's colour
  bool allowNoColor = false;             // its popup offers no colour (0xFFFFFFFF)
  LOGFONTA font = {};                    // a font row's font
  int spinLower = 0, spinUpper = 100;    // the spin control's range
  COLORREF textColor = CLR_DEFAULT;      // CLR_DEFAULT: the list's own
  COLORREF backColor = CLR_DEFAULT;
  int fontStyle = 0;      // kOption* bits
  HWND target = nullptr;  // the window that receives the row's commands
};

class CListOptionsCtrl : public CListCtrl {
  DECLARE_DYNAMIC(CListOptionsCtrl)

 public:
  CListOptionsCtrl();
  ~CListOptionsCtrl() override;

  BOOL Create(DWORD style, const RECT& rect, HWND parent, UINT id);

  // ---- rows ----------------------------------------------------------------------
  // Appends a row (image -1: none); its index.
  int AddRow(const char* name, int image, const char* value, const COptionItem& item);
  // Removes every row and any editor.
  void RemoveAllRows();
  int GetRowCount() const { return static_cast<int>(m_items.size()); }
  const COptionItem& GetRowItem(int row) const { return m_items.at(static_cast<size_t>(row)); }
  CString GetValueText(int row) const { return GetItemText(row, 1); }
  // The row's image, -1 for none.
  int GetRowImage(int row) const;

  // ---- editing ---------------------------------------------------------------------
  // The current row, -1 when none.
  int GetCurrentRow() const { return m_current; }
  // Finishes the edit in progress and opens the row's editor (the row
  // becomes current and selected).
  void SetCurrentRow(int row);
  // The open editor and its buddy, or nullptr.
  CWnd* GetEditor() const { return m_editor.get(); }
  CWnd* GetBuddy() const { return m_buddy.get(); }
  // The edit in progress ends with the editor's text (see above).
  void FinishEdit();
  // The editor shows the cell's text again; the focus goes to the list.
  void CancelEdit();
  // The font of a style (kOption* bits): the list's own for 0.
  HFONT GetStyleFont(int style) const;

  // ---- what the editors report -----------------------------------------------------
  // Enter, Esc, Up or Down in a text editor.
  void OnEditorKey(UINT key);
  // The focus left an editor for newFocus.
  void OnEditorFocusLost(HWND newFocus);
  // A combo's choice: the edit finishes once the combo has done with it.
  void PostFinishEdit();
  // A colour or font chosen in the row's button, a browse button clicked.
  void CommitColor(int row, COLORREF color);
  void CommitFont(int row, const LOGFONTA& font);
  void Browse(int row);
  // While an editor's popup or dialog is open the focus may leave it
  // without ending the edit.
  void SetBusy(bool busy);
  bool IsBusy() const { return m_busy; }

  LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;
  bool OnChildNotify(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) override;

 protected:
  void PreSubclassWindow() override;

  // What a derived list does with a finished edit.
  virtual void OnItemTextChanged(int row, const CString& text) {
    (void)row;
    (void)text;
  }
  virtual void OnItemColorChanged(int row, COLORREF color) {
    (void)row;
    (void)color;
  }
  virtual void OnItemFontChanged(int row, const LOGFONTA& font) {
    (void)row;
    (void)font;
  }
  virtual void OnItemBrowse(int row) { (void)row; }
  // The text a finished edit stands for (a number held to its bounds).
  virtual CString AdjustEditText(int row, const CString& text) {
    (void)row;
    return text;
  }

 private:
  class CHeader;

  void Setup();
  void MakeStyleFonts();
  void OpenEditor(int row);
  void CloseEditor();
  void ReapEditors();
  void PlaceEditors();
  RECT ValueCell(int row) const;
  bool IsOwnWindow(HWND hwnd) const;
  // Takes a new text into a row: true when it differs from the cell.
  bool TakeText(int row, const CString& text);
  void SelectRow(int row);

  void OnLButtonDown(POINT at);
  bool OnKeyDown(UINT key);
  void OnFocusLeaving(HWND newFocus);
  LRESULT OnCustomDraw(NMLVCUSTOMDRAW* draw);

  std::vector<COptionItem> m_items;
  std::unique_ptr<CWnd> m_editor;
  std::unique_ptr<CWnd> m_buddy;
  CListOptionsEditor* m_editorSide = nullptr;    // m_editor as an editor
  std::vector<std::unique_ptr<CWnd>> m_retired;  // closed editors, destroyed later
  std::unique_ptr<CHeader> m_header;
  int m_current = -1;
  int m_editRow = -1;     // the row of the open editor
  UINT m_generation = 0;  // counts opened editors: a posted finish names its editor
  bool m_busy = false;
  bool m_reapPosted = false;
  bool m_setUp = false;
  bool m_dying = false;
  // Bold, italic, underline, bold italic, italic underline, bold italic
  // underline, made from the list's font.
  CFont m_styleFonts[6];
};
