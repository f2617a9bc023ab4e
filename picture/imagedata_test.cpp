// Image data decode its bytes once per thread: objects holding the same
// image share what GDI+ decoded, and each thread has its own.
#include "imagedata.h"

#include <gtest/gtest.h>

#include <memory>
#include <thread>

#include "shapes_test_util.h"

namespace {

std::unique_ptr<CImageData> Decoded(const std::vector<BYTE>& bytes) {
  auto image = std::make_unique<CImageData>();
  image->Assign(bytes);
  EXPECT_TRUE(image->Decode());
  return image;
}

TEST(ImageData, TheSameBytesShareOneDecodedImageOnAThread) {
  const std::vector<BYTE> quadrants = shapetest::QuadrantBmp(4, 6);
  auto first = Decoded(quadrants);
  auto second = Decoded(quadrants);
  auto other = Decoded(shapetest::QuadrantBmp(6, 4));
  ASSERT_NE(first->Image(), nullptr);
  EXPECT_EQ(second->Image(), first->Image());
  EXPECT_NE(other->Image(), first->Image());
  EXPECT_NE(second->Generation(), first->Generation());  // each its own paint key
  // The image lives as long as one of them holds it.
  first.reset();
  EXPECT_EQ(second->GetSize().cx, 4);
  EXPECT_EQ(second->GetSize().cy, 6);
  EXPECT_EQ(other->GetSize().cx, 6);
  // New bytes, a new image.
  second->Assign(shapetest::QuadrantBmp(6, 4));
  ASSERT_TRUE(second->Decode());
  EXPECT_EQ(second->Image(), other->Image());
}

TEST(ImageData, AnotherThreadDecodesItsOwn) {
  const std::vector<BYTE> quadrants = shapetest::QuadrantBmp(4, 6);
  auto here = Decoded(quadrants);
  Gdiplus::GpImage* there = nullptr;
  std::thread([&] {
    auto image = Decoded(quadrants);
    there = image->Image();
    EXPECT_NE(there, nullptr);
  }).join();
  EXPECT_NE(there, here->Image());
}

TEST(ImageData, BytesThatDoNotDecodeAreRefusedEveryTime) {
  std::vector<BYTE> broken = shapetest::QuadrantBmp(4, 6);
  broken.resize(20);
  for (int i = 0; i < 2; ++i) {
    CImageData image;
    image.Assign(broken);
    EXPECT_FALSE(image.Decode());
    EXPECT_TRUE(image.IsUndecodable());
    EXPECT_EQ(image.Image(), nullptr);
  }
}

}  // namespace
