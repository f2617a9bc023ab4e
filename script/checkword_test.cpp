#include "qel/checkword.h"

#include <gtest/gtest.h>

namespace {

// CRC-16/XMODEM bit by bit, written independently of the table in the code.
WORD BitwiseCrc16(const BYTE* p, int n) {
  unsigned crc = 0;
  for (int i = 0; i < n; ++i) {
    crc ^= static_cast<unsigned>(p[i]) << 8;
    for (int bit = 0; bit < 8; ++bit) crc = (crc & 0x8000) ? ((crc << 1) ^ 0x1021) : (crc << 1);
    crc &= 0xFFFF;
  }
  return static_cast<WORD>(crc);
}

DWORD ExpectedParam(DWORD value) {
  const BYTE pair[2] = {static_cast<BYTE>(value & 0xFF), static_cast<BYTE>((value >> 8) & 0xFF)};
  return (static_cast<DWORD>(BitwiseCrc16(pair, 2)) << 16) | (value & 0xFFFF);
}

TEST(CheckWord, ServiceRequestCodeAndControlIdOne) {
  EXPECT_EQ(0xC9DD00DBu, MakeHostParam(219));
  EXPECT_EQ(0x33310001u, MakeHostParam(1));
}

TEST(CheckWord, Crc16HasTheXmodemCheckValue) { EXPECT_EQ(0x31C3, Crc16("123456789", 9)); }

TEST(CheckWord, NoBytesGiveZero) {
  EXPECT_EQ(0, Crc16("abc", 0));
  EXPECT_EQ(0, Crc16("abc", -1));
  EXPECT_EQ(0, Crc16(nullptr, 5));
}

TEST(CheckWord, ParamsMatchABitwiseCrcOfTheLowWord) {
  const DWORD values[] = {0, 2, 219, 1000, 1080, 0x1234, 0x7FFF, 0xFFFF, 0x10000 + 219, 0xABCD0001};
  for (DWORD v : values) {
    SCOPED_TRACE(v);
    EXPECT_EQ(ExpectedParam(v), MakeHostParam(v));  // the value is taken modulo 0x10000
    EXPECT_TRUE(IsHostParamValid(MakeHostParam(v)));
  }
}

TEST(CheckWord, AWrongHighWordIsRejected) {
  EXPECT_TRUE(IsHostParamValid(0xC9DD00DB));
  EXPECT_FALSE(IsHostParamValid(0xC9DC00DB));
  EXPECT_FALSE(IsHostParamValid(0x000000DB));
  EXPECT_FALSE(IsHostParamValid(219));
}

TEST(CheckWord, AnyLowWordWithItsCrcIsAccepted) {
  // Receivers check the pairing only, not which code the low word holds.
  EXPECT_TRUE(IsHostParamValid(MakeHostParam(1000)));
  EXPECT_TRUE(IsHostParamValid(MakeHostParam(0)));
}

}  // namespace
