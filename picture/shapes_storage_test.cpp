// Stored form of the rectangle family and the texts: golden bytes, and
// byte-identical round trips of one object of each class.
#include <gtest/gtest.h>

#include <cstring>
#include <initializer_list>
#include <memory>
#include <vector>

#include "archive.h"
#include "drawbitmap.h"
#include "drawellipse.h"
#include "drawmtext.h"
#include "drawrect.h"
#include "drawtext.h"
#include "memfile.h"
#include "objectclasses.h"
#include "objlist_io.h"
#include "picfile.h"
#include "picobj.h"
#include "shapeclasses.h"
#include "shapes_test_util.h"

namespace {

using Bytes = std::vector<BYTE>;

// Little-endian byte builder for expected streams.
struct ByteWriter {
  Bytes bytes;
  ByteWriter& Raw(const void* p, size_t n) {
    const BYTE* b = static_cast<const BYTE*>(p);
    bytes.insert(bytes.end(), b, b + n);
    return *this;
  }
  ByteWriter& Word(WORD v) { return Raw(&v, 2); }
  ByteWriter& Dword(DWORD v) { return Raw(&v, 4); }
  ByteWriter& Double(double v) { return Raw(&v, 8); }
  ByteWriter& Text(const char* s) {  // a short string: one length byte
    const BYTE n = static_cast<BYTE>(std::strlen(s));
    bytes.push_back(n);
    return Raw(s, n);
  }
  ByteWriter& ClassRecord(const char* name) {
    Word(0xFFFF).Word(0).Word(static_cast<WORD>(std::strlen(name)));
    return Raw(name, std::strlen(name));
  }
};

Bytes StoreObject(CObject* pObj) {
  CMemFile file;
  {
    CArchive ar(&file, CArchive::store);
    ar << pObj;
    ar.Close();
  }
  return Bytes(file.GetData(), file.GetData() + file.GetLength());
}

// Loads one object reference from the bytes; the caller owns the result.
CObject* LoadObject(const Bytes& bytes) {
  Bytes copy = bytes;
  CMemFile file(copy.data(), static_cast<UINT>(copy.size()));
  CArchive ar(&file, CArchive::load);
  CObject* pObj = ar.ReadObject(RUNTIME_CLASS(CDrawObj));
  ar.Close();
  return pObj;
}

class ShapeStorage : public ::testing::Test {
 protected:
  void SetUp() override { RegisterShapeClasses(); }

  // Store, load, store again: both streams must be the same bytes.
  void ExpectRoundTrip(CDrawObj* pObj) {
    const Bytes first = StoreObject(pObj);
    std::unique_ptr<CObject> loaded(LoadObject(first));
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->GetRuntimeClass(), pObj->GetRuntimeClass());
    EXPECT_EQ(StoreObject(loaded.get()), first) << pObj->GetRuntimeClass()->m_lpszClassName;
  }
};

TEST_F(ShapeStorage, RectangleGoldenBytes) {
  CDrawRect rect;
  rect.m_strName = "r1";
  rect.SetCorners(CRectD(10, 20, 110, 70));
  rect.m_clrLine = 0x0000FF;

  ByteWriter want;
  want.ClassRecord("CDrawRect");
  want.Text("r1").Text("");                           // name, comment
  want.Double(10).Double(20).Double(110).Double(70);  // bounding rectangle
  want.Dword(0x0000FF).Dword(0);                      // line and second colour
  want.Dword(1).Dword(0).Dword(1);                    // width, style, fill style 1
  want.Dword(0xFFFFFF).Dword(0);                      // fill colours
  want.Dword(1);                                      // visible
  want.Dword(0).Dword(0).Dword(0).Text("");           // reserved
  want.Word(0);                                       // no links
  want.Double(10).Double(20).Double(110).Double(20);  // P1, P2
  want.Double(110).Double(70).Double(10).Double(70);  // P3, P4
  EXPECT_EQ(StoreObject(&rect), want.bytes);
}

