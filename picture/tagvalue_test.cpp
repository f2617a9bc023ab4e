#include "tagvalue.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>

namespace {

std::string Text(const CTagValue& v) {
  return v.GetData() ? std::string(v.GetData(), v.GetLength()) : std::string();
}

CTagValue StringValue(const char* text) {
  CTagValue v(TT_STRING);
  v.SetString(text);
  return v;
}

CTagValue BlobValue(const void* bytes, DWORD n) {
  CTagValue v;
  v.SetBlob(bytes, n);
  return v;
}

// Every test of the buffer rule needs the allocated size; the buffer's bytes
// after the data must be zero, up to the rounded size.
void ExpectZeroTail(const CTagValue& v) {
  ASSERT_NE(v.GetData(), nullptr);
  for (DWORD i = v.GetLength(); i < TagBufferSize(v.GetLength()); ++i)
    EXPECT_EQ(v.GetData()[i], 0) << "byte " << i;
}

TEST(TagValue, RecordLayout) {
  CTagValue v;
  EXPECT_EQ(sizeof v, 24u);
  const unsigned char* raw = reinterpret_cast<const unsigned char*>(&v);
  for (size_t i = 0; i < sizeof v; ++i) EXPECT_EQ(raw[i], 0) << i;
  CTagValue typed(TT_DOUBLE);
  EXPECT_EQ(typed.GetType(), TT_DOUBLE);
  EXPECT_EQ(typed.GetDouble(), 0.0);
}

TEST(TagValue, BufferRuleSizes) {
  struct Case {
    DWORD n, size;
  };
  const Case cases[] = {{0, 8}, {1, 8}, {7, 8}, {8, 16}, {9, 16}, {15, 16}, {16, 24}, {100, 104}};
  for (const Case& c : cases) EXPECT_EQ(TagBufferSize(c.n), c.size) << c.n;
}

TEST(TagValue, AnEmptyValueTakesTheSettersType) {
  CTagValue a;
  a.SetInt32(-5);
  EXPECT_EQ(a.GetType(), TT_INT32);
  EXPECT_EQ(a.GetInt32(), -5);
  CTagValue b;
  b.SetDouble(2.5);
  EXPECT_EQ(b.GetType(), TT_DOUBLE);
  EXPECT_EQ(b.GetDouble(), 2.5);
  CTagValue c;
  c.SetFloat(1.5f);
  EXPECT_EQ(c.GetType(), TT_FLOAT);
  CTagValue d;
  d.SetInt64(1LL << 40);
  EXPECT_EQ(d.GetType(), TT_INT64);
  EXPECT_EQ(d.GetInt64(), 1LL << 40);
  CTagValue e;
  e.SetString("hi");
  EXPECT_EQ(e.GetType(), TT_STRING);
  EXPECT_EQ(Text(e), "hi");
  EXPECT_EQ(e.GetLength(), 2u);
}

TEST(TagValue, DoubleToIntegerTruncatesTowardZero) {
  struct Case {
    int type;
    double d;
    int32_t want;
  };
  const Case cases[] = {
      {TT_INT32, 2.9, 2},
      {TT_DIGITAL, 2.9, 2},
      {TT_INT32, -2.9, -2},
      {TT_DIGITAL, 7.0, 7},  // digital is not reduced to 0 or 1
      {TT_INT32, 2147483647.9, 2147483647},
      {TT_INT32, -2147483648.9, INT32_MIN},
  };
  for (const Case& c : cases) {
    CTagValue v(c.type);
    v.SetDouble(c.d);
    EXPECT_EQ(v.GetType(), c.type);
    EXPECT_EQ(v.GetInt32(), c.want) << c.d;
  }
}

TEST(TagValue, OutOfRangeNumbersBecomeTheMinimumInteger) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  for (double d : {2147483648.0, -2147483649.0, 1e300, -1e300, nan, inf, -inf}) {
    CTagValue v(TT_INT32);
    v.SetDouble(d);
    EXPECT_EQ(static_cast<uint32_t>(v.GetInt32()), 0x80000000u) << d;
    CTagValue f(TT_INT32);
    f.SetFloat(static_cast<float>(d));
    EXPECT_EQ(static_cast<uint32_t>(f.GetInt32()), 0x80000000u) << d;
  }
  for (double d : {9223372036854775808.0, -1e19, 1e300, nan, -inf}) {
    CTagValue v(TT_INT64);
    v.SetDouble(d);
    EXPECT_EQ(static_cast<uint64_t>(v.GetInt64()), 0x8000000000000000ull) << d;
    CTagValue f(TT_INT64);
    f.SetFloat(static_cast<float>(d));
    EXPECT_EQ(static_cast<uint64_t>(f.GetInt64()), 0x8000000000000000ull) << d;
  }
  CTagValue edge(TT_INT64);
  edge.SetDouble(-9223372036854775808.0);
  EXPECT_EQ(edge.GetInt64(), INT64_MIN);
  edge.SetDouble(-3.7e15);
  EXPECT_EQ(edge.GetInt64(), -3700000000000000LL);
}

