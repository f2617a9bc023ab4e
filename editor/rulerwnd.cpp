#include "rulerwnd.h"

#include <algorithm>
#include <cmath>

#include "crtformat.h"
#include "frames/frameclass.h"
#include "memdc.h"

namespace {

const char kRulerClass[] = "QelRulerWnd";
const char kFontFace[] = "Times New Roman";
const int kTopFontHeight = 12;
const int kLeftFontHeight = 11;
const COLORREF kGrey = RGB(128, 128, 128);
const int kUnitStep = 10;
const int kMinGap = 3;  // a mark is drawn only more than this many pixels past the last one
const int kTickFrom = 3, kTickTo = 11, kFiftyTo = 15;  // pixels off the inner edge
const double kLabelScale = 1.5;                        // fiftieth units are labelled from here
const double kMaxUnit = 1e9;                           // beyond this no unit is written

RulerMark MakeMark(int position, int unit, double scale) {
  if (unit % 100 == 0) return {position, unit, RulerMark::kHundred, true};
  if (unit % 50 == 0) return {position, unit, RulerMark::kFifty, scale >= kLabelScale};
  return {position, unit, RulerMark::kTick, false};
}

double FirstUnitAtOrAfter(double value) { return std::ceil(value / kUnitStep) * kUnitStep; }

}  // namespace

std::vector<RulerMark> ComputeRulerMarks(double origin, double scale, int length) {
  std::vector<RulerMark> marks;
  if (!(scale > 0) || !std::isfinite(scale) || !std::isfinite(origin) || std::fabs(origin) > kMaxUnit ||
      length <= 0)
    return marks;
  auto position = [&](double unit) { return std::trunc((unit - origin) * scale); };
  double last = position(0);
  for (double unit = std::max(0.0, FirstUnitAtOrAfter(origin)); unit <= kMaxUnit;) {
    double at = position(unit);
    if (at >= length) break;
    if (at > last + kMinGap) {
      marks.push_back(MakeMark(static_cast<int>(at), static_cast<int>(unit), scale));
      last = at;
      unit += kUnitStep;
    } else {
      // No unit before the one that lies kMinGap + 1 pixels past the last
      // mark can be drawn: go there at once (one step early, against
      // rounding), so that tiny scales take no more steps than large ones.
      unit =
          std::max(unit + kUnitStep, FirstUnitAtOrAfter(origin + (last + kMinGap + 1) / scale) - kUnitStep);
    }
  }
  return marks;
}

BOOL CRulerWnd::Create(HWND parent, UINT id, const RECT& rect) {
  const char* cls = QelPlainWindowClass(kRulerClass, 0, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
  return cls && CreateEx(0, cls, "", WS_CHILD | WS_VISIBLE, rect.left, rect.top, rect.right - rect.left,
                         rect.bottom - rect.top, parent, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)));
}

void CRulerWnd::SetOriginAndScale(double origin, double scale) {
  m_origin = origin;
  m_scale = scale;
  if (m_hWnd) {
    Invalidate(FALSE);
    UpdateWindow();
  }
}

LRESULT CRulerWnd::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_ERASEBKGND: return 1;  // painting fills the background
    case WM_PAINT: OnPaint(); return 0;
  }
  return CWnd::WindowProc(msg, wp, lp);
}

void CRulerWnd::OnPaint() {
  CPaintDC paint(m_hWnd);
  RECT client;
  ::GetClientRect(m_hWnd, &client);
  CMemDC surface(&paint);
  Draw(surface, SIZE{client.right, client.bottom});
}

void CRulerWnd::Draw(CDC& dc, SIZE size) const {
  const bool horizontal = m_orientation == kHorizontal;
  dc.FillSolidRect(RECT{0, 0, size.cx, size.cy}, ::GetSysColor(COLOR_BTNFACE));
  LOGFONTA lf = {};
  lf.lfHeight = horizontal ? kTopFontHeight : kLeftFontHeight;
  lf.lfEscapement = lf.lfOrientation = horizontal ? 0 : 900;
  lstrcpyA(lf.lfFaceName, kFontFace);
  CFont font;
  font.CreateFontIndirect(&lf);
  dc.SetBkMode(TRANSPARENT);
  dc.SetTextColor(RGB(0, 0, 0));
  CPen grey;
  grey.CreatePen(PS_SOLID, 1, kGrey);
  {
    CSelectGdi pen(dc, grey);
    for (const RulerMark& mark : ComputeRulerMarks(m_origin, m_scale, horizontal ? size.cx : size.cy))
      DrawMark(dc, size, mark, font);
  }
  // The inner edge, from the edge inwards: black, grey, button face.
  const COLORREF edge[] = {RGB(0, 0, 0), kGrey, ::GetSysColor(COLOR_BTNFACE)};
  for (int i = 0; i < 3; ++i) {
    RECT line = horizontal ? RECT{0, size.cy - 1 - i, size.cx, size.cy - i}
                           : RECT{size.cx - 1 - i, 0, size.cx - i, size.cy};
    dc.FillSolidRect(line, edge[i]);
  }
}

void CRulerWnd::DrawMark(CDC& dc, SIZE size, const RulerMark& mark, HFONT font) const {
  const bool horizontal = m_orientation == kHorizontal;
  const int edge = (horizontal ? size.cy : size.cx) - 1;  // the inner edge's row or column
  // A line from a distance off the inner edge to another one, at the mark.
  auto line = [&](int from, int to) {
    if (horizontal) {
      dc.MoveTo(mark.position, edge - from);
      dc.LineTo(mark.position, edge - to);
    } else {
      dc.MoveTo(edge - from, mark.position);
      dc.LineTo(edge - to, mark.position);
    }
  };
  line(kTickFrom, kTickTo + 1);
  if (mark.kind == RulerMark::kHundred) line(kTickFrom, edge + 1);
  if (mark.kind == RulerMark::kFifty) line(kTickFrom, kFiftyTo + 1);
  if (!mark.label) return;
  std::string text = qel::FormatStr("%d", mark.unit);
  CSelectGdi selected(dc, font);
  ::SetTextAlign(dc, TA_RIGHT | TA_TOP);
  if (horizontal)
    ::TextOutA(dc, mark.position - 1, 0, text.c_str(), static_cast<int>(text.size()));
  else
    ::TextOutA(dc, 0, mark.position + 1, text.c_str(), static_cast<int>(text.size()));
}
