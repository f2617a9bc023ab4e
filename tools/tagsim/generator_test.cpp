// Tag text, generators and filter expressions.
#include <gtest/gtest.h>

#include "expr.h"
#include "pattern.h"
#include "store.h"
#include "values.h"

namespace tagsim {
namespace {

TEST(TagsimGenerator, FunctionsOfTime) {
  struct Case {
    const char* recipe;
    double t;
    double expected;
  } cases[] = {
      {"ramp 0 100 60", 0, 0},    {"ramp 0 100 60", 30, 50},    {"ramp 0 100 60", 90, 50},
      {"ramp 100 0 10", 2.5, 75}, {"sine 50 10 40", 10, 60},    {"sine 50 10 40", 30, 40},
      {"toggle 5", 4.9, 0},       {"toggle 5", 5, 1},           {"toggle 5", 10, 0},
      {"counter 2 10", 35, 6},    {"counter 1 1 100", 250, 50}, {"const -3.5", 1e9, -3.5},
  };
  for (const Case& c : cases) {
    Generator g;
    std::string error;
    ASSERT_TRUE(Generator::Parse(c.recipe, false, &g, &error)) << c.recipe << ": " << error;
    EXPECT_NEAR(g.Number(c.t), c.expected, 1e-9) << c.recipe << " at " << c.t;
  }
}

TEST(TagsimGenerator, TextCycles) {
  Generator g;
  std::string error;
  ASSERT_TRUE(Generator::Parse("text 10 早班; 中班 ;夜班", true, &g, &error)) << error;
  EXPECT_EQ(g.Text(0), "早班");
  EXPECT_EQ(g.Text(15), "中班");
  EXPECT_EQ(g.Text(29), "夜班");
  EXPECT_EQ(g.Text(30), "早班");
}

TEST(TagsimGenerator, BadSpecsAreRefused) {
  const char* bad[] = {"wave 1 2 3", "ramp 0 100", "ramp 0 100 0", "toggle x", "const", "text 5 a;b"};
  for (const char* recipe : bad) {
    Generator g;
    std::string error;
    EXPECT_FALSE(Generator::Parse(recipe, false, &g, &error)) << recipe;
    EXPECT_FALSE(error.empty());
  }
}

TEST(TagsimTagText, LoadsTagsAndAccounts) {
  Store store;
  std::string error;
  ASSERT_TRUE(
      LoadTagText("# comment\n"
                  "T1 | float64 | ramp 0 10 10 | 温度 | ℃ | 2\n"
                  "T2 | string | const hello world\n"
                  "T3 | digital\n"
                  "[accounts]\n"
                  "admin | secret | 0x10\n",
                  &store, &error))
      << error;
  ASSERT_EQ(store.Tags().size(), 3u);
  const Tag* t1 = store.Find("T1");
  ASSERT_TRUE(t1);
  EXPECT_EQ(t1->type, kTypeFloat64);
  EXPECT_EQ(t1->description, "温度");
  EXPECT_EQ(t1->unit, "℃");
  EXPECT_EQ(t1->historySeconds, 2);
  EXPECT_EQ(store.Find("T2")->generator.Text(0), "hello world");
  Account* a = store.FindAccount("admin");
  ASSERT_TRUE(a);
  EXPECT_EQ(GetU32(&a->record[oprec::kRights]), 0x10u);
  Md5Digest d = Md5(std::string("secret"));
  EXPECT_EQ(0, std::memcmp(&a->record[oprec::kDigest], d.data(), 16));
}

// The tag file names types as the tag lists show them: each of the seven
// names reads back as its code; "void" (the lists' name of any other code) is
// no type a tag can have.
TEST(TagsimTagText, TypeNamesAreThoseOfTheTagLists) {
  const struct {
    const char* name;
    uint8_t type;
  } cases[] = {{"digital", kTypeDigital}, {"int32", kTypeInt32},     {"float32", kTypeFloat32},
               {"int64", kTypeInt64},     {"float64", kTypeFloat64}, {"string", kTypeString},
               {"blob", kTypeBlob}};
  for (const auto& c : cases) {
    Store store;
    std::string error;
    ASSERT_TRUE(LoadTagText(std::string("T | ") + c.name + "\n", &store, &error)) << c.name << error;
    EXPECT_EQ(store.Find("T")->type, c.type) << c.name;
  }
  Store store;
  std::string error;
  EXPECT_FALSE(LoadTagText("T | void\n", &store, &error));
}

TEST(TagsimTagText, ErrorsNameTheLine) {
  struct Case {
    const char* text;
    const char* line;
  } cases[] = {
      {"T1 | float64\nT2 | number\n", "line 2:"},
      {"\n\nT1 | int32 | text 5 a\n", "line 3:"},
      {"[other]\n", "line 1:"},
      {"[accounts]\nnameoversixteenchars | x\n", "line 2:"},
  };
  for (const Case& c : cases) {
    Store store;
    std::string error;
    EXPECT_FALSE(LoadTagText(c.text, &store, &error)) << c.text;
    EXPECT_EQ(error.compare(0, std::strlen(c.line), c.line), 0) << error;
  }
}

TEST(TagsimTagText, DemoFileLoads) {
  // The build copies the file beside tagsim.exe; tests run in <build>/tests.
  std::string path = "..\\tools\\demo-tags.txt";
  Server server;
  std::string error;
  ASSERT_TRUE(server.LoadTagsFromFile(path, &error)) << error;
  EXPECT_GE(server.TagCount(), 30u);
  std::string shift;
  ASSERT_TRUE(server.GetVarValue("SHIFT.NAME", &shift));
  EXPECT_TRUE(shift == "早班" || shift == "中班" || shift == "夜班");  // converted to GBK

  // A bad text changes nothing, not even by its good lines before the bad one.
  size_t before = server.TagCount();
  EXPECT_FALSE(server.LoadTagsFromString("NEW1 | int32\nNEW2 | number\n", &error));
  EXPECT_EQ(server.TagCount(), before);
  EXPECT_FALSE(server.HasTag("NEW1"));
}

TEST(TagsimExpression, Comparisons) {
  struct Case {
    const char* text;
    double value;
    bool ok;
    bool match;
  } cases[] = {
      {"", 5, true, true},           {"> 4", 5, true, true},   {"v >= 5", 5, true, true},
      {"value < 5", 5, true, false}, {"== 5", 5, true, true},  {"= 4", 5, true, false},
      {"!= 5", 5, true, false},      {"<> 4", 5, true, true},  {"<= -1e3", -2000, true, true},
      {"> abc", 5, false, false},    {"5 >", 5, false, false}, {"> 1 2", 5, false, false},
  };
  for (const Case& c : cases) {
    SampleFilter f;
    ASSERT_EQ(ParseFilterExpression(c.text, &f), c.ok) << c.text;
    if (!c.ok) continue;
    Value16 v = MakeValue(kTypeFloat64, c.value);
    EXPECT_EQ(!f || f(v), c.match) << c.text;
  }
}

TEST(TagsimPattern, WildcardsSubstringsAndCase) {
  struct Case {
    const char* pattern;
    const char* text;
    bool match;
  } cases[] = {
      {"", "TI101", true},
      {"ti1", "TI101", true},
      {"101.", "TI101", false},
      {"TI*", "TI101.PV", true},
      {"*.PV", "TI101.PV", true},
      {"*.pv", "TI101.SP", false},
      {"T?101*", "TI101.PV", true},
      {"T?101", "TI101.PV", false},
      {"*1*1*", "TI101", true},
      {"*a*a*a*a*a*a*a*a*b", "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa",
       false},
      {"温度*", "温度计", true},
      {"*", "", true},
      {"?", "", false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(PatternMatch(c.pattern, c.text), c.match) << c.pattern << " ~ " << c.text;
}

TEST(TagsimValues, ConversionsKeepTheTagType) {
  EXPECT_EQ(ValueAsDouble(ConvertValue(MakeValue(kTypeFloat64, 3.9), kTypeInt32)), 3);
  EXPECT_EQ(ValueAsDouble(ConvertValue(MakeValue(kTypeFloat64, -3.9), kTypeInt64)), -3);
  EXPECT_EQ(ValueAsInt64(ConvertValue(MakeInt64Value(0x100000005LL), kTypeInt32)), 5);
  EXPECT_FLOAT_EQ(float(ValueAsDouble(ConvertValue(MakeValue(kTypeInt32, 7), kTypeFloat32))), 7.0f);
  EXPECT_EQ(ValueAsInt64(ConvertValue(MakeValue(kTypeDigital, 1), kTypeInt64)), 1);
}

}  // namespace
}  // namespace tagsim