TEST(TagValue, TextToNumbers) {
  struct Case {
    int type;
    const char* text;
    double want;
  };
  const Case cases[] = {
      {TT_INT32, "12abc", 12},  {TT_INT32, "abc", 0},    {TT_DIGITAL, "-7", -7},
      {TT_DOUBLE, "1e3", 1000}, {TT_FLOAT, "0.5x", 0.5}, {TT_INT64, "123456789012", 123456789012.0},
      {TT_INT32, "  42", 42},
  };
  for (const Case& c : cases) {
    CTagValue v(c.type);
    v.SetString(c.text);
    EXPECT_EQ(v.GetType(), c.type) << c.text;
    EXPECT_EQ(v.GetLength(), 0u) << c.text;
    double got = 0;
    switch (c.type) {
      case TT_FLOAT: got = v.GetFloat(); break;
      case TT_INT64: got = static_cast<double>(v.GetInt64()); break;
      case TT_DOUBLE: got = v.GetDouble(); break;
      default: got = v.GetInt32();
    }
    EXPECT_EQ(got, c.want) << c.text;
  }
}

TEST(TagValue, NumbersToTextUseThePlatformRuntimeForms) {
  struct Case {
    CTagValue src;
    const char* want;
  };
  CTagValue i32, neg, i64, f, d1, d2, d3, d4, dig;
  i32.SetInt32(7);
  neg.SetInt32(-5);
  i64.SetInt64(-(1LL << 40));
  f.SetFloat(0.1f);
  d1.SetDouble(0.1);
  d2.SetDouble(100000.0);
  d3.SetDouble(1e6);
  d4.SetDouble(-2.5e-7);
  dig.SetType(TT_DIGITAL);
  dig.SetInt32(1);
  const Case cases[] = {
      {i32, "7"},     {neg, "-5"},    {i64, "-1099511627776"}, {f, "0.1"}, {d1, "0.1"},
      {d2, "100000"}, {d3, "1E+006"}, {d4, "-2.5E-007"},       {dig, "1"},
  };
  for (const Case& c : cases) {
    CTagValue s(TT_STRING);
    s = c.src;
    EXPECT_EQ(s.GetType(), TT_STRING);
    EXPECT_EQ(Text(s), c.want);
    EXPECT_EQ(s.GetLength(), std::strlen(c.want));
    ExpectZeroTail(s);
    CTagValue b(TT_BLOB);
    b = c.src;
    EXPECT_EQ(b.GetType(), TT_BLOB);
    EXPECT_EQ(Text(b), c.want);
    EXPECT_EQ(b.GetLength(), std::strlen(c.want));
  }
}

TEST(TagValue, IntegerAssignmentFollowsTheDestinationsType) {
  CTagValue to64(TT_INT64);
  to64.SetInt32(-5);
  EXPECT_EQ(to64.GetInt64(), -5);  // sign-extended
  CTagValue toString(TT_STRING);
  toString.SetInt32(-5);
  EXPECT_EQ(Text(toString), "-5");
  EXPECT_EQ(toString.GetLength(), 2u);
  CTagValue toBlob(TT_BLOB);
  toBlob.SetInt32(7);
  EXPECT_EQ(Text(toBlob), "7");
  EXPECT_EQ(toBlob.GetLength(), 1u);
  CTagValue toFloat(TT_FLOAT);
  toFloat.SetInt64(16777217);
  EXPECT_EQ(toFloat.GetFloat(), 16777216.0f);
  CTagValue toDouble(TT_DOUBLE);
  toDouble.SetFloat(0.1f);
  EXPECT_EQ(toDouble.GetDouble(), static_cast<double>(0.1f));  // exact
  CTagValue floatFromDouble(TT_FLOAT);
  floatFromDouble.SetDouble(0.1);
  EXPECT_EQ(floatFromDouble.GetFloat(), 0.1f);
}

TEST(TagValue, SixtyFourBitToThirtyTwoKeepsTheLowHalf) {
  for (int type : {TT_DIGITAL, TT_INT32}) {
    CTagValue v(type);
    v.SetInt64(0x100000005LL);
    EXPECT_EQ(v.GetInt32(), 5);
    v.SetInt64(0x1FFFFFFFFLL);
    EXPECT_EQ(v.GetInt32(), -1);
  }
}