TEST_F(ShapeStorage, LoadedRectangleKeepsItsCornersBitForBit) {
  CDrawRect rect;
  RectCorners c = RectCorners::FromRect(CRectD(0.1, 0.2, 100.3, 50.7));
  c.Rotate(CPointD(3, 4), DirectionOfDegrees(33.3));
  rect.SetCorners(c);
  std::unique_ptr<CObject> loaded(LoadObject(StoreObject(&rect)));
  const RectCorners& got = static_cast<CDrawRect*>(loaded.get())->GetCorners();
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(std::memcmp(&got.p[i], &c.p[i], sizeof c.p[i]), 0) << "P" << i + 1;
  }
}

TEST_F(ShapeStorage, EveryClassRoundTripsByteForByte) {
  CDrawRect rect;
  rect.SetCorners(CRectD(1, 2, 30, 40));
  rect.m_nFillStyle = 3;
  ExpectRoundTrip(&rect);

  CDrawEllipse ellipse;
  ellipse.SetCorners(CRectD(5, 5, 105, 55));
  ellipse.Rotate(CPointD(5, 5), DirectionOfDegrees(30));
  ExpectRoundTrip(&ellipse);

  CDrawText text;
  text.SetText("温度 T1");
  text.SetPoints(CPointD(10, 10), CPointD(90, 40));
  ExpectRoundTrip(&text);

  CDrawMtext mtext;
  mtext.SetCorners(CRectD(0, 0, 200, 100));
  mtext.SetText("第一行\r\n second line");
  ExpectRoundTrip(&mtext);

  CDrawTagVal tag;
  tag.SetCorners(CRectD(0, 0, 64, 20));
  tag.m_nAlign = 1;
  ExpectRoundTrip(&tag);
}

TEST_F(ShapeStorage, ImagesKeepTheirBytesWhetherTheyDecodeOrNot) {
  const Bytes bmp = shapetest::QuadrantBmp(4, 4);
  const Bytes garbage = {'n', 'o', 't', ' ', 'a', 'n', ' ', 'i', 'm', 'a', 'g', 'e', 0, 1, 2};
  // A length beyond one 4,096-byte piece.
  const Bytes big = shapetest::QuadrantBmp(64, 40);
  ASSERT_GT(big.size(), 4096u);
  for (const Bytes* image : {&bmp, &garbage, &big}) {
    CDrawBitmap bitmap;
    bitmap.SetCorners(CRectD(0, 0, 40, 40));
    shapetest::SetImageBytes(bitmap, *image);
    const Bytes stored = StoreObject(&bitmap);
    std::unique_ptr<CObject> loaded(LoadObject(stored));
    ASSERT_TRUE(loaded);
    CDrawBitmap* pLoaded = static_cast<CDrawBitmap*>(loaded.get());
    EXPECT_EQ(pLoaded->GetImageData().Bytes(), *image);
    EXPECT_EQ(StoreObject(pLoaded), stored);
    // Decoding (or failing to) changes nothing that is stored.
    pLoaded->LoadImageStream();
    EXPECT_EQ(StoreObject(pLoaded), stored);
  }
}

TEST_F(ShapeStorage, ImageWithoutBytesStoresFourZeroBytesAfterTheRectangle) {
  CDrawBitmap bitmap;
  bitmap.SetCorners(CRectD(0, 0, 40, 40));
  CDrawRect rect;
  rect.SetCorners(CRectD(0, 0, 40, 40));
  const Bytes withImage = StoreObject(&bitmap);
  const Bytes plain = StoreObject(&rect);
  // Same fields after the class record ("CDrawBitmap" is two bytes longer).
  ASSERT_EQ(withImage.size(), plain.size() + 2 + 4);
  EXPECT_EQ(Bytes(withImage.end() - 4, withImage.end()), Bytes(4, 0));
  EXPECT_EQ(Bytes(withImage.begin() + 6 + 11, withImage.end() - 4),
            Bytes(plain.begin() + 6 + 9, plain.end()));
}

