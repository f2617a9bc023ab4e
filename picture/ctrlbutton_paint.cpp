// CCtrlButton: painting the three faces of an owner-drawn button.
#include "ctrlbutton.h"

#include "drawobj.h"

namespace {

constexpr COLORREF kWhite = 0xFFFFFF;
constexpr COLORREF kBlack = 0x000000;
constexpr COLORREF kShadow = 0x808080;
constexpr COLORREF kRadioRim = 0xC0C0C0;

// A one-pixel frame: top and left in one colour, bottom and right in another.
void DrawFrame(CDC& dc, const RECT& r, COLORREF topLeft, COLORREF bottomRight) {
  dc.FillSolidRect(RECT{r.left, r.top, r.right - 1, r.top + 1}, topLeft);
  dc.FillSolidRect(RECT{r.left, r.top, r.left + 1, r.bottom - 1}, topLeft);
  dc.FillSolidRect(RECT{r.right - 1, r.top, r.right, r.bottom}, bottomRight);
  dc.FillSolidRect(RECT{r.left, r.bottom - 1, r.right, r.bottom}, bottomRight);
}

void DrawCaption(CDC& dc, const CString& caption, RECT r, UINT format) {
  ::DrawTextA(dc, caption.GetString(), caption.GetLength(), &r, format);
}

}  // namespace

void CCtrlButton::OnDrawItem(const DRAWITEMSTRUCT& item) {
  CDC dc(item.hDC);
  CFont font;
  font.CreateFontIndirect(&m_font);
  CSelectGdi selFont(dc, font);
  const int savedMode = dc.SetBkMode(TRANSPARENT);
  const COLORREF savedText = dc.SetTextColor(m_clrText);
  dc.FillSolidRect(item.rcItem, m_clrFace);
  CString caption;
  GetWindowText(caption);
  if (m_type == CBT_PUSH)
    DrawPushFace(dc, item.rcItem, (item.itemState & ODS_SELECTED) != 0, caption);
  else
    DrawMarkFace(dc, item.rcItem, caption);
  dc.SetTextColor(savedText);
  dc.SetBkMode(savedMode);
}

void CCtrlButton::DrawPushFace(CDC& dc, const RECT& rc, bool pressed, const CString& caption) {
  RECT text = rc;
  if (pressed) ::OffsetRect(&text, 1, 1);
  DrawCaption(dc, caption, text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  RECT inner = rc;
  ::InflateRect(&inner, -1, -1);
  if (pressed) {
    DrawFrame(dc, rc, kBlack, kWhite);
    DrawFrame(dc, inner, kShadow, m_clrFace);
  } else {
    DrawFrame(dc, rc, kWhite, kBlack);
    DrawFrame(dc, inner, m_clrFace, kShadow);
  }
}

void CCtrlButton::DrawMarkFace(CDC& dc, const RECT& rc, const CString& caption) {
  const int side = m_font.lfHeight;
  RECT area = rc;
  ::InflateRect(&area, -1, -1);
  const int top = area.top + (area.bottom - area.top - side) / 2;
  RECT mark = {area.left, top, area.left + side, top + side};
  if (m_type == CBT_CHECK) {
    dc.FillSolidRect(mark, kWhite);
    ::DrawEdge(dc, &mark, EDGE_SUNKEN, BF_RECT);
    if (m_nCheck) {
      CPen pen;
      pen.CreatePen(PS_SOLID, 2, kBlack);
      CSelectGdi selPen(dc, pen);
      const RECT x = {mark.left + 3, mark.top + 3, mark.right - 4, mark.bottom - 4};
      dc.MoveTo(x.left, x.top);
      dc.LineTo(x.right, x.bottom);
      dc.MoveTo(x.right, x.top);
      dc.LineTo(x.left, x.bottom);
    }
  } else {
    const COLORREF rings[] = {kBlack, kRadioRim, kWhite};
    RECT disc = mark;
    for (COLORREF c : rings) {
      CDrawObj::DrawSolidEllipse(&dc, disc, c);
      ::InflateRect(&disc, -1, -1);
    }
    if (m_nCheck) {
      ::InflateRect(&disc, -1, -1);  // two pixels inside the white ring
      CDrawObj::DrawSolidEllipse(&dc, disc, kBlack);
    }
  }
  RECT text = rc;
  text.left = rc.left + static_cast<int>(side * 1.25);
  DrawCaption(dc, caption, text, DT_VCENTER | DT_SINGLELINE);
}
