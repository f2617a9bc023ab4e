// CDrawBitmap: an image held inside the picture (draw-object kind 12). The
// image file's bytes are stored in the picture file and mapped onto the
// rectangle's corners, so turning, stretching and mirroring apply to it.
#pragma once

#include "drawrect.h"
#include "imagedata.h"

class CFile;

class CDrawBitmap : public CDrawRect {
  DECLARE_SERIAL(CDrawBitmap)

 public:
  CDrawBitmap() = default;

  void Serialize(CArchive& ar) override;
  int HitTest(const CPointD& point, CDrawObj** ppHit) override;
  void Draw(CDC* pDC, DWORD dwFlags) override;
  DrawObjType GetObjType() override;

  // Reads the whole open file, from its start, as the new image and decodes
  // it at once; true when it decoded.
  bool LoadFromFile(CFile* pFile);
  // Width and height of the decoded image in pixels, 320 x 240 without one.
  SIZE GetImageSize() const { return m_image.GetSize(); }
  // Decodes on demand; non-zero when a decoded image exists afterwards.
  BOOL LoadImageStream() { return m_image.Decode() ? TRUE : FALSE; }
  const CImageData& GetImageData() const { return m_image; }

 private:
  CImageData m_image;
};
