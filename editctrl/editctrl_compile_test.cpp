// Compiling pictures: the export QEL_CompilePic and the window's compile
// command.
#include <gtest/gtest.h>

#include "editctrl_harness.h"

namespace edittest {
namespace {

TEST(CompilePicExportTest, IsExportedUndecorated) { EXPECT_NE(CompilePicExport(), nullptr); }

TEST(CompilePicExportTest, MissingOrForeignFileAnswersMinusOne) {
  CompilePicFn compile = CompilePicExport();
  ASSERT_NE(compile, nullptr);
  std::string folder = FreshFolder("compile_bad");
  EXPECT_EQ(compile(nullptr, (folder + "none.pic").c_str(), "Tarnic.exe"), -1);
  const std::vector<BYTE> text = {'n', 'o', 't', ' ', 'a', ' ', 'p', 'i', 'c', 't', 'u', 'r', 'e'};
  WriteBytes(folder + "text.pic", text);
  EXPECT_EQ(compile(nullptr, (folder + "text.pic").c_str(), "Tarnic.exe"), -1);
  EXPECT_EQ(ReadBytes(folder + "text.pic"), text);
  EXPECT_EQ(compile(nullptr, nullptr, "Tarnic.exe"), -1);
}

}  // namespace
}  // namespace edittest
