// CColorSwatch: a framed colour box that opens the colour popup where it is
// clicked. A colour chosen there that differs from its own becomes its
// colour, and its parent page hears QCCN_CHANGED. "Automatic" gives the
// swatch's default colour, never CLR_DEFAULT, so the page always receives a
// colour it can store and draw.
#pragma once
#include "colorcontrol.h"

class CColorSwatch : public CColorControl {
 public:
  COLORREF GetColor() const { return m_color; }
  // Sets the colour without telling the page (its initial state).
  void InitColor(COLORREF color);
  // What "Automatic" stands for; initially the swatch's initial colour.
  void SetDefaultColor(COLORREF color) { m_defaultColor = color; }
  COLORREF GetDefaultColor() const { return m_defaultColor; }

  // The popup's end: a colour other than the current one is stored, shown
  // and reported to the parent with QCCN_CHANGED.
  void SetColor(COLORREF color);

 protected:
  void Paint(HDC dc) override;
  void OnClick(POINT client) override;
  void OnColorChosen(COLORREF color) override { SetColor(color); }

 private:
  COLORREF m_color = 0xC0C0C0;
  COLORREF m_defaultColor = 0xC0C0C0;
};
