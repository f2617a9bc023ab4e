#include "colorstrip.h"

#include <algorithm>
#include <iterator>

#include "../componentfont.h"
#include "actkinds.h"
#include "colortable.h"

namespace {

bool IsSegment(int segment) { return segment >= 0 && segment < CColorStrip::kMaxSegments; }

void Fill(HDC dc, const RECT& rect, COLORREF color) { CDC(dc).FillSolidRect(rect, color); }

}  // namespace

CColorStrip::CColorStrip() {
  // Before the page sets its own, the segments have the default colours of
  // the colour link's levels.
  static_assert(CActColor::kLevels == kMaxSegments, "one segment per level");
  std::copy(std::begin(CActColor::kDefaultColors), std::end(CActColor::kDefaultColors), m_colors);
  const LOGFONTA lf = ComponentFont("Arial", 15, DEFAULT_CHARSET);
  m_font.CreateFontIndirect(&lf);
}

void CColorStrip::SetSegmentCount(int count) {
  m_segmentCount = count < 0 ? 0 : (count > kMaxSegments ? kMaxSegments : count);
  if (m_hWnd) Invalidate(TRUE);
}

COLORREF CColorStrip::GetColor(int segment) const { return IsSegment(segment) ? m_colors[segment] : 0; }

void CColorStrip::InitColor(int segment, COLORREF color) {
  if (!IsSegment(segment)) return;
  m_colors[segment] = color;
  if (m_hWnd) Invalidate(TRUE);
}

CString CColorStrip::GetBoundText(int segment) const {
  return IsSegment(segment) ? m_boundTexts[segment] : CString();
}

void CColorStrip::SetBoundText(int segment, const char* text) {
  if (!IsSegment(segment)) return;
  m_boundTexts[segment] = text;
  if (m_hWnd) Invalidate(TRUE);
}

int CColorStrip::SegmentAt(int x) const {
  RECT client;
  GetClientRect(&client);
  if (m_segmentCount <= 0 || client.right < m_segmentCount || x < 0 || x >= client.right) return -1;
  const int segment = x / (client.right / m_segmentCount);
  return segment < m_segmentCount ? segment : m_segmentCount - 1;
}

RECT CColorStrip::SegmentRect(int segment) const {
  RECT client;
  GetClientRect(&client);
  const int width = client.right / m_segmentCount;
  const int right = segment == m_segmentCount - 1 ? client.right : (segment + 1) * width;
  return RECT{segment * width, 0, right, client.bottom};
}

void CColorStrip::OnColorChosen(COLORREF color) {
  const int segment = m_editedSegment;
  if (!IsSegment(segment)) return;
  if (color == kColorDefault) color = CActColor::kDefaultColors[segment];
  if (color == m_colors[segment]) return;
  m_colors[segment] = color;
  if (m_hWnd) Invalidate(TRUE);
  NotifyChanged();
}

// Equal segments, the last one reaching the right edge; a strip without
// segments, or narrower than their count, shows only its background.
void CColorStrip::Paint(HDC dc) {
  RECT client;
  GetClientRect(&client);
  Fill(dc, client, ::GetSysColor(COLOR_BTNFACE));
  if (m_segmentCount <= 0 || client.right < m_segmentCount) return;
  CSelectGdi font(dc, m_font.GetSafeHandle());
  CSelectGdi pen(dc, ::GetStockObject(BLACK_PEN));
  CSelectGdi brush(dc, ::GetStockObject(NULL_BRUSH));
  ::SetBkMode(dc, TRANSPARENT);
  for (int i = 0; i < m_segmentCount; ++i) PaintSegment(dc, i, SegmentRect(i));
}

// A black-bordered rectangle: the colour above the bottom band, the bound
// text right-aligned in the band on the button face. A segment after the
// first paints over its own left border, so neighbours share one line.
void CColorStrip::PaintSegment(HDC dc, int segment, const RECT& rect) {
  ::Rectangle(dc, rect.left, rect.top, rect.right, rect.bottom);
  const int left = segment == 0 ? rect.left + 1 : rect.left;
  const int bandTop = rect.bottom - kTextBand;
  Fill(dc, RECT{left, rect.top + 1, rect.right - 1, bandTop}, DrawableColor(m_colors[segment]));
  RECT band = {left, bandTop, rect.right - 1, rect.bottom - 1};
  Fill(dc, band, ::GetSysColor(COLOR_BTNFACE));
  ::SetTextColor(dc, ::GetSysColor(COLOR_BTNTEXT));
  const CString& text = m_boundTexts[segment];
  ::DrawTextA(dc, text, text.GetLength(), &band, DT_RIGHT | DT_VCENTER | DT_SINGLELINE);
}

void CColorStrip::OnClick(POINT client) {
  const int segment = SegmentAt(client.x);
  if (segment < 0) return;
  m_editedSegment = segment;
  OpenPopup(client, m_colors[segment]);
}
