#include "trackerframe.h"

void DrawTrackerFrame(CDC* pDC, const RECT& r) {
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
