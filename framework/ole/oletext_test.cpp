#include <gtest/gtest.h>

#include "oletext.h"

namespace {

TEST(OleTextTest, GbkTextsTravelThroughWideTextsAndBstrsUnchanged) {
  const char* texts[] = {"", "abc", "测试控件", "混合 text 文字"};
  for (const char* text : texts) {
    QBstr b(text);
    ASSERT_NE(b.Get(), nullptr);
    EXPECT_EQ(TextFromBstr(b.Get()), text);
    EXPECT_EQ(TextFromWide(WideFromText(text).c_str()), text);
  }
  EXPECT_EQ(WideFromText("测试"), std::wstring(L"测试"));
}

TEST(OleTextTest, NullGivesEmptyTextsAndABstrTakesAllItsLength) {
  EXPECT_EQ(TextFromWide(nullptr), "");
  EXPECT_EQ(TextFromBstr(nullptr), "");
  QBstr empty(nullptr);
  ASSERT_NE(empty.Get(), nullptr);
  EXPECT_EQ(::SysStringLen(empty.Get()), 0u);
  BSTR withZero = ::SysAllocStringLen(L"a\0b", 3);
  CString text = TextFromBstr(withZero);
  EXPECT_EQ(text.GetLength(), 3);
  ::SysFreeString(withZero);
}

}  // namespace
