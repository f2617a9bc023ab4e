#include "crtformat.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

TEST(Platform, AnsiCodePageIs936) { EXPECT_EQ(GetACP(), 936u); }

struct FormatCase {
  const char* fmt;
  double d;
  const char* want;
};

TEST(CrtFormat, UsesThePlatformRuntimeRules) {
  const FormatCase cases[] = {
      {"%G", 1e6, "1E+006"},  {"%G", 0.1, "0.1"},      {"%G", 100000.0, "100000"},
      {"%g", 1e-5, "1e-005"}, {"%.2f", 2.345, "2.35"},
  };
  for (const auto& c : cases) EXPECT_EQ(qel::FormatStr(c.fmt, c.d), c.want) << c.fmt;
  EXPECT_EQ(qel::FormatStr("%I64d", (long long)-(1LL << 40)), "-1099511627776");
}

TEST(CrtFormat, CutsToTheBufferAndTerminates) {
  char buf[6];
  EXPECT_EQ(qel::Format(buf, sizeof buf, "%s", "abcdefghij"), 5);
  EXPECT_STREQ(buf, "abcde");
  EXPECT_EQ(qel::Format(buf, sizeof buf, "%d", 12345), 5);
  EXPECT_STREQ(buf, "12345");
}

TEST(CrtFormat, GrowsForLongText) {
  std::string big(5000, 'x');
  EXPECT_EQ(qel::FormatStr("<%s>", big.c_str()).size(), 5002u);
}

TEST(Platform, StringLiteralsAreGbk) {
  const unsigned char* s = reinterpret_cast<const unsigned char*>("错误");
  const unsigned char want[] = {0xB4, 0xED, 0xCE, 0xF3, 0};
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(s)), std::string(reinterpret_cast<const char*>(want)));
}
