// What the pickers insert: function texts after the first blank, and tag
// references by where the tag lives and its type.
#include <gtest/gtest.h>

#include "functionlists.h"
#include "pickinsert.h"

namespace {

TEST(FunctionInsertText, TakesTheTextAfterTheFirstBlank) {
  const struct {
    const char* item;
    const char* inserted;
  } cases[] = {
      {"int abs(int)", "abs(int)"},
      {"long   labs(long)", "  labs(long)"},  // blanks after the first one stay
      {"int    atoi(char *)", "   atoi(char *)"},
      {"bool dbr_SetLoaclStr(char* stagname, char* str);//设置本地字符串标签值",
       "dbr_SetLoaclStr(char* stagname, char* str);//设置本地字符串标签值"},
      {" leading", " leading"},  // a blank at position 0: the whole text
      {"noblank", "noblank"},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(c.inserted, FunctionInsertText(c.item).str()) << c.item;
  EXPECT_EQ("", FunctionInsertText(nullptr).str());
}

TEST(TagReferenceText, LocalAndDatabaseReferencesByType) {
  const struct {
    TagSource source;
    int type;
    const char* reference;
  } cases[] = {
      {TagSource::kLocal, 6, "LVV(demo_str)"},     {TagSource::kLocal, 7, "LVV(demo_str)"},
      {TagSource::kLocal, 1, "LV(demo_str)"},      {TagSource::kLocal, 5, "LV(demo_str)"},
      {TagSource::kLocal, 0, "LV(demo_str)"},      {TagSource::kDatabase, 6, "TVV(demo_str)"},
      {TagSource::kDatabase, 7, "TVV(demo_str)"},  {TagSource::kDatabase, 3, "TV(demo_str)"},
      {TagSource::kDatabase, 200, "TV(demo_str)"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(c.reference, TagReferenceText(c.source, c.type, "demo_str").str()) << c.type;
}

TEST(FunctionLists, HoldTheNineteenExpressionFunctionsAndElevenCategories) {
  EXPECT_STREQ("int abs(int)", kExpressionFunctions[0]);
  EXPECT_STREQ("double log10(double)", kExpressionFunctions[10]);
  EXPECT_STREQ("int    atoi(char *)", kExpressionFunctions[18]);
  const int counts[kScriptCategoryCount] = {19, 11, 5, 7, 9, 5, 1, 5, 0, 3, 1};
  for (int c = 0; c < kScriptCategoryCount; ++c)
    EXPECT_EQ(counts[c], kScriptFunctionCatalog[c].count) << kScriptFunctionCatalog[c].name;
  EXPECT_STREQ("QEL插件接口", kScriptFunctionCatalog[8].name);
  EXPECT_STREQ("long RGB(int r, int g, int b);//颜色合成", kScriptFunctionCatalog[10].items[0]);
}

}  // namespace
