// CDrawObj: handle squares, the selection frame and the solid ellipse.
#include "drawobj.h"

#include "trackerframe.h"

void CDrawObj::DrawTracker(CDC* pDC, int nState) {
    if (nState != 1 && nState != 2)
        return;
    for (int h = 1; h <= GetHandleCount(); ++h) {
        const CPointD handle = GetHandle(h);
        if (!IsFinite(handle))
            continue;
        POINT pt = DevicePointRounded(handle);
        RECT r = {pt.x - 3, pt.y - 3, pt.x + 3, pt.y + 3};
        pDC->InvertRect(r);
    }
}

void CDrawObj::DrawSelFrame(CDC* pDC) {
    CRectD r = GetRect();
    if (!r.IsFinite())
        return;
    r.Normalize();
    RECT frame = m_view.ToDevice(r).ToRect();
    ::InflateRect(&frame, 2, 2);
    DrawTrackerFrame(pDC, frame);
    ::InflateRect(&frame, -1, -1);
    DrawTrackerFrame(pDC, frame);
}

void CDrawObj::DrawSolidEllipse(CDC* pDC, const RECT& rect, COLORREF c) {
    CPen pen;
    CBrush brush;
    if (!pen.CreatePen(PS_SOLID, 0, c) || !brush.CreateSolidBrush(c))
        return;
    CSelectGdi selPen(*pDC, pen);
    CSelectGdi selBrush(*pDC, brush);
    pDC->Ellipse(rect);
}
