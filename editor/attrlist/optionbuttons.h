// The button editors of the options list: the browse button at a cell's
// right end, and the colour and font buttons over a value cell, which open
// the colour popup and the platform's font dialog and hand the choice to
// the list.
#pragma once
#include <windows.h>

#include "listoptionseditor.h"
#include "wnd.h"

// A push button of the options list; its click goes to OnClicked.
class CListOptionsButton : public CWnd, public CListOptionsEditor {
 public:
  BOOL OpenEditor(CListOptionsCtrl* list, int row, const RECT& rect) override;
  HWND FocusWindow() const override { return m_hWnd; }
  void PlaceEditor(const RECT& cell) override { MoveWindow(cell); }
  bool OnChildNotify(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) override;
  LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

  // Acts as a click would.
  virtual void OnClicked() = 0;

 protected:
  virtual const char* ButtonText() const = 0;
  virtual DWORD ButtonStyle() const { return BS_PUSHBUTTON; }
  virtual UINT ButtonId() const;
  // Still the list's open editor (a choice made after the list was
  // refilled belongs to no row).
  bool IsListEditor() const;
};

// "..." at the cell's right end: the row's browse command.
class CListOptionsBrowseButton : public CListOptionsButton {
  DECLARE_DYNCREATE(CListOptionsBrowseButton)

 public:
  void OnClicked() override;

 protected:
  const char* ButtonText() const override { return "..."; }
  UINT ButtonId() const override;
};

// The row's colour and its text; a click opens the colour popup under the
// button, whose "Automatic" box gives 0, or no colour (0xFFFFFFFF, the box
// reading "无颜色") on a row that allows it.
class CListOptionsColorButton : public CListOptionsButton {
  DECLARE_DYNCREATE(CListOptionsColorButton)

 public:
  void OnClicked() override;
  LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;
  bool OnChildNotify(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) override;

 protected:
  const char* ButtonText() const override { return ""; }
  DWORD ButtonStyle() const override { return BS_OWNERDRAW; }

 private:
  void Draw(const DRAWITEMSTRUCT& item);
  void OnPopupEnded(COLORREF color, bool chosen);
};

// The row's face name; a click opens the font dialog with the row's font.
class CListOptionsFontButton : public CListOptionsButton {
  DECLARE_DYNCREATE(CListOptionsFontButton)

 public:
  BOOL OpenEditor(CListOptionsCtrl* list, int row, const RECT& rect) override;
  void OnClicked() override;

 protected:
  const char* ButtonText() const override { return ""; }
};
