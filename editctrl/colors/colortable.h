// The 40 named colours of the colour popup, eight to a row.
#pragma once
#include <windows.h>

struct NamedColor {
  COLORREF color;
  const char* name;  // the cell's tooltip
};

enum : int { kPopupColorCount = 40, kPopupColorColumns = 8 };
extern const NamedColor kPopupColors[kPopupColorCount];

// The default value that the editing control's pages give the popup for its
// "Automatic" box (the platform's CLR_DEFAULT).
constexpr COLORREF kColorDefault = 0xFF000000;

// A colour reference without its high byte: what GDI can draw of a colour
// read from an older file (CLR_DEFAULT or a palette flag included).
inline COLORREF DrawableColor(COLORREF color) { return color & 0x00FFFFFF; }
