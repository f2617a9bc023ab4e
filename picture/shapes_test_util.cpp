#include "shapes_test_util.h"

#include <cstring>

#include "drawbitmap.h"
#include "memfile.h"

namespace shapetest {

std::vector<BYTE> QuadrantBmp(int w, int h) {
  const int stride = (w * 3 + 3) & ~3;
  const DWORD headers = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
  std::vector<BYTE> file(headers + stride * h);
  BITMAPFILEHEADER fh = {};
  fh.bfType = 0x4D42;  // "BM"
  fh.bfSize = static_cast<DWORD>(file.size());
  fh.bfOffBits = headers;
  BITMAPINFOHEADER ih = {};
  ih.biSize = sizeof ih;
  ih.biWidth = w;
  ih.biHeight = h;  // bottom-up rows
  ih.biPlanes = 1;
  ih.biBitCount = 24;
  ih.biSizeImage = stride * h;
  std::memcpy(file.data(), &fh, sizeof fh);
  std::memcpy(file.data() + sizeof fh, &ih, sizeof ih);
  for (int row = 0; row < h; ++row) {
    const int y = h - 1 - row;  // image row from the top
    for (int x = 0; x < w; ++x) {
      const bool top = y < h / 2;
      const bool left = x < w / 2;
      const COLORREF c = top ? (left ? kTopLeft : kTopRight) : (left ? kBottomLeft : kBottomRight);
      BYTE* px = file.data() + headers + row * stride + x * 3;
      px[0] = GetBValue(c);
      px[1] = GetGValue(c);
      px[2] = GetRValue(c);
    }
  }
  return file;
}

void SetImageBytes(CDrawBitmap& bitmap, const std::vector<BYTE>& bytes) {
  std::vector<BYTE> copy = bytes;
  CMemFile file(copy.data(), static_cast<UINT>(copy.size()));
  bitmap.LoadFromFile(&file);
}

}  // namespace shapetest
