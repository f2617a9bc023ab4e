// A closed, fillable polygon.
#pragma once

#include <vector>

#include "drawpoly.h"
#include "shapepaint.h"

class CDrawPolygon : public CDrawPoly {
  DECLARE_SERIAL(CDrawPolygon)

 public:
  CDrawPolygon() = default;

  int HitTest(const CPointD& point, CDrawObj** ppHit) override;
  int HitTestChild(const CPointD& point, CDrawObj** ppHit) override;
  void Draw(CDC* pDC, DWORD dwFlags) override;
  void GetPropList(PropDescList* pList) override;
  DrawObjType GetObjType() override;
  BOOL SetProp(int nId, LONG_PTR value) override;

  // Whether it draws as a plain polygon: a solid fill and a thin cosmetic
  // outline (or none), a look that a run of them can share.
  bool IsPlain() const;
  // Draws a plain polygon as Draw does, with the pen and brush of a run.
  void DrawInRun(CDC* pDC, DWORD dwFlags, class CPlainPolygonRun& run);
  // What DrawInRun sets; false when that could depend on what lies under
  // it (styled or dashed outlines, see CRunDrawing) or when it draws nothing.
  bool DescribeRunDrawing(struct CRunDrawing& drawing) const;

 protected:
  LinkFamily GetLinkFamily() override;
};

// The pen and brush that consecutive plain polygons of one look share as a
// group draws them (a metafile's import is one group of many thousands):
// made and selected once for the run instead of for every polygon. The
// pixels are those each polygon draws alone.
class CPlainPolygonRun {
 public:
  explicit CPlainPolygonRun(CDC* pDC) : m_pDC(pDC) {}
  ~CPlainPolygonRun() { End(); }
  CPlainPolygonRun(const CPlainPolygonRun&) = delete;
  CPlainPolygonRun& operator=(const CPlainPolygonRun&) = delete;

  // Selects the pen and brush of the polygon's look, made anew when it
  // differs from the run's; false when they cannot be made.
  bool Select(const CDrawPolygon& polygon);
  // Ends the run: the DC's own pen and brush come back.
  void End();

 private:
  struct Look {
    int lineStyle, lineWidth;
    double zoom;
    COLORREF line, fill;
    bool operator==(const Look& o) const {
      return lineStyle == o.lineStyle && lineWidth == o.lineWidth && zoom == o.zoom && line == o.line &&
             fill == o.fill;
    }
  };

  CDC* m_pDC;
  bool m_bSelected = false;
  Look m_look = {};
  CPen m_pen;
  CBrush m_brush;
  HGDIOBJ m_oldPen = nullptr;
  HGDIOBJ m_oldBrush = nullptr;
};

// What a plain polygon drawn in a run sets: its look, its closed device
// outline as drawn (repeated points dropped) and, when selected, its frame.
// A solid pen and brush with the DC's copy mix set those pixels to values
// that nothing under them changes, so of two equal drawings in one paint the
// later one leaves the pixels as both together would: a group may leave out
// the earlier one. A styled pen stays out (its dots need not start alike).
struct CRunDrawing {
  int lineStyle = 0, lineWidth = 0;
  double zoom = 0;
  COLORREF line = 0, fill = 0;
  bool selected = false;
  RECT frame = {0, 0, 0, 0};  // all zero when not selected
  std::vector<POINT> outline;

  size_t Hash() const;
  bool operator==(const CRunDrawing& o) const;
};

// Draws a closed device outline (first point repeated at the end) with the
// fill and outline of a filled shape: fill style 1 or a brush style with a
// GDI brush, 2 to 5 a GDI+ gradient over the outline's bounds, then the
// outline when the line colour is not -1. bBrushStyles allows the fill
// styles from 100 up.
void DrawFilledOutline(CDC* pDC, CDrawObj* pObj, const std::vector<POINT>& closed, PenRule rule,
                       bool bBrushStyles);

// Whether a device point lies inside a device polygon (alternate filling).
bool PointInPolygon(const std::vector<POINT>& pts, POINT pt);
