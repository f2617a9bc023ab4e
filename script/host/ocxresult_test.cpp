#include "ocxresult.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "oletext.h"
#include "vmcodes.h"

namespace {

VARIANT Long(LONG v) {
  VARIANT r;
  r.vt = VT_I4;
  r.lVal = v;
  return r;
}

VARIANT Double(double v) {
  VARIANT r;
  r.vt = VT_R8;
  r.dblVal = v;
  return r;
}

TEST(OcxResultTest, NumbersAreWrittenInTheDestinationsWidth) {
  const struct {
    VARIANT value;
    uint8_t base;
    size_t bytes;
    uint64_t expected;
  } cases[] = {
      {Long(-2), 0, 1, 0xFE},  // signed 8-bit
      {Long(200), 1, 1, 200},  // unsigned 8-bit
      {Long(-3), 2, 2, 0xFFFD},
      {Long(65535), 3, 2, 0xFFFF},
      {Long(-4), 4, 4, 0xFFFFFFFC},
      {Long(7), 5, 4, 7},
      {Long(-5), 7, 8, 0xFFFFFFFFFFFFFFFBull},  // a four-byte integer sign-extended
      {Double(2.6), 4, 4, 3},                   // rounded as the platform converts
  };
  for (const auto& c : cases) {
    std::vector<BYTE> bytes;
    ASSERT_EQ(OcxResultBytes(c.value, c.base, false, 100, &bytes), 0) << int(c.base);
    ASSERT_EQ(bytes.size(), c.bytes) << int(c.base);
    uint64_t got = 0;
    std::memcpy(&got, bytes.data(), c.bytes);
    EXPECT_EQ(got, c.expected) << int(c.base);
  }
  std::vector<BYTE> f;
  ASSERT_EQ(OcxResultBytes(Double(1.5), 6, false, 4, &f), 0);
  ASSERT_EQ(f.size(), 4u);
  float fv;
  std::memcpy(&fv, f.data(), 4);
  EXPECT_EQ(fv, 1.5f);
  std::vector<BYTE> d;
  ASSERT_EQ(OcxResultBytes(Long(-9), 8, false, 8, &d), 0);
  ASSERT_EQ(d.size(), 8u);
  double dv;
  std::memcpy(&dv, d.data(), 8);
  EXPECT_EQ(dv, -9.0);
}

TEST(OcxResultTest, ATextGoesIntoATextDestinationCutToItsRoom) {
  VARIANT text;
  text.vt = VT_BSTR;
  text.bstrVal = BstrFromText("ab中文");
  const struct {
    size_t room;
    std::string expected;  // with the zero
  } cases[] = {
      {16, std::string("ab中文", 7)},
      {4, std::string("ab\0", 3)},  // the two-byte character does not fit with the zero
      {5, std::string("ab中\0", 5)},
      {1, std::string("\0", 1)},
      {0, std::string()},  // no room: nothing written
  };
  for (const auto& c : cases) {
    std::vector<BYTE> bytes = {1, 2, 3};
    ASSERT_EQ(OcxResultBytes(text, 0, true, c.room, &bytes), 0);
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), c.expected) << c.room;
  }
  // A byte that is no text destination takes a number only.
  std::vector<BYTE> bytes;
  EXPECT_EQ(OcxResultBytes(text, 1, false, 16, &bytes), kSysOcxBadResult);
  VARIANT digits;
  digits.vt = VT_BSTR;
  digits.bstrVal = BstrFromText("65");
  ASSERT_EQ(OcxResultBytes(digits, 1, false, 16, &bytes), 0);
  EXPECT_EQ(bytes, std::vector<BYTE>{65});
  ::VariantClear(&digits);
  ::VariantClear(&text);
}

TEST(OcxResultTest, OtherDestinationsAndValuesThatDoNotConvertAreRefused) {
  std::vector<BYTE> bytes;
  EXPECT_EQ(OcxResultBytes(Long(1), 9, false, 8, &bytes), kSysOcxBadResult);
  EXPECT_EQ(OcxResultBytes(Long(1), 15, false, 8, &bytes), kSysOcxBadResult);
  VARIANT word;
  word.vt = VT_BSTR;
  word.bstrVal = BstrFromText("abc");
  EXPECT_EQ(OcxResultBytes(word, 4, true, 8, &bytes), kSysOcxBadResult);
  ::VariantClear(&word);
  EXPECT_EQ(OcxResultBytes(Long(300), 0, true, 8, &bytes), kSysOcxBadResult) << "overflows a signed byte";
}

}  // namespace
