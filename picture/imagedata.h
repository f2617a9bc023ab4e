// The bytes of an image file held inside a draw object, and the GDI+ image
// decoded from them on demand through a COM stream over global memory.
//
// The bytes are what the picture file stores; they are kept exactly as they
// were read, also when GDI+ cannot decode them. A failed decode is remembered
// until new bytes arrive, so an undecodable image costs nothing per paint.
#pragma once

#include <windows.h>
#include <objidl.h>

#include <memory>
#include <vector>

#include "gdiplusapi.h"
#include "metafilecheck.h"

class CImageData {
 public:
  // The size reported while no image is decoded.
  static constexpr int kDefaultWidth = 320;
  static constexpr int kDefaultHeight = 240;

  CImageData() = default;
  ~CImageData();
  CImageData(const CImageData&) = delete;
  CImageData& operator=(const CImageData&) = delete;

  // New bytes; the old image and stream are released.
  void Assign(std::vector<BYTE> bytes);
  const std::vector<BYTE>& Bytes() const { return m_bytes; }
  DWORD Length() const { return static_cast<DWORD>(m_bytes.size()); }

  // Decodes once; true when a decoded image exists afterwards.
  bool Decode();
  bool HasImage() const { return m_pImage != nullptr; }
  bool IsUndecodable() const { return m_bUndecodable; }
  // A number that changes whenever new bytes arrive (unique in the process).
  unsigned Generation() const { return m_generation; }
  Gdiplus::GpImage* Image() const { return m_pImage; }
  // Pixel size of the decoded image, 320 x 240 without one.
  SIZE GetSize() const;
  // Whether the bytes are a metafile (checked before decoding,
  // metafilecheck.h), and what its check found.
  bool IsMetafile() const { return m_bMetafile; }
  const MetafileSummary& Metafile() const { return m_metafile; }

  // A decoded image with the stream it reads from (imagedata.cpp).
  struct Decoded;

 private:
  void Release();
  // The image decoded from these bytes, or null: *pUndecodable says
  // whether GDI+ cannot make a drawable image of them (else the platform
  // lacked memory, and a later paint tries again).
  std::shared_ptr<Decoded> DecodeBytes(bool* pUndecodable) const;

  std::vector<BYTE> m_bytes;
  // Shared by every image data holding the same bytes that decoded them
  // on the same thread: a picture repeats its images (the same pump or
  // valve in many places), and a loaded picture decodes them at its first
  // paint.
  std::shared_ptr<Decoded> m_decoded;
  Gdiplus::GpImage* m_pImage = nullptr;  // m_decoded's image
  bool m_bUndecodable = false;
  bool m_bMetafile = false;
  MetafileSummary m_metafile;
  unsigned m_generation = NextGeneration();

  static unsigned NextGeneration();
};
