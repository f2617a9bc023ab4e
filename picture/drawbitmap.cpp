#include "drawbitmap.h"

#include "archive.h"
#include "file.h"

IMPLEMENT_SERIAL(CDrawBitmap, CDrawRect, 0)

namespace {

// Image bytes go to and from files and archives in pieces of this size.
constexpr UINT kPieceBytes = 4096;

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
            if (got == 0)
                break;
            bytes.insert(bytes.end(), piece, piece + got);
        }
    }
    m_image.Assign(std::move(bytes));
    return m_image.Decode();
}

int CDrawBitmap::HitTest(const CPointD& point, CDrawObj** ppHit) { return HitHandleOrInside(point, ppHit); }

void CDrawBitmap::Draw(CDC* pDC, DWORD dwFlags) {
    if (!m_bVisible || !m_corners.IsFinite() || !MeetsClip(pDC, CornersReach()))
        return;
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
        const CPointD spread[4] = {corners[0], corners[1], corners[2],
                                   CPointD(corners[1].x + corners[2].x - corners[0].x,
                                           corners[1].y + corners[2].y - corners[0].y)};
        m_paintCache.Paint(pDC, key, [&] { return EnclosingRect(BoundingBox(spread, 4), 2); },
                           [&](CDC* pOn) {
                               qel::GdipGraphics graphics(*pOn);
                               if (graphics)
                                   qel::gdip::GdipDrawImagePoints(graphics.get(), m_image.Image(),
                                                                  points, 3);
                           });
    }
    CDrawObj::Draw(pDC, dwFlags);
}
