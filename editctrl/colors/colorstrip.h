// CColorStrip: a row of up to ten colour segments, each with its upper bound written under it; a click on a segment
// opens the colour popup for it. A colour chosen there that differs from
// the segment's becomes its colour, and the parent page hears QCCN_CHANGED.
// "Automatic" gives the segment's default colour (its initial one), never
// CLR_DEFAULT.
#pragma once
#include <windows.h>

#include "colorcontrol.h"
#include "gdiwrap.h"
#include "qstring.h"

class CColorStrip : public CColorControl {
 public:
  enum : int { kMaxSegments = 10 };
  // The height of the bound texts' band at the bottom.
  enum : int { kTextBand = 20 };

  CColorStrip();

  int GetSegmentCount() const { return m_segmentCount; }
  // Clamped to 0 to 10; repaints.
  void SetSegmentCount(int count);
  COLORREF GetColor(int segment) const;
  // Sets a segment's colour without telling the page (its initial state).
  void InitColor(int segment, COLORREF color);
  CString GetBoundText(int segment) const;
  void SetBoundText(int segment, const char* text);
  // The segment whose popup was opened last; -1 before any.
  int GetEditedSegment() const { return m_editedSegment; }
  // The segment under a client x, -1 for none (no segments, or a strip
  // narrower than its segments); the last one reaches the right edge.
  int SegmentAt(int x) const;

  // The popup's end for the edited segment.
  void OnColorChosen(COLORREF color) override;

 protected:
  void Paint(HDC dc) override;
  void OnClick(POINT client) override;

 private:
  void PaintSegment(HDC dc, int segment, const RECT& rect);
  RECT SegmentRect(int segment) const;

  CFont m_font;
  int m_segmentCount = 1;
  COLORREF m_colors[kMaxSegments];
  CString m_boundTexts[kMaxSegments];
  int m_editedSegment = -1;
};
