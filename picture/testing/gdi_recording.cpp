#include "gdi_recording.h"

#include <algorithm>
#include <cstdlib>

namespace qeltest {

namespace {

void Reach(GdiRecording& r, LONG x, LONG y) {
  r.maxCoord = std::max({r.maxCoord, std::labs(x), std::labs(y)});
}

void ReachStroke(GdiRecording& r, LONG x, LONG y) {
  Reach(r, x, y);
  r.maxStrokeCoord = std::max({r.maxStrokeCoord, std::labs(x), std::labs(y)});
}

template <class Point>
void ReachPoints(GdiRecording& r, const ENHMETARECORD* rec, const Point* pts, DWORD count, bool stroke) {
  // The count comes from the record; only points inside the record are read.
  const size_t room =
      (rec->nSize - (reinterpret_cast<const BYTE*>(pts) - reinterpret_cast<const BYTE*>(rec))) /
      sizeof(Point);
  for (DWORD i = 0; i < count && i < room; ++i) {
    if (stroke)
      ReachStroke(r, pts[i].x, pts[i].y);
    else
      Reach(r, pts[i].x, pts[i].y);
  }
  ++r.shapes;
  r.strokes += stroke;
}

bool IsStroke(DWORD type) { return type != EMR_POLYGON && type != EMR_POLYGON16; }

void Read(GdiRecording& r, const ENHMETARECORD* rec) {
  ++r.records;
  switch (rec->iType) {
    case EMR_CREATEPEN:
      r.penWidths.push_back(reinterpret_cast<const EMRCREATEPEN*>(rec)->lopn.lopnWidth.x);
      break;
    case EMR_EXTCREATEPEN:
      r.penWidths.push_back(static_cast<LONG>(reinterpret_cast<const EMREXTCREATEPEN*>(rec)->elp.elpWidth));
      break;
    case EMR_EXTCREATEFONTINDIRECTW:
      r.fonts.push_back(reinterpret_cast<const EMREXTCREATEFONTINDIRECTW*>(rec)->elfw.elfLogFont);
      break;
    case EMR_SETPIXELV: {
      const auto* p = reinterpret_cast<const EMRSETPIXELV*>(rec);
      Reach(r, p->ptlPixel.x, p->ptlPixel.y);
      ++r.setPixels;
      break;
    }
    case EMR_BITBLT: {
      const auto* b = reinterpret_cast<const EMRBITBLT*>(rec);
      Reach(r, b->xDest + b->cxDest, b->yDest + b->cyDest);
      ++r.patternFills;
      r.copiedPixels += static_cast<long long>(b->cxDest) * b->cyDest;
      break;
    }
    case EMR_POLYGON:
    case EMR_POLYLINE:
    case EMR_POLYBEZIER:
    case EMR_POLYLINETO: {
      const auto* p = reinterpret_cast<const EMRPOLYLINE*>(rec);
      ReachPoints(r, rec, p->aptl, p->cptl, IsStroke(rec->iType));
      break;
    }
    case EMR_POLYGON16:
    case EMR_POLYLINE16:
    case EMR_POLYBEZIER16:
    case EMR_POLYLINETO16: {
      const auto* p = reinterpret_cast<const EMRPOLYLINE16*>(rec);
      ReachPoints(r, rec, p->apts, p->cpts, IsStroke(rec->iType));
      break;
    }
    case EMR_LINETO:
    case EMR_MOVETOEX: {
      const auto* p = reinterpret_cast<const EMRLINETO*>(rec);
      ReachStroke(r, p->ptl.x, p->ptl.y);
      r.shapes += rec->iType == EMR_LINETO;
      r.strokes += rec->iType == EMR_LINETO;
      break;
    }
    case EMR_RECTANGLE:
    case EMR_ELLIPSE: {
      const RECTL& box = reinterpret_cast<const EMRRECTANGLE*>(rec)->rclBox;
      Reach(r, box.left, box.top);
      Reach(r, box.right, box.bottom);
      ++r.shapes;
      break;
    }
    case EMR_EXTTEXTOUTW:
    case EMR_EXTTEXTOUTA: {
      const POINTL& at = reinterpret_cast<const EMREXTTEXTOUTW*>(rec)->emrtext.ptlReference;
      Reach(r, at.x, at.y);
      ++r.texts;
      break;
    }
    default: break;
  }
}

int CALLBACK OnRecord(HDC, HANDLETABLE*, const ENHMETARECORD* rec, int, LPARAM data) {
  Read(*reinterpret_cast<GdiRecording*>(data), rec);
  return 1;
}

}  // namespace

LONG GdiRecording::WidestPen() const {
  LONG most = 0;
  for (LONG w : penWidths) most = std::max(most, std::labs(w));
  return most;
}

LONG GdiRecording::TallestFont() const {
  LONG most = 0;
  for (const LOGFONTW& f : fonts) most = std::max(most, std::labs(f.lfHeight));
  return most;
}

LONG GdiRecording::WidestFont() const {
  LONG most = 0;
  for (const LOGFONTW& f : fonts) most = std::max(most, std::labs(f.lfWidth));
  return most;
}

GdiRecording RecordGdi(int width, int height, const std::function<void(HDC)>& draw) {
  GdiRecording recording;
  HDC screen = ::GetDC(nullptr);
  HDC dc = ::CreateEnhMetaFileW(screen, nullptr, nullptr, nullptr);
  ::ReleaseDC(nullptr, screen);
  if (!dc) return recording;
  ::IntersectClipRect(dc, 0, 0, width, height);
  draw(dc);
  HENHMETAFILE emf = ::CloseEnhMetaFile(dc);
  if (!emf) return recording;
  ::EnumEnhMetaFile(nullptr, emf, OnRecord, &recording, nullptr);
  ::DeleteEnhMetaFile(emf);
  return recording;
}

}  // namespace qeltest
