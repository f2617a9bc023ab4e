#include "scriptvalue.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

CScriptValue Int(int32_t v, BYTE type = SV_INT32) {
  CScriptValue s;
  s.SetInt(v, type);
  return s;
}
CScriptValue Int64(int64_t v) {
  CScriptValue s;
  s.SetInt64(v);
  return s;
}
CScriptValue Float(float v) {
  CScriptValue s;
  s.SetFloat(v);
  return s;
}
CScriptValue Double(double v) {
  CScriptValue s;
  s.SetDouble(v);
  return s;
}
CScriptValue OfType(BYTE type) {
  CScriptValue s;
  s.m_type = type;
  s.m_value.i64 = 0x0102030405060708LL;
  return s;
}

TEST(ScriptValue, NewRecordIsAllZero) {
  CScriptValue v;
  const BYTE zero[16] = {};
  EXPECT_EQ(0, memcmp(&v, zero, sizeof zero));
}

struct IntCase {
  CScriptValue value;
  int32_t asInt;
  int64_t asInt64;
};

TEST(ScriptValue, IntegerGettersFollowTheConversionTable) {
  const IntCase cases[] = {
      {Int(5, SV_DIGITAL), 5, 5},  // a digital value is not reduced to 0 or 1
      {Int(-7), -7, -7},
      {Double(2.9), 2, 2},
      {Double(-2.9), -2, -2},
      {Float(-3.75f), -3, -3},
      {Int64(0x100000005LL), 5, 0x100000005LL},  // low 32 bits
      {Int64(-1), -1, -1},
      {Int(-1), -1, -1},  // sign-extended
      {OfType(SV_STRING), 0, 0},
      {OfType(SV_BLOB), 0, 0},
      {OfType(SV_EMPTY), 0, 0},
  };
  for (const IntCase& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.value.m_type));
    EXPECT_EQ(c.asInt, c.value.GetInt());
    EXPECT_EQ(c.asInt64, c.value.GetInt64());
  }
}

TEST(ScriptValue, FloatingGettersFollowTheConversionTable) {
  EXPECT_DOUBLE_EQ(3.0, Int(3).GetDouble());
  EXPECT_DOUBLE_EQ(1e12, Int64(1000000000000LL).GetDouble());
  EXPECT_DOUBLE_EQ(static_cast<double>(0.1f), Float(0.1f).GetDouble());
  EXPECT_EQ(0.1f, Double(0.1).GetFloat());  // rounded to float
  EXPECT_EQ(7.0f, Int(7, SV_DIGITAL).GetFloat());
  EXPECT_EQ(0.0, OfType(SV_STRING).GetDouble());
  EXPECT_EQ(0.0f, OfType(SV_BLOB).GetFloat());
}

TEST(ScriptValue, DoublesOutsideTheIntegerRangeDoNotTrap) {
  EXPECT_EQ(INT32_MIN, Double(1e20).GetInt());
  EXPECT_EQ(INT32_MIN, Double(-1e20).GetInt());
  EXPECT_EQ(INT64_MIN, Double(1e300).GetInt64());
  CScriptValue nan = Double(0.0);
  nan.m_value.d = nan.m_value.d / nan.m_value.d;
  EXPECT_EQ(INT32_MIN, nan.GetInt());
}

TEST(ScriptValue, ChangeTypeConvertsInPlaceAndKeepsTheOtherFields) {
  CScriptValue v = Double(2.9);
  v.m_quality = 0xC0;
  v.m_status = 3;
  v.m_time = 12345;
  EXPECT_EQ(1, v.ChangeType(SV_INT32));
  EXPECT_EQ(SV_INT32, v.m_type);
  EXPECT_EQ(2, v.m_value.i32);
  EXPECT_EQ(0, v.m_value.bytes[4] | v.m_value.bytes[5] | v.m_value.bytes[6] | v.m_value.bytes[7]);
  EXPECT_EQ(0xC0, v.m_quality);
  EXPECT_EQ(3, v.m_status);
  EXPECT_EQ(12345u, v.m_time);

  CScriptValue neg = Double(-2.9);
  EXPECT_EQ(1, neg.ChangeType(SV_INT32));
  EXPECT_EQ(-2, neg.m_value.i32);

  CScriptValue digital = Int(5, SV_DIGITAL);
  EXPECT_EQ(1, digital.ChangeType(SV_DIGITAL));
  EXPECT_EQ(5, digital.m_value.i32);

  CScriptValue wide = Int(-4);
  EXPECT_EQ(1, wide.ChangeType(SV_INT64));
  EXPECT_EQ(SV_INT64, wide.m_type);
  EXPECT_EQ(-4, wide.m_value.i64);

  CScriptValue text = OfType(SV_STRING);
  EXPECT_EQ(1, text.ChangeType(SV_DOUBLE));
  EXPECT_EQ(SV_DOUBLE, text.m_type);
  EXPECT_EQ(0.0, text.m_value.d);
}

TEST(ScriptValue, ChangeTypeToATypeOutsideTheTableLeavesTheRecord) {
  for (int target : {0, 6, 7, 8, 255, -1}) {
    SCOPED_TRACE(target);
    CScriptValue v = Double(1.5);
    EXPECT_EQ(1, v.ChangeType(target));
    EXPECT_EQ(SV_DOUBLE, v.m_type);
    EXPECT_EQ(1.5, v.m_value.d);
  }
}

TEST(ScriptValue, ADamagedSourceTypeClearsTheRecordAndFails) {
  CScriptValue v = OfType(8);
  v.m_time = 99;
  EXPECT_EQ(0, v.ChangeType(SV_INT32));
  const BYTE zero[16] = {};
  EXPECT_EQ(0, memcmp(&v, zero, sizeof zero));
}

struct FormatCase {
  CScriptValue value;
  const char* text;
};

TEST(ScriptValue, FormatUsesThePlatformRuntimesText) {
  const FormatCase cases[] = {
      {Int(-42), "-42"},
      {Int(5, SV_DIGITAL), "5"},
      {Int64(1000000000000LL), "1000000000000"},  // all thirteen digits
      {Int64(INT64_MIN), "-9223372036854775808"},
      {Double(1e6), "1E+006"},
      {Double(2.5), "2.5"},
      {Double(0.0001), "0.0001"},
      {Float(0.5f), "0.5"},
      {OfType(SV_STRING), ""},
      {OfType(SV_EMPTY), ""},
      {OfType(SV_BLOB), ""},
  };
  for (const FormatCase& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_STREQ(c.text, c.value.Format().GetString());
  }
}

}  // namespace
