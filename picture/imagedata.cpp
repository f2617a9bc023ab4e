#include "imagedata.h"

#include <atomic>
#include <iterator>
#include <cstring>
#include <mutex>
#include <unordered_map>

#include "bytehash.h"
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
  if (qel::gdip::GdipGetImageType(image, &type) != Gdiplus::Ok) return true;
  if (type == Gdiplus::ImageTypeMetafile) return bCheckedMetafile;
  if (type != Gdiplus::ImageTypeBitmap) return true;
  return qel::gdip::GdipGetImageWidth(image, &w) == Gdiplus::Ok &&
         qel::gdip::GdipGetImageHeight(image, &h) == Gdiplus::Ok && IsDrawableImageSize(w, h);
}

}  // namespace

// A decoded image and the stream it reads from as long as it lives.
struct CImageData::Decoded {
  IStream* stream = nullptr;
  Gdiplus::GpImage* image = nullptr;
  size_t length = 0;  // of the bytes it was decoded from, which the stream holds
  DWORD thread = 0;   // the thread that decoded it and shares it
  ~Decoded() {
    if (image) qel::gdip::GdipDisposeImage(image);  // image first
    if (stream) stream->Release();
  }
};

namespace {

// The images decoded, by the thread that decoded them and the bytes they
// came from: a GDI+ image is used by one thread at a time, so the objects of
// one thread share it, and no other thread's.
struct DecodedImages {
  std::mutex guard;
  std::unordered_multimap<size_t, std::weak_ptr<CImageData::Decoded>> byKey;
  size_t sweepAt = 64;  // entries at which those of images gone are dropped
};

// Whether the image was decoded from these bytes: the stream holds a copy.
bool IsDecodedFrom(const CImageData::Decoded& decoded, const std::vector<BYTE>& bytes) {
  HGLOBAL block = nullptr;
  if (decoded.length != bytes.size() || FAILED(::GetHGlobalFromStream(decoded.stream, &block))) return false;
  const void* held = ::GlobalLock(block);
  const bool same = held && std::memcmp(held, bytes.data(), bytes.size()) == 0;
  if (held) ::GlobalUnlock(block);
  return same;
}

void DropImagesGone(DecodedImages& images) {
  for (auto it = images.byKey.begin(); it != images.byKey.end();)
    it = it->second.expired() ? images.byKey.erase(it) : std::next(it);
  images.sweepAt = 2 * images.byKey.size() + 64;
}

DecodedImages& TheDecodedImages() {
  static DecodedImages images;
  return images;
}

// A hash of the bytes, mixed with the decoding thread.
size_t KeyOf(const std::vector<BYTE>& bytes) {
  return CByteHash(::GetCurrentThreadId()).AddBytes(bytes.data(), bytes.size()).Value();
}

}  // namespace

unsigned CImageData::NextGeneration() {
  static std::atomic<unsigned> last{0};
  return ++last;
}

CImageData::~CImageData() { Release(); }

void CImageData::Release() {
  m_pImage = nullptr;
  m_decoded.reset();
}

void CImageData::Assign(std::vector<BYTE> bytes) {
  Release();
  m_bytes = std::move(bytes);
  m_bUndecodable = false;
  m_bMetafile = false;
  m_metafile = MetafileSummary();
  m_generation = NextGeneration();
}

std::shared_ptr<CImageData::Decoded> CImageData::DecodeBytes(bool* pUndecodable) const {
  *pUndecodable = false;
  const DWORD thread = ::GetCurrentThreadId();
  const size_t key = KeyOf(m_bytes);
  DecodedImages& images = TheDecodedImages();
  std::lock_guard<std::mutex> lock(images.guard);
  auto range = images.byKey.equal_range(key);
  for (auto it = range.first; it != range.second;) {
    std::shared_ptr<Decoded> held = it->second.lock();
    if (!held) {
      it = images.byKey.erase(it);
      continue;
    }
    if (held->thread == thread && IsDecodedFrom(*held, m_bytes)) return held;
    ++it;
  }
  auto decoded = std::make_shared<Decoded>();
  decoded->thread = thread;
  // The stream is the block's size, rounded up; the decoders read the
  // image's own length from its header.
  decoded->stream = CreateStreamOverCopy(m_bytes.data(), m_bytes.size());
  if (!decoded->stream) return nullptr;
  if (qel::gdip::GdipLoadImageFromStream(decoded->stream, &decoded->image) != Gdiplus::Ok ||
      !decoded->image || !IsDrawableImage(decoded->image, m_bMetafile)) {
    *pUndecodable = true;
    return nullptr;
  }
  decoded->length = m_bytes.size();
  images.byKey.emplace(key, decoded);
  if (images.byKey.size() >= images.sweepAt) DropImagesGone(images);
  return decoded;
}

bool CImageData::Decode() {
  if (m_pImage) return true;
  if (m_bytes.empty() || m_bUndecodable || !qel::StartGdiplus()) return false;
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
  m_decoded = DecodeBytes(&m_bUndecodable);
  if (!m_decoded) return false;
  m_pImage = m_decoded->image;
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
