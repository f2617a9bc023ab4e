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
    if (!m_bVisible || !m_corners.IsFinite())
        return;
    if (m_image.Decode()) {
        qel::GdipGraphics graphics(*pDC);
        if (graphics) {
            // Upper-left, upper-right and lower-left corners of the image.
            const CPointD corners[3] = {PointToDevice(m_corners.p[0]), PointToDevice(m_corners.p[1]),
                                        PointToDevice(m_corners.p[3])};
            Gdiplus::GpPointF points[3];
            for (int i = 0; i < 3; ++i)
                points[i] = Gdiplus::GpPointF(static_cast<Gdiplus::REAL>(corners[i].x),
                                              static_cast<Gdiplus::REAL>(corners[i].y));
            qel::gdip::GdipDrawImagePoints(graphics.get(), m_image.Image(), points, 3);
        }
    }
    CDrawObj::Draw(pDC, dwFlags);
}
