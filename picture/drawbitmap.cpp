#include "drawbitmap.h"

#include <algorithm>
#include <cmath>

#include "archive.h"
#include "file.h"
#include "visibleimage.h"

IMPLEMENT_SERIAL(CDrawBitmap, CDrawRect, 0)

namespace {

// Image bytes go to and from files and archives in pieces of this size.
constexpr UINT kPieceBytes = 4096;

// Draws the image onto the parallelogram of its upper-left, upper-right and
// lower-left device corners; a metafile through a bitmap of its play scale
// when that is below 1.
void DrawImageOnto(HDC hdc, const CImageData& image, const Gdiplus::GpPointF corners[3]) {
  if (!qel::StartGdiplus()) return;
  Gdiplus::GpImage* drawn = image.Image();
  qel::GdipImage played;
  if (image.IsMetafile()) {
    const double w = std::hypot(corners[1].X - corners[0].X, corners[1].Y - corners[0].Y);
    const double h = std::hypot(corners[2].X - corners[0].X, corners[2].Y - corners[0].Y);
    const double scale = MetafilePlayScale(image.Metafile(), w, h);
    if (scale < 1.0) {
      const int pw = std::max(1, static_cast<int>(std::ceil(w * scale)));
      const int ph = std::max(1, static_cast<int>(std::ceil(h * scale)));
      Gdiplus::GpBitmap* bitmap = nullptr;
      if (qel::gdip::GdipCreateBitmapFromScan0(pw, ph, 0, PixelFormat32bppPARGB, nullptr, &bitmap) !=
          Gdiplus::Ok)
        return;
      played.reset(bitmap);
      {
        qel::GdipGraphics onBitmap(played.get());
        if (!onBitmap) return;
        qel::gdip::GdipDrawImageRectI(onBitmap.get(), drawn, 0, 0, pw, ph);
      }
      drawn = played.get();
    }
  }
  if (IsBeyondValidImageExtent(corners)) {
    DrawVisibleImagePart(hdc, drawn, corners);
    return;
  }
  qel::GdipGraphics graphics(hdc);
  if (graphics) qel::gdip::GdipDrawImagePoints(graphics.get(), drawn, corners, 3);
}

}  // namespace

DrawObjType CDrawBitmap::GetObjType() { return DOT_BITMAP; }

void CDrawBitmap::Serialize(CArchive& ar) {
  CDrawRect::Serialize(ar);
  if (ar.IsStoring()) {
    const std::vector<BYTE>& bytes = m_image.Bytes();
    ar << m_image.Length();
    for (size_t done = 0; done < bytes.size(); done += kPieceBytes) {
      const size_t piece = bytes.size() - done < kPieceBytes ? bytes.size() - done : kPieceBytes;
      ar.Write(bytes.data() + done, static_cast<UINT>(piece));
    }
    return;
  }
  DWORD length = 0;
  ar >> length;
  // A length that the stream cannot hold is a damaged stream, reported
  // before anything is allocated.
  ar.CheckAvailable(length);
  std::vector<BYTE> bytes(length);
  for (DWORD done = 0; done < length; done += kPieceBytes) {
    const UINT piece = length - done < kPieceBytes ? length - done : kPieceBytes;
    ar.Read(bytes.data() + done, piece);
  }
  m_image.Assign(std::move(bytes));
}

bool CDrawBitmap::LoadFromFile(CFile* pFile) {
  std::vector<BYTE> bytes;
  if (pFile) {
    pFile->SeekToBegin();
    BYTE piece[kPieceBytes];
    for (;;) {
      const UINT got = pFile->Read(piece, kPieceBytes);
      if (got == 0) break;
      bytes.insert(bytes.end(), piece, piece + got);
    }
  }
  m_image.Assign(std::move(bytes));
  return m_image.Decode();
}

int CDrawBitmap::HitTest(const CPointD& point, CDrawObj** ppHit) { return HitHandleOrInside(point, ppHit); }

void CDrawBitmap::Draw(CDC* pDC, DWORD dwFlags) {
  if (!m_bVisible || !m_corners.IsFinite() || !MeetsClip(pDC, CornersReach())) return;
  if (m_image.Decode()) {
    // Upper-left, upper-right and lower-left corners of the image.
    const CPointD corners[3] = {PointToDevice(m_corners.p[0]), PointToDevice(m_corners.p[1]),
                                PointToDevice(m_corners.p[3])};
    Gdiplus::GpPointF points[3];
    PaintKey key;
    key.Add(m_image.Generation());
    for (int i = 0; i < 3; ++i) {
      points[i] = Gdiplus::GpPointF(static_cast<Gdiplus::REAL>(corners[i].x),
                                    static_cast<Gdiplus::REAL>(corners[i].y));
      key.Add(points[i].X).Add(points[i].Y);
    }
    // The fourth corner completes the parallelogram the image covers.
    const CPointD spread[4] = {
        corners[0], corners[1], corners[2],
        CPointD(corners[1].x + corners[2].x - corners[0].x, corners[1].y + corners[2].y - corners[0].y)};
    m_paintCache.Paint(
        pDC, key, [&] { return EnclosingRect(BoundingBox(spread, 4), 2); },
        [&](CDC* pOn) { DrawImageOnto(*pOn, m_image, points); });
  }
  CDrawObj::Draw(pDC, dwFlags);
}
