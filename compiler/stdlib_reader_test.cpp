// The system-function list: line syntax, type names and the delivered file.
#include <gtest/gtest.h>

#include "context.h"
#include "reporter.h"
#include "stdlib_reader.h"
#include "test_support.h"

namespace tarnic {
namespace {

TEST(StdlibReader, LineSyntax) {
  std::unique_ptr<CSystemFunction> f =
      ParseSystemFunction(" 1 2 < unsigned char * > my Fn ( int , Double*, ... )");
  ASSERT_TRUE(f);
  EXPECT_EQ(f->id, 12);
  EXPECT_EQ(f->result, 20);
  EXPECT_EQ(f->name, "myFn");
  EXPECT_EQ(f->params, (std::vector<int>{5, 27, 28}));
  EXPECT_TRUE(f->TakesVariableArguments());

  std::unique_ptr<CSystemFunction> none = ParseSystemFunction("254<DWORD>GetTickCount()//tick");
  ASSERT_TRUE(none);
  EXPECT_TRUE(none->params.empty());
  EXPECT_EQ(none->result, 6);

  std::unique_ptr<CSystemFunction> unknown = ParseSystemFunction("7<thing>f(anytype, short int[])");
  ASSERT_TRUE(unknown);
  EXPECT_EQ(unknown->result, 0);
  EXPECT_EQ(unknown->params, (std::vector<int>{0, 12}));
}

TEST(StdlibReader, IgnoredLines) {
  const char* ignored[] = {"; 50<long>RGB(int)",
                           "50 long RGB(int)",
                           "50<long RGB(int)",
                           "50<long>RGB int",
                           "50<long>RGB(int",
                           "50<long>(int)",
                           ""};
  for (const char* line : ignored) EXPECT_FALSE(ParseSystemFunction(line)) << line;
}

TEST(StdlibReader, LaterLineReplacesAndLongLinesAreSkipped) {
  Reporter reporter;
  CCompilerContext context(reporter);
  std::string text = "1<int>f(int)\n2<double>f()\n3<int>g(" + std::string(1100, ' ') + ")\n4<int>h(char*)";
  LoadSystemFunctions(text, context);
  ASSERT_TRUE(context.FindSystem("f"));
  EXPECT_EQ(context.FindSystem("f")->id, 2);
  EXPECT_FALSE(context.FindSystem("g"));
  ASSERT_TRUE(context.FindSystem("h"));  // the last line needs no line end
  EXPECT_EQ(reporter.error_text(), "");
}

TEST(StdlibReader, MoreThanSixteenParametersAreRefusedWithAMessage) {
  Reporter reporter;
  CCompilerContext context(reporter);
  LoadSystemFunctions(
      "9<int>wide(int,int,int,int,int,int,int,int,int,int,int,int,int,int,int,int,int)\n"
      "10<int>ok(int,int,int,int,int,int,int,int,int,int,int,int,int,int,int,int)\n",
      context);
  EXPECT_FALSE(context.FindSystem("wide"));
  EXPECT_TRUE(context.FindSystem("ok"));
  EXPECT_EQ(reporter.error_text(), "Error C1002: Load system function \"wide\" fail\r\n");
}

TEST(StdlibReader, DeliveredListHasEveryFunction) {
  Reporter reporter;
  CCompilerContext context(reporter);
  LoadSystemFunctions(DeliveredStdlib(), context);
  struct Expected {
    const char* name;
    int id;
    size_t params;
    bool variadic;
  };
  const Expected expected[] = {
      {"RGB", 50, 3, false},
      {"abs", 100, 1, false},
      {"atol", 118, 1, false},
      {"strcat", 150, 2, false},
      {"strupr", 160, 1, false},
      {"sprintf", 200, 3, true},
      {"printf", 204, 2, true},
      {"snprintf", 205, 4, true},
      {"gcvt", 203, 3, false},
      {"time", 250, 0, false},
      {"LocalTime", 253, 7, false},
      {"EndCounTime", 256, 0, false},
      {"GetViewFlag", 1050, 1, false},
      {"MoveTo", 1054, 3, false},
      {"OpenPic", 1100, 1, false},
      {"ocx_GetVal", 1200, 3, true},
      {"ocx_SetVal", 1201, 3, true},
      {"ocx_Invoke", 1202, 3, true},
      {"dbr_GetDbVal", 1500, 2, true},
      {"dbr_GetLoaclVal", 1501, 2, true},
      {"dbr_SetLoaclVal", 1504, 2, true},
      {"dbr_GetDbBlob", 1508, 3, false},
      {"bt_GetCheck", 1600, 1, false},
      {"ed_GetText", 1605, 3, false},
      {"EnableWindow", 1680, 2, false},
  };
  for (const Expected& e : expected) {
    const CSystemFunction* f = context.FindSystem(e.name);
    ASSERT_TRUE(f) << e.name;
    EXPECT_EQ(f->id, e.id) << e.name;
    EXPECT_EQ(f->params.size(), e.params) << e.name;
    EXPECT_EQ(f->TakesVariableArguments(), e.variadic) << e.name;
  }
  EXPECT_EQ(reporter.error_text(), "");
}

TEST(StdlibReader, DeliveredFileIsGbkWithCrLf) {
  std::string bytes;
  FILE* f = std::fopen("..\\out\\sc\\stdlib.txt", "rb");
  ASSERT_TRUE(f);
  char buf[4096];
  size_t got;
  while ((got = std::fread(buf, 1, sizeof buf, f)) > 0) bytes.append(buf, got);
  std::fclose(f);
  EXPECT_NE(bytes.find("50<long>RGB(int,int,int)//颜色合成\r\n"), std::string::npos);
  for (size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] != '\n') continue;
    ASSERT_EQ(bytes[i - 1], '\r') << i;
  }
}

}  // namespace
}  // namespace tarnic
