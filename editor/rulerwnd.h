// CRulerWnd: a ruler beside the editing window, along the top (horizontal)
// or the left (vertical). It shows picture units from its origin (the
// picture coordinate at its start) at its scale (pixels per picture unit):
// a tick at every tenth unit that lies more than 3 pixels past the last one
// drawn, a longer tick at every fiftieth (with its value from a scale of 1.5
// on), and at every hundredth a line across the ruler with its value.
#pragma once
#include <windows.h>

#include <vector>

#include "gdiwrap.h"
#include "wnd.h"

// One mark of a ruler: pixels from the ruler's start, the picture unit, its
// kind and whether its value is written beside it.
struct RulerMark {
  enum Kind : int { kTick, kFifty, kHundred };
  int position;
  int unit;
  Kind kind;
  bool label;
};

// The marks of a ruler of that length in pixels. Candidates are the
// multiples of 10 from the first one at or after the origin (never below
// 0); the start counts as the position of unit 0. A scale of 0 or less, or
// an origin that is no number or lies beyond the range of units, has no
// marks.
std::vector<RulerMark> ComputeRulerMarks(double origin, double scale, int length);

class CRulerWnd : public CWnd {
 public:
  enum Orientation : int { kVertical = 0, kHorizontal = 1 };
  // The rulers' thickness and the view's corner between them.
  enum : int { kThickness = 22 };

  explicit CRulerWnd(Orientation orientation) : m_orientation(orientation) {}

  BOOL Create(HWND parent, UINT id, const RECT& rect);
  Orientation GetOrientation() const { return m_orientation; }
  double GetOrigin() const { return m_origin; }
  double GetScale() const { return m_scale; }
  // Both redraw the ruler at once.
  void SetOriginAndScale(double origin, double scale);

  // Draws the whole ruler of that client size onto dc.
  void Draw(CDC& dc, SIZE size) const;

  LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  void OnPaint();
  void DrawMark(CDC& dc, SIZE size, const RulerMark& mark, HFONT font) const;

  Orientation m_orientation;
  double m_origin = 0;
  double m_scale = 1.0;
};