TEST_F(ShapeStorage, ImageStreamEndingBeforeItsLengthIsAnArchiveError) {
  CDrawBitmap bitmap;
  shapetest::SetImageBytes(bitmap, shapetest::QuadrantBmp(4, 4));
  Bytes stored = StoreObject(&bitmap);
  stored.resize(stored.size() - 10);
  try {
    std::unique_ptr<CObject> loaded(LoadObject(stored));
    ADD_FAILURE() << "a short image stream loaded";
  } catch (CArchiveException& e) {
    EXPECT_EQ(e.m_cause, CArchiveException::endOfFile);
  }
}

TEST_F(ShapeStorage, CloneCopiesCornersAndImageBytes) {
  CDrawBitmap bitmap;
  RectCorners c = RectCorners::FromRect(CRectD(10, 10, 50, 30));
  c.Rotate(CPointD(10, 10), DirectionOfDegrees(20));
  bitmap.SetCorners(c);
  shapetest::SetImageBytes(bitmap, shapetest::QuadrantBmp(4, 4));
  std::unique_ptr<CDrawObj> copy(bitmap.Clone());
  ASSERT_TRUE(copy);
  ASSERT_EQ(copy->GetObjType(), DOT_BITMAP);
  CDrawBitmap* pCopy = static_cast<CDrawBitmap*>(copy.get());
  EXPECT_EQ(pCopy->GetImageData().Bytes(), bitmap.GetImageData().Bytes());
  EXPECT_EQ(pCopy->GetCorners().p[2], c.p[2]);
  EXPECT_EQ(StoreObject(pCopy), StoreObject(&bitmap));
}

TEST_F(ShapeStorage, PictureWithEveryShapeReadsBackByteForByte) {
  RegisterObjectClasses();
  CPicObj picture;
  picture.EnsureLayer();
  CPicLayer* layer = static_cast<CPicLayer*>(picture.m_layers.GetHead());
  CDrawRect* rect = new CDrawRect;
  rect->SetCorners(CRectD(0, 0, 10, 10));
  CDrawEllipse* ellipse = new CDrawEllipse;
  ellipse->SetCorners(CRectD(20, 0, 40, 10));
  CDrawBitmap* bitmap = new CDrawBitmap;
  shapetest::SetImageBytes(*bitmap, shapetest::QuadrantBmp(8, 8));
  CDrawText* text = new CDrawText;
  text->SetPoints(CPointD(0, 50), CPointD(60, 50));
  CDrawMtext* mtext = new CDrawMtext;
  CDrawTagVal* tag = new CDrawTagVal;
  for (CDrawObj* obj : std::initializer_list<CDrawObj*>{rect, ellipse, bitmap, text, mtext, tag})
    layer->m_objects.AddTail(obj);

  const Bytes stored = StorePictureBytes(picture);
  std::unique_ptr<CPicObj> loaded(LoadPictureBuffer(stored.data(), static_cast<UINT>(stored.size())));
  ASSERT_TRUE(loaded);
  CPicLayer* loadedLayer = static_cast<CPicLayer*>(loaded->m_layers.GetHead());
  ASSERT_EQ(loadedLayer->m_objects.GetCount(), 6);
  const DrawObjType kinds[] = {DOT_RECT, DOT_ELLIPSE, DOT_BITMAP, DOT_TEXT, DOT_MTEXT, DOT_TAGVAL};
  POSITION pos = loadedLayer->m_objects.GetHeadPosition();
  for (DrawObjType kind : kinds)
    EXPECT_EQ(static_cast<CDrawObj*>(loadedLayer->m_objects.GetNext(pos))->GetObjType(), kind);
  EXPECT_EQ(StorePictureBytes(*loaded), stored);
}

TEST_F(ShapeStorage, TextLoadTakesItsReferenceHeightFromTheFont) {
  CDrawText text;
  LOGFONTA lf = text.GetFont();
  lf.lfHeight = -17;
  text.SetFont(lf);
  std::unique_ptr<CObject> loaded(LoadObject(StoreObject(&text)));
  EXPECT_EQ(static_cast<CDrawText*>(loaded.get())->GetRefHeight(), -17.0);
}

}  // namespace
