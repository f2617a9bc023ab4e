// Draws 1,000 objects of the rectangle family and the texts (a third of them
// turned) into a 1920 x 1080 memory surface, and stores and loads them.
#include <windows.h>

#include <cstdio>
#include <memory>
#include <vector>

#include "benchsurface.h"
#include "crtformat.h"
#include "drawbitmap.h"
#include "drawellipse.h"
#include "drawmtext.h"
#include "drawrect.h"
#include "drawtext.h"
#include "memdc.h"
#include "memfile.h"
#include "objectclasses.h"
#include "picfile.h"
#include "picobj.h"
#include "shapeclasses.h"

namespace {

constexpr int kObjects = 1000;
constexpr int kKinds = 6;
constexpr int kWidth = 1920;
constexpr int kHeight = 1080;

// Every third object of each kind is turned.
bool IsTurned(int i) { return (i / kKinds) % 3 == 0; }

using bench::NowMs;

// A 32 x 32 24-bit BMP file of one colour.
std::vector<BYTE> SmallBmp() {
  const int w = 32, h = 32, stride = w * 3;
  const DWORD headers = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
  std::vector<BYTE> file(headers + stride * h, 0x80);
  BITMAPFILEHEADER fh = {0x4D42, static_cast<DWORD>(file.size()), 0, 0, headers};
  BITMAPINFOHEADER ih = {sizeof ih, w, h, 1, 24, BI_RGB, static_cast<DWORD>(stride * h), 0, 0, 0, 0};
  memcpy(file.data(), &fh, sizeof fh);
  memcpy(file.data() + sizeof fh, &ih, sizeof ih);
  return file;
}

CDrawObj* MakeObject(int i, std::vector<BYTE>& image) {
  const double x = (i * 37) % (kWidth - 200);
  const double y = (i * 53) % (kHeight - 100);
  const CRectD frame(x, y, x + 120, y + 60);
  CDrawRect* rect = nullptr;
  switch (i % kKinds) {
    case 0:
      rect = new CDrawRect;
      rect->m_nFillStyle = 1 + i % 5;
      break;
    case 1:
      rect = new CDrawEllipse;
      rect->m_nFillStyle = 1 + i % 5;
      break;
    case 2: {
      CDrawBitmap* bitmap = new CDrawBitmap;
      CMemFile file(image.data(), static_cast<UINT>(image.size()));
      bitmap->LoadFromFile(&file);
      rect = bitmap;
      break;
    }
    case 3: rect = new CDrawMtext; break;
    case 4: rect = new CDrawTagVal; break;
    default: {
      CDrawText* text = new CDrawText;
      text->SetPoints(CPointD(x, y), CPointD(x + 80, y + (IsTurned(i) ? 40 : 0)));
      return text;
    }
  }
  rect->SetCorners(frame);
  rect->m_clrFill1 = RGB(255, 255 - i % 200, 0);
  rect->m_clrFill2 = RGB(0, 0, 128 + i % 128);
  if (IsTurned(i)) rect->Rotate(CPointD(x + 60, y + 30), DirectionOfDegrees(i % 360));
  return rect;
}

// The time of one paint of each object, summed per kind, upright and
// turned apart.
struct KindTimes {
  double ms[kKinds][2] = {};
  int count[kKinds][2] = {};
};

KindTimes TimeKinds(CDC& output, CObList& objects) {
  KindTimes times;
  CMemDC dc(&output);
  int i = 0;
  for (POSITION pos = objects.GetHeadPosition(); pos; ++i) {
    CDrawObj* obj = static_cast<CDrawObj*>(objects.GetNext(pos));
    const double t = NowMs();
    obj->Draw(&dc, 0);
    times.ms[i % kKinds][IsTurned(i)] += NowMs() - t;
    ++times.count[i % kKinds][IsTurned(i)];
  }
  return times;
}

void PrintKinds(const KindTimes& kept, const KindTimes& first) {
  static const char* const kinds[kKinds] = {"rectangle",       "ellipse",   "image",
                                            "multi-line text", "tag value", "single-line text"};
  std::puts("  per object                 kept (steady)    first paint");
  for (int k = 0; k < kKinds; ++k)
    for (int turned = 0; turned < 2; ++turned)
      if (kept.count[k][turned])
        std::puts(qel::FormatStr("  %-18s %-7s %10.3f ms  %10.3f ms  (%d)", kinds[k],
                                 turned ? "turned" : "upright", kept.ms[k][turned] / kept.count[k][turned],
                                 first.ms[k][turned] / first.count[k][turned], kept.count[k][turned])
                      .c_str());
}

}  // namespace

int main() {
  RegisterObjectClasses();
  RegisterShapeClasses();
  std::vector<BYTE> image = SmallBmp();
  CPicObj picture;
  picture.EnsureLayer();
  CObList& objects = picture.GetLayer(0)->m_objects;
  for (int i = 0; i < kObjects; ++i) objects.AddTail(MakeObject(i, image));

  BenchSurface surface(kWidth, kHeight);
  CDC& output = surface.Output();

  const RepaintFigures repaint = MeasureRepaints(surface, objects);

  // Per kind, upright and turned apart, once kept drawings are made.
  const KindTimes kept = TimeKinds(output, objects);

  const StoreLoadTimes stored = TimeStoreLoad(picture, 10);
  // The same split on a loaded copy, which keeps nothing yet: where a
  // first paint's time goes.
  std::unique_ptr<CPicObj> fresh(
      LoadPictureBuffer(stored.bytes.data(), static_cast<UINT>(stored.bytes.size())));
  const KindTimes first = TimeKinds(output, fresh->GetLayer(0)->m_objects);

  std::puts(qel::FormatStr("%d shapes (a third turned) on %dx%d", kObjects, kWidth, kHeight).c_str());
  PrintRepaints(repaint, kObjects);
  PrintKinds(kept, first);
  PrintMs("store", stored.storeMs);
  PrintMs("load", stored.loadMs);
  std::puts(qel::FormatStr("stream %u bytes", static_cast<unsigned>(stored.bytes.size())).c_str());
  return 0;
}