TEST(TagValue, SetStringWithNothingChangesNothing) {
  CTagValue empty;
  empty.SetString("");
  empty.SetString(nullptr);
  EXPECT_EQ(empty.GetType(), TT_EMPTY);
  CTagValue number;
  number.SetInt32(9);
  number.SetString("");
  EXPECT_EQ(number.GetInt32(), 9);
  CTagValue text = StringValue("keep");
  text.SetString("");
  EXPECT_EQ(Text(text), "keep");
}

TEST(TagValue, SetStringReplacesTheTextOfAStringValue) {
  CTagValue v = StringValue("a rather long first text");
  v.m_time = 77;
  v.m_status1 = 3;
  v.SetString("xy");
  EXPECT_EQ(v.GetType(), TT_STRING);
  EXPECT_EQ(Text(v), "xy");
  EXPECT_EQ(v.GetLength(), 2u);
  EXPECT_EQ(v.m_time, 77u);  // setters keep the time and status
  EXPECT_EQ(v.m_status1, 3);
  ExpectZeroTail(v);
}

TEST(TagValue, BlobToStringEndsAfterTheData) {
  CTagValue v = BlobValue("abc", 3);
  EXPECT_TRUE(v.ChangeType(TT_STRING));
  EXPECT_EQ(v.GetType(), TT_STRING);
  EXPECT_EQ(v.GetLength(), 3u);
  EXPECT_STREQ(v.GetData(), "abc");
  const char eight[8] = {'1', '2', '3', '4', '5', '6', '7', '8'};
  CTagValue full = BlobValue(eight, 8);
  full.ChangeType(TT_STRING);
  EXPECT_STREQ(full.GetData(), "12345678");
  CTagValue none(TT_BLOB);
  none.ChangeType(TT_STRING);
  EXPECT_EQ(none.GetType(), TT_STRING);
  EXPECT_EQ(none.GetLength(), 0u);
  EXPECT_EQ(none.GetData(), nullptr);
}

TEST(TagValue, StringToBlobKeepsTheBytes) {
  CTagValue v = StringValue("12abc");
  v.ChangeType(TT_BLOB);
  EXPECT_EQ(v.GetType(), TT_BLOB);
  EXPECT_EQ(Text(v), "12abc");
  v.ChangeType(TT_INT32);  // a blob reads as zero
  EXPECT_EQ(v.GetInt32(), 0);
  EXPECT_EQ(v.GetLength(), 0u);
}

TEST(TagValue, EmptyConvertsToZeroOrEmptyText) {
  for (int type = TT_DIGITAL; type <= TT_BLOB; ++type) {
    CTagValue v;
    EXPECT_EQ(v.ChangeType(type), 1);
    EXPECT_EQ(v.GetType(), type);
    EXPECT_EQ(v.GetLength(), 0u);
    EXPECT_EQ(v.GetInt64(), 0);
  }
}

TEST(TagValue, ClearKeepsTheTimeAndSetTypeClears) {
  CTagValue v = StringValue("text");
  v.m_time = 1234;
  v.m_status1 = 1;
  v.m_status2 = 2;
  v.Clear();
  EXPECT_EQ(v.GetType(), TT_EMPTY);
  EXPECT_EQ(v.m_time, 1234u);
  EXPECT_EQ(v.m_status1, 0);
  EXPECT_EQ(v.m_status2, 0);
  EXPECT_EQ(v.GetLength(), 0u);
  EXPECT_EQ(v.GetData(), nullptr);

  CTagValue s = StringValue("text");
  s.SetType(TT_DOUBLE);
  EXPECT_EQ(s.GetType(), TT_DOUBLE);
  EXPECT_EQ(s.GetDouble(), 0.0);
  EXPECT_EQ(s.GetLength(), 0u);
  s.SetType(0x10002);  // low 16 bits only
  EXPECT_EQ(s.GetType(), TT_INT32);
  EXPECT_EQ(s.m_typeHigh, 0);
}

TEST(TagValue, FreePayloadKeepsTypeTimeAndStatus) {
  CTagValue v = StringValue("abc");
  v.m_time = 5;
  v.m_status2 = 9;
  v.FreePayload();
  EXPECT_EQ(v.GetType(), TT_STRING);
  EXPECT_EQ(v.GetLength(), 0u);
  EXPECT_EQ(v.GetData(), nullptr);
  EXPECT_EQ(v.m_time, 5u);
  EXPECT_EQ(v.m_status2, 9);
}

TEST(TagValue, CopyTakesTimeAndStatusAndKeepsTheDestinationsType) {
  CTagValue src;
  src.SetDouble(3.75);
  src.m_time = 42;
  src.m_status1 = 7;
  src.m_status2 = 8;
  CTagValue dst(TT_INT32);
  dst = src;
  EXPECT_EQ(dst.GetType(), TT_INT32);
  EXPECT_EQ(dst.GetInt32(), 3);
  EXPECT_EQ(dst.m_time, 42u);
  EXPECT_EQ(dst.m_status1, 7);
  EXPECT_EQ(dst.m_status2, 8);
  CTagValue copy(src);
  EXPECT_EQ(copy.GetType(), TT_DOUBLE);
  EXPECT_EQ(copy.GetDouble(), 3.75);
}

