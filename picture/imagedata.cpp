#include "imagedata.h"

#include <atomic>
#include <cstring>

#include "globalstream.h"
#include "imagesize.h"

namespace {

// A format without a stated size that the header reader knows (TIFF, icons)
// is measured once decoded: a bitmap beyond the bound is dropped, so it is
// not converted again at every drawing. A metafile is played, not
// converted; it is drawable only when it was checked as one (a decoder that
// took other bytes for a metafile would play records nobody read).
bool IsDrawableImage(Gdiplus::GpImage* image, bool bCheckedMetafile) {
    Gdiplus::ImageType type = Gdiplus::ImageTypeUnknown;
    UINT w = 0;
    UINT h = 0;
    if (qel::gdip::GdipGetImageType(image, &type) != Gdiplus::Ok)
        return true;
    if (type == Gdiplus::ImageTypeMetafile)
        return bCheckedMetafile;
    if (type != Gdiplus::ImageTypeBitmap)
        return true;
    return qel::gdip::GdipGetImageWidth(image, &w) == Gdiplus::Ok &&
           qel::gdip::GdipGetImageHeight(image, &h) == Gdiplus::Ok && IsDrawableImageSize(w, h);
}

}  // namespace

unsigned CImageData::NextGeneration() {
    static std::atomic<unsigned> last{0};
    return ++last;
}

CImageData::~CImageData() { Release(); }

void CImageData::Release() {
    // The image reads from the stream as long as it lives: image first.
    if (m_pImage) {
        qel::gdip::GdipDisposeImage(m_pImage);
        m_pImage = nullptr;
    }
    if (m_pStream) {
        m_pStream->Release();
        m_pStream = nullptr;
    }
}

void CImageData::Assign(std::vector<BYTE> bytes) {
    Release();
    m_bytes = std::move(bytes);
    m_bUndecodable = false;
    m_bMetafile = false;
    m_metafile = MetafileSummary();
    m_generation = NextGeneration();
}

bool CImageData::Decode() {
    if (m_pImage)
        return true;
    if (m_bytes.empty() || m_bUndecodable || !qel::StartGdiplus())
        return false;
    SIZE stated;
    if (ReadStatedImageSize(m_bytes.data(), m_bytes.size(), &stated) &&
        !IsDrawableImageSize(stated.cx, stated.cy)) {
        m_bUndecodable = true;  // refused before a byte is unpacked
        return false;
    }
    m_bMetafile = IdentifyMetafile(m_bytes.data(), m_bytes.size()) != MetafileKind::none;
    if (m_bMetafile && !CheckMetafile(m_bytes.data(), m_bytes.size(), &m_metafile)) {
        m_bUndecodable = true;  // refused before a record is played
        return false;
    }
    // The stream is the block's size, rounded up; the decoders read the
    // image's own length from its header.
    m_pStream = CreateStreamOverCopy(m_bytes.data(), m_bytes.size());
    if (!m_pStream)
        return false;
    Gdiplus::GpImage* image = nullptr;
    if (qel::gdip::GdipLoadImageFromStream(m_pStream, &image) != Gdiplus::Ok || !image) {
        m_pStream->Release();
        m_pStream = nullptr;
        m_bUndecodable = true;
        return false;
    }
    m_pImage = image;
    if (!IsDrawableImage(image, m_bMetafile)) {
        Release();
        m_bUndecodable = true;
        return false;
    }
    return true;
}

SIZE CImageData::GetSize() const {
    SIZE size = {kDefaultWidth, kDefaultHeight};
    UINT w = 0;
    UINT h = 0;
    if (m_pImage && qel::gdip::GdipGetImageWidth(m_pImage, &w) == Gdiplus::Ok &&
        qel::gdip::GdipGetImageHeight(m_pImage, &h) == Gdiplus::Ok) {
        size.cx = static_cast<LONG>(w);
        size.cy = static_cast<LONG>(h);
    }
    return size;
}
