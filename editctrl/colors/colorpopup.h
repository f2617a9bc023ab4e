// CColorPopup: a popup palette of 40 named colours with an optional
// "Automatic" box above it (the caller's default value) and an optional
// "More Colors..." box below it (the platform's colour dialog). It holds the
// mouse while it is open and reports to its owner:
//   QCPN_SELCHANGE     the hot item changed (its colour)
//   QCPN_SELENDOK      the selection ended with a colour
//   QCPN_SELENDCANCEL  the selection was cancelled (the initial colour)
// each with the colour as wParam. The popup is made on the heap by Create and
// deletes itself when its window is destroyed, after the end or the cancel.
#pragma once
#include <windows.h>

#include "controls/tooltip.h"
#include "gdiwrap.h"
#include "popupkeys.h"
#include "qstring.h"
#include "wnd.h"

class CColorPopup : public CWnd {
 public:
  // The texts that the system's callers pass; "无颜色" takes the place of
  // the default text when the default value is 0xFFFFFFFF (no colour).
  static const char kAutomaticText[];
  static const char kMoreColorsText[];
  static const char kNoColorText[];
  static constexpr COLORREF kNoColor = 0xFFFFFFFF;

  // Opens a popup with its top-left corner at a screen point (moved to stay
  // on the screen, or above the owner near the bottom). A box whose text is
  // null or empty is left out. nullptr when the window could not be made.
  static CColorPopup* Create(POINT screen, COLORREF initial, HWND owner, const char* defaultText,
                             const char* customText, COLORREF defaultValue);

  // For tests and owners that look: the item under the hot highlight, the
  // item that holds the initial colour, an item's rectangle in client
  // coordinates (empty when it does not exist), the colour that the
  // selection would end with now.
  int GetHotItem() const { return m_hot; }
  int GetChosenItem() const { return m_chosen; }
  RECT GetItemRect(int item) const;
  COLORREF GetCurrentColor() const { return m_current; }
  // The text of the "Automatic" or "More Colors..." box; empty when absent.
  const CString& GetBoxText(int item) const { return item == kPopupAutoBox ? m_autoText : m_moreText; }
  // The tooltip's tools: one per palette cell, named after its colour.
  HWND GetTooltip() const { return m_tooltip.m_hWnd; }

 protected:
  LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;
  void PostNcDestroy() override;

 private:
  CColorPopup(COLORREF initial, HWND owner, const char* defaultText, const char* customText,
              COLORREF defaultValue);

  bool HasAutoBox() const { return !m_autoText.IsEmpty(); }
  bool HasMoreBox() const { return !m_moreText.IsEmpty(); }
  bool Exists(int item) const;
  COLORREF ItemColor(int item) const;
  int ItemAt(POINT client) const;

  // colorpopup_layout.cpp
  void MakeFontAndPalette();
  void Layout(POINT screen);
  void KeepOnScreen();
  void AddTooltips();
  int FindChosenItem() const;
  // colorpopup_paint.cpp
  void Paint(HDC output);
  void PaintCell(HDC dc, int item);
  void PaintBox(HDC dc, int item);
  void PaintItemFrame(HDC dc, int item, const RECT& rect);
  // colorpopup.cpp
  void OnMouseMove(POINT client);
  void OnLButtonUp(POINT client);
  // True when the key ended the selection (the object is gone then).
  bool OnKeyDown(UINT key);
  void SetHot(int item);
  void EndSelection(int item, bool cancelled);
  bool RunColorDialog();
  void KeepCapture();

  int m_colorCount = 40;
  int m_columns = 8;
  int m_rows = 5;
  int m_boxSize = 18;
  int m_margin = 2;
  int m_hot = kPopupNoItem;
  int m_chosen = kPopupNoItem;
  CString m_autoText;
  CString m_moreText;
  RECT m_moreRect = {0, 0, 0, 0};
  RECT m_autoRect = {0, 0, 0, 0};
  RECT m_windowRect = {0, 0, 0, 0};
  CFont m_font;
  CGdiObject m_palette;
  COLORREF m_defaultValue;
  COLORREF m_initial;
  COLORREF m_current;
  CToolTipCtrl m_tooltip;
  HWND m_owner;
  bool m_dialogOpen = false;

  int m_paletteTop = 0;   // client y of the palette's first row
  bool m_live = false;    // the window was made: its end deletes the object
  bool m_ending = false;  // the end or cancel is under way
  bool m_opening = true;  // Create has not finished yet
};
