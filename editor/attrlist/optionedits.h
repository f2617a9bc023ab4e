// The text editors of the options list: the edit box, the combos (a
// drop-down with its own edit part, a 100-pixel list and a vertical scroll
// bar) with their fixed choices, and the spin control beside an edit box.
// Each is made by its run-time class when its row becomes current.
#pragma once
#include <windows.h>

#include "attrtexts.h"
#include "controls/combobox.h"
#include "controls/edit.h"
#include "controls/spinctrl.h"
#include "listoptionseditor.h"

// The child id of every in-place editor (one is open at a time).
enum : UINT { kOptionEditorId = 0x7F00, kOptionBuddyId = 0x7F01 };

// An edit box with a sunken edge holding the cell's text, all of it selected.
class CListOptionsEdit : public CEdit, public CListOptionsEditor {
  DECLARE_DYNCREATE(CListOptionsEdit)

 public:
  BOOL OpenEditor(CListOptionsCtrl* list, int row, const RECT& rect) override;
  bool GetEditorText(CString* text) const override;
  void SetEditorText(const CString& text) override;
  HWND FocusWindow() const override { return m_hWnd; }
  void PlaceEditor(const RECT& cell) override { MoveWindow(cell); }
  LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;
};

class CListOptionsCombo;

// The edit part of an options combo: Enter and Esc end its edit while the
// list of choices is closed; the focus leaving it is the combo's.
class CListOptionsComboEdit : public CWnd {
 public:
  explicit CListOptionsComboEdit(CListOptionsCombo* combo) : m_combo(combo) {}
  LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  CListOptionsCombo* m_combo;
};

class CListOptionsCombo : public CComboBox, public CListOptionsEditor {
  DECLARE_DYNCREATE(CListOptionsCombo)

 public:
  enum : int { kDropDownHeight = 100 };

  CListOptionsCombo();
  BOOL OpenEditor(CListOptionsCtrl* list, int row, const RECT& rect) override;
  void PlaceEditor(const RECT& cell) override;
  bool GetEditorText(CString* text) const override;
  void SetEditorText(const CString& text) override;
  HWND FocusWindow() const override;
  bool OnChildNotify(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) override;

  CListOptionsCtrl* GetList() const { return m_list; }
  CWnd& GetEditPart() { return m_edit; }

 protected:
  // Style bits beyond the drop-down's own (CBS_SORT).
  virtual DWORD ExtraStyle() const { return 0; }
  // Puts the choices into the list.
  virtual void FillChoices() {}
  template <size_t N>
  void AddChoices(const ValueText (&table)[N]) {
    for (const ValueText& entry : table) AddString(entry.text);
  }

 private:
  // The selection field as tall as the cell; the window reaches below it by
  // the drop-down.
  void FitToCell(const RECT& cell);

  CListOptionsComboEdit m_edit;
};

// The face names of every font of the screen, sorted.
class CListOptionsFontNameCombo : public CListOptionsCombo {
  DECLARE_DYNCREATE(CListOptionsFontNameCombo)

 protected:
  DWORD ExtraStyle() const override { return CBS_SORT; }
  void FillChoices() override;
};

// "TRUE" and "FALSE".
class CListOptionsBooleanCombo : public CListOptionsCombo {
  DECLARE_DYNCREATE(CListOptionsBooleanCombo)

 protected:
  void FillChoices() override { AddChoices(kBoolTexts); }
};

// The arrows beside an edit box: they step the number in it within the
// row's range.
class CListOptionsSpinCtrl : public CSpinButtonCtrl, public CListOptionsEditor {
  DECLARE_DYNCREATE(CListOptionsSpinCtrl)

 public:
  BOOL OpenEditor(CListOptionsCtrl* list, int row, const RECT& rect) override;
  int BuddyWidth(int cellHeight) const override;
  void AttachTo(CWnd* editor) override;
  HWND FocusWindow() const override { return GetBuddy(); }
  void PlaceEditor(const RECT& cell) override { MoveWindow(cell); }
};
