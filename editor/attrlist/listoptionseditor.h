// CListOptionsEditor: what the options list asks of every in-place editor.
// An editor is a window of the framework's run-time class named by its row,
// made when the row becomes current and placed over the row's value cell (a
// buddy, the spin control or the browse button, at the cell's right end).
// Editors that hold a text (edit boxes and combos) give it to the list when
// the edit finishes; buttons report their choice to the list themselves.
#pragma once
#include <windows.h>

#include "qstring.h"

class CListOptionsCtrl;
class CWnd;

class CListOptionsEditor {
 public:
  virtual ~CListOptionsEditor() = default;

  // Makes the editor's window as a child of the list over the cell rect
  // (the list's client coordinates); FALSE when it could not be made.
  virtual BOOL OpenEditor(CListOptionsCtrl* list, int row, const RECT& rect) = 0;
  // Places the window over the cell again (the list scrolled or its
  // columns changed).
  virtual void PlaceEditor(const RECT& cell) = 0;
  // The width a buddy takes at the right end of a cell of that height.
  virtual int BuddyWidth(int cellHeight) const { return cellHeight; }
  // Joins a buddy to the row's main editor (the spin control takes the edit box).
  virtual void AttachTo(CWnd* editor) { (void)editor; }
  // The text the editor holds now; false for editors without one.
  virtual bool GetEditorText(CString* text) const {
    (void)text;
    return false;
  }
  // Shows a text again (a cancelled edit).
  virtual void SetEditorText(const CString& text) { (void)text; }
  // The window that takes the focus when the list hands it over.
  virtual HWND FocusWindow() const = 0;

  int GetRow() const { return m_row; }

 protected:
  CListOptionsCtrl* m_list = nullptr;
  int m_row = -1;
};
