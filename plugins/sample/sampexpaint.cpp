#include "sampexpaint.h"

#include "memdc.h"
#include "wndfont.h"

const char kSampexText[] = "插件显示文本";
static_assert(kSampexTextFormat == (DT_CENTER | DT_VCENTER | DT_SINGLELINE), "text format");

SampexFace DefaultSampexFace() {
  SampexFace face = {};
  face.back = ::GetSysColor(COLOR_BTNFACE);
  QelGetDefaultGuiFont(&face.font);
  face.format = kSampexTextFormat;
  return face;
}

namespace {

// A raised-looking frame one pixel wide: the top and left edges in one
// colour, the right and bottom edges (corners included) in the other.
void Draw3dFrame(CDC& dc, const RECT& r, COLORREF topLeft, COLORREF bottomRight) {
  dc.FillSolidRect(RECT{r.left, r.top, r.right - 1, r.top + 1}, topLeft);
  dc.FillSolidRect(RECT{r.left, r.top, r.left + 1, r.bottom - 1}, topLeft);
  dc.FillSolidRect(RECT{r.right - 1, r.top, r.right, r.bottom}, bottomRight);
  dc.FillSolidRect(RECT{r.left, r.bottom - 1, r.right, r.bottom}, bottomRight);
}

}  // namespace

void PaintSampexFace(CDC* pOutput, const RECT& client, const SampexFace& face) {
  CMemDC surface(pOutput);
  surface.FillSolidRect(surface.GetArea(), face.back);
  Draw3dFrame(surface, client, ::GetSysColor(COLOR_3DDKSHADOW), ::GetSysColor(COLOR_BTNHIGHLIGHT));
  CFont font;
  font.CreateFontIndirect(&face.font);
  CSelectGdi selected(surface.m_hDC, font.GetSafeHandle());
  surface.SetTextColor(RGB(0, 0, 0));
  surface.SetBkMode(TRANSPARENT);
  RECT text = client;
  ::DrawTextA(surface.m_hDC, kSampexText, -1, &text, face.format);
}
