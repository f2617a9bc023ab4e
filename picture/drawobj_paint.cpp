// CDrawObj: handle squares, the selection frame and the solid ellipse.
#include "drawobj.h"

namespace {

// A frame of alternating black and white pixels, two pixels per step, so
// it shows on any background.
void DrawDottedFrame(CDC* pDC, const RECT& r) {
    for (int x = r.left; x < r.right - 2; x += 2) {
        pDC->SetPixel(x, r.top, 0x000000);
        pDC->SetPixel(x + 1, r.top, 0xFFFFFF);
        pDC->SetPixel(x, r.bottom - 1, 0x000000);
        pDC->SetPixel(x + 1, r.bottom - 1, 0xFFFFFF);
    }
    for (int y = r.top; y < r.bottom - 2; y += 2) {
        pDC->SetPixel(r.left, y, 0x000000);
        pDC->SetPixel(r.left, y + 1, 0xFFFFFF);
        pDC->SetPixel(r.right - 1, y, 0x000000);
        pDC->SetPixel(r.right - 1, y + 1, 0xFFFFFF);
    }
}

}  // namespace

void CDrawObj::DrawTracker(CDC* pDC, int nState) {
    if (nState != 1 && nState != 2)
        return;
    for (int h = 1; h <= GetHandleCount(); ++h) {
        POINT pt = DevicePointRounded(GetHandle(h));
        RECT r = {pt.x - 3, pt.y - 3, pt.x + 3, pt.y + 3};
        pDC->InvertRect(r);
    }
}

void CDrawObj::DrawSelFrame(CDC* pDC) {
    CRectD r = GetRect();
    r.Normalize();
    RECT frame = m_view.ToDevice(r).ToRect();
    ::InflateRect(&frame, 2, 2);
    DrawDottedFrame(pDC, frame);
    ::InflateRect(&frame, -1, -1);
    DrawDottedFrame(pDC, frame);
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