TEST(TagValue, CopyOfAStringOwnsItsOwnBuffer) {
  CTagValue src = StringValue("shared?");
  CTagValue dst;
  dst = src;
  EXPECT_EQ(dst.GetType(), TT_STRING);
  EXPECT_NE(dst.GetData(), src.GetData());
  EXPECT_EQ(Text(dst), "shared?");
  ExpectZeroTail(dst);
  src.SetString("changed");
  EXPECT_EQ(Text(dst), "shared?");
}

TEST(TagValue, CopyFromATextValueWithoutBufferKeepsTheOldType) {
  CTagValue src(TT_STRING);  // no buffer
  CTagValue dst;
  dst = src;
  EXPECT_EQ(dst.GetType(), TT_EMPTY);
  CTagValue num(TT_INT32);
  num.SetInt32(5);
  num = src;
  EXPECT_EQ(num.GetType(), TT_INT32);
  EXPECT_EQ(num.GetInt32(), 0);
}

TEST(TagValue, CopyOntoItselfChangesNothing) {
  CTagValue v = StringValue("self");
  v.m_time = 3;
  CTagValue& alias = v;
  v = alias;
  EXPECT_EQ(v.GetType(), TT_STRING);
  EXPECT_EQ(Text(v), "self");
  EXPECT_EQ(v.m_time, 3u);
}

TEST(TagValue, SetStringDataOnlyForStrings) {
  CTagValue number(TT_INT32);
  EXPECT_EQ(number.SetStringData("ab", 2), 0);
  EXPECT_EQ(number.GetType(), TT_INT32);

  CTagValue s = StringValue("old");
  EXPECT_EQ(s.SetStringData("a\0b", 3), 1);
  EXPECT_EQ(s.GetLength(), 3u);
  EXPECT_EQ(std::string(s.GetData(), 4), std::string("a\0b\0", 4));
  ExpectZeroTail(s);
  EXPECT_EQ(s.SetStringData(nullptr, 5), 1);
  EXPECT_EQ(s.GetLength(), 0u);
  EXPECT_EQ(s.GetData(), nullptr);
  EXPECT_EQ(s.SetStringData("x", 0), 1);
  EXPECT_EQ(s.GetData(), nullptr);
}

TEST(TagValue, SetBlobMakesABlob) {
  CTagValue v;
  v.SetInt32(3);
  EXPECT_EQ(v.SetBlob(nullptr, 4), 0);
  EXPECT_EQ(v.SetBlob("abc", 0), 0);
  EXPECT_EQ(v.GetType(), TT_INT32);
  EXPECT_EQ(v.GetInt32(), 3);
  const unsigned char bytes[] = {0, 1, 2, 0xFF, 0};
  EXPECT_EQ(v.SetBlob(bytes, sizeof bytes), 1);
  EXPECT_EQ(v.GetType(), TT_BLOB);
  EXPECT_EQ(v.GetLength(), 5u);
  EXPECT_EQ(std::memcmp(v.GetData(), bytes, sizeof bytes), 0);
  ExpectZeroTail(v);
}

TEST(TagValue, ChangeTypeResults) {
  CTagValue v;
  v.SetInt32(4);
  EXPECT_EQ(v.ChangeType(TT_INT32), 1);
  EXPECT_EQ(v.ChangeType(0), 1);  // not a conversion target: nothing happens
  EXPECT_EQ(v.GetType(), TT_INT32);
  EXPECT_EQ(v.ChangeType(8), 1);
  EXPECT_EQ(v.GetInt32(), 4);
  EXPECT_EQ(v.ChangeType(TT_DOUBLE), 1);
  EXPECT_EQ(v.GetDouble(), 4.0);
}

TEST(TagValue, ADamagedTypeIsClearedByChangeType) {
  CTagValue v;
  v.m_type = 9;
  v.m_length = 12;
  v.m_value.i64 = 0x1234;
  EXPECT_EQ(v.ChangeType(TT_INT32), 0);
  EXPECT_EQ(v.GetType(), TT_EMPTY);
  EXPECT_EQ(v.GetLength(), 0u);
  EXPECT_EQ(v.GetInt64(), 0);
  CTagValue high;
  high.m_type = TT_INT32;
  high.m_typeHigh = 1;  // compared as 32 bits: 0x10002 is no valid type
  EXPECT_EQ(high.ChangeType(TT_DOUBLE), 0);
  EXPECT_EQ(high.GetType(), TT_EMPTY);
}

}  // namespace
