#include "ocxresult.h"

#include <gtest/gtest.h>

#include <cstring>

#include "oletext.h"

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
        {Long(-2), 0, 1, 0xFE},                   // signed 8-bit
        {Long(200), 1, 1, 200},                   // unsigned 8-bit
        {Long(-3), 2, 2, 0xFFFD},
        {Long(65535), 3, 2, 0xFFFF},
        {Long(-4), 4, 4, 0xFFFFFFFC},
        {Long(7), 5, 4, 7},
        {Long(-5), 7, 8, 0xFFFFFFFFFFFFFFFBull},  // a four-byte integer sign-extended
        {Double(2.6), 4, 4, 3},                   // rounded as the platform converts
    };
    for (const auto& c : cases) {
        BYTE dest[8];
        std::memset(dest, 0xAA, sizeof dest);
        ASSERT_EQ(WriteOcxResult(c.value, c.base, dest, sizeof dest), 0) << int(c.base);
        uint64_t got = 0;
        std::memcpy(&got, dest, c.bytes);
        EXPECT_EQ(got, c.expected) << int(c.base);
        for (size_t i = c.bytes; i < sizeof dest; ++i)
            EXPECT_EQ(dest[i], 0xAA) << "nothing past the value, base " << int(c.base);
    }
    BYTE f[4];
    ASSERT_EQ(WriteOcxResult(Double(1.5), 6, f, 4), 0);
    float fv;
    std::memcpy(&fv, f, 4);
    EXPECT_EQ(fv, 1.5f);
    BYTE d[8];
    ASSERT_EQ(WriteOcxResult(Long(-9), 8, d, 8), 0);
    double dv;
    std::memcpy(&dv, d, 8);
    EXPECT_EQ(dv, -9.0);
}

TEST(OcxResultTest, ATextGoesIntoAnEightBitDestinationCutToItsRoom) {
    VARIANT text;
    text.vt = VT_BSTR;
    text.bstrVal = BstrFromText("ab中文");
    char buf[16];
    ASSERT_EQ(WriteOcxResult(text, 0, reinterpret_cast<BYTE*>(buf), sizeof buf), 0);
    EXPECT_STREQ(buf, "ab中文");
    std::memset(buf, 'x', sizeof buf);
    ASSERT_EQ(WriteOcxResult(text, 1, reinterpret_cast<BYTE*>(buf), 4), 0);
    EXPECT_STREQ(buf, "ab") << "the first character of two bytes does not fit with the zero";
    EXPECT_EQ(buf[4], 'x');
    std::memset(buf, 'x', sizeof buf);
    ASSERT_EQ(WriteOcxResult(text, 0, reinterpret_cast<BYTE*>(buf), 5), 0);
    EXPECT_STREQ(buf, "ab中");
    EXPECT_EQ(WriteOcxResult(text, 0, reinterpret_cast<BYTE*>(buf), 0), 0);
    EXPECT_EQ(buf[0], 'a') << "no room: nothing written";
    ::VariantClear(&text);
}

TEST(OcxResultTest, OtherDestinationsAndValuesThatDoNotConvertAreRefused) {
    BYTE dest[8] = {};
    EXPECT_EQ(WriteOcxResult(Long(1), 9, dest, 8), kOcxBadDestination);
    EXPECT_EQ(WriteOcxResult(Long(1), 15, dest, 8), kOcxBadDestination);
    EXPECT_EQ(WriteOcxResult(Long(1), 4, dest, 3), kOcxBadDestination) << "too little room";
    EXPECT_EQ(WriteOcxResult(Long(1), 4, nullptr, 8), kOcxBadDestination);
    VARIANT word;
    word.vt = VT_BSTR;
    word.bstrVal = BstrFromText("abc");
    EXPECT_EQ(WriteOcxResult(word, 4, dest, 8), kOcxBadDestination);
    ::VariantClear(&word);
    EXPECT_EQ(WriteOcxResult(Long(300), 0, dest, 8), kOcxBadDestination) << "overflows a signed byte";
}

}  // namespace
