// A closed, fillable polygon.
#pragma once

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

protected:
    LinkFamily GetLinkFamily() override;
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
