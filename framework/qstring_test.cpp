// CString: GBK bytes, clamped substrings, double-byte aware searching.
#include "qstring.h"

#include <gtest/gtest.h>

namespace {

TEST(CStringTest, FormatUsesThePlatformPrintf) {
  CString s;
  s.Format("%G|%I64d|%s|%5.2f", 1e6, (long long)1 << 40, "值", 3.14159);
  EXPECT_EQ(s, "1E+006|1099511627776|值| 3.14");
  s.Format("%s", CString('z', 5000).GetString());  // longer than any fixed buffer
  EXPECT_EQ(s.GetLength(), 5000);
}

TEST(CStringTest, GbkBytesAreKeptAsTheyAre) {
  CString s = "错误";
  ASSERT_EQ(s.GetLength(), 4);
  EXPECT_EQ((unsigned char)s[0], 0xB4);
  EXPECT_EQ((unsigned char)s[1], 0xED);
  EXPECT_EQ((unsigned char)s[2], 0xCE);
  EXPECT_EQ((unsigned char)s[3], 0xF3);
  CString withZero("a\0b", 3);
  EXPECT_EQ(withZero.GetLength(), 3);
}

struct MidCase {
  int first, count;
  const char* want;
};

TEST(CStringTest, SubstringsAreClamped) {
  const CString s = "abcdef";
  const MidCase mids[] = {{0, 3, "abc"}, {2, 100, "cdef"}, {-5, 2, "ab"}, {6, 1, ""},
                          {10, 2, ""},   {3, 0, ""},       {3, -1, ""}};
  for (const auto& c : mids) EXPECT_EQ(s.Mid(c.first, c.count), c.want) << c.first << "," << c.count;
  EXPECT_EQ(s.Mid(4), "ef");
  EXPECT_EQ(s.Mid(-1), "abcdef");
  EXPECT_EQ(s.Left(2), "ab");
  EXPECT_EQ(s.Left(99), "abcdef");
  EXPECT_EQ(s.Left(-1), "");
  EXPECT_EQ(s.Right(2), "ef");
  EXPECT_EQ(s.Right(99), "abcdef");
  EXPECT_EQ(s.Right(0), "");
}

TEST(CStringTest, FindEdgeCases) {
  const CString s = "abcabc";
  EXPECT_EQ(s.Find('c'), 2);
  EXPECT_EQ(s.Find('c', 3), 5);
  EXPECT_EQ(s.Find('c', 6), -1);
  EXPECT_EQ(s.Find('x'), -1);
  EXPECT_EQ(s.Find("bc"), 1);
  EXPECT_EQ(s.Find("bc", 2), 4);
  EXPECT_EQ(s.Find("abcabcd"), -1);
  EXPECT_EQ(s.Find("", 0), 0);
  EXPECT_EQ(s.Find('a', -3), 0);
  EXPECT_EQ(s.ReverseFind('a'), 3);
  EXPECT_EQ(s.ReverseFind('z'), -1);
  EXPECT_EQ(CString().Find('a'), -1);
  EXPECT_EQ(CString().Find(""), 0);
}

// "\x95\x5C" is one GBK character whose trail byte is '\\'; "\x81\x41" one whose
// trail byte is 'A'.
TEST(CStringTest, SearchesNeverStopInsideADoubleByteCharacter) {
  const CString s = CString("\x95\x5C", 2) + "\\" + CString("\x81\x41", 2) + "A";
  EXPECT_EQ(s.Find('\\'), 2);
  EXPECT_EQ(s.ReverseFind('\\'), 2);
  EXPECT_EQ(s.Find('A'), 5);
  EXPECT_EQ(s.Find("\\"), 2);
  CString r = s;
  EXPECT_EQ(r.Replace('\\', '/'), 1);
  EXPECT_EQ(r, CString("\x95\x5C", 2) + "/" + CString("\x81\x41", 2) + "A");
  CString lower = s;
  lower.MakeLower();
  EXPECT_EQ(lower, CString("\x95\x5C", 2) + "\\" + CString("\x81\x41", 2) + "a");
  CString t = CString("\x95\x5C", 2) + "\\\\";
  t.TrimRight('\\');
  EXPECT_EQ(t, CString("\x95\x5C", 2));
}

TEST(CStringTest, CaseAndTrim) {
  CString s = "  Tag_Value 1\t\r\n";
  s.Trim();
  EXPECT_EQ(s, "Tag_Value 1");
  EXPECT_EQ(CString("abc").MakeUpper(), "ABC");
  EXPECT_EQ(CString("ABC").CompareNoCase("abc"), 0);
  EXPECT_LT(CString("abc").CompareNoCase("ABD"), 0);
  EXPECT_LT(CString("abc").Compare("abd"), 0);
  EXPECT_EQ(CString("x").Compare("x"), 0);
  EXPECT_TRUE(CString("a") < CString("b"));
  EXPECT_TRUE(CString("a") != "b");
}

TEST(CStringTest, ReplaceAndConcatenate) {
  CString s = "TV(a)+TV(b)";
  EXPECT_EQ(s.Replace("TV(", "LV("), 2);
  EXPECT_EQ(s, "LV(a)+LV(b)");
  EXPECT_EQ(s.Replace("", "x"), 0);
  EXPECT_EQ(s.Replace("+", ""), 1);
  EXPECT_EQ(s, "LV(a)LV(b)");
  CString t = CString("a") + "b" + 'c' + CString("d");
  t += "e";
  t += 'f';
  EXPECT_EQ(t, "abcdef");
  EXPECT_EQ("x" + CString("y"), "xy");
}

TEST(CStringTest, GetBufferReleaseBuffer) {
  CString s = "ab";
  char* p = s.GetBuffer(10);
  strcpy(p, "hello");
  s.ReleaseBuffer();
  EXPECT_EQ(s, "hello");
  p = s.GetBuffer(0);
  s.ReleaseBuffer(2);
  EXPECT_EQ(s, "he");
}

TEST(CStringTest, IndexingOutOfRangeIsHarmless) {
  CString s = "ab";
  EXPECT_EQ(s.GetAt(5), '\0');
  EXPECT_EQ(s.GetAt(-1), '\0');
  s.SetAt(9, 'x');
  s.SetAt(1, 'z');
  EXPECT_EQ(s, "az");
  EXPECT_EQ(CString((const char*)nullptr), "");
}

}  // namespace
