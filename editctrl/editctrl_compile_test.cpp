// The export QEL_CompilePic on files it cannot compile, and on a picture
// without scripts.
#include <gtest/gtest.h>

#include "editctrl_harness.h"
#include "editctrl_pictures.h"

namespace edittest {
namespace {

void AgeFile(const std::string& path) {
  HANDLE h = ::CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  FILETIME old = {0, 0x01C00000};  // long ago
  ::SetFileTime(h, nullptr, nullptr, &old);
  ::CloseHandle(h);
}

FILETIME WriteTime(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data = {};
  ::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data);
  return data.ftLastWriteTime;
}

TEST(CompilePicExportTest, IsExportedUndecorated) { EXPECT_NE(CompilePicExport(), nullptr); }

TEST(CompilePicExportTest, MissingOrForeignFileAnswersMinusOne) {
  CompilePicFn compile = CompilePicExport();
  ASSERT_NE(compile, nullptr);
  std::string folder = FreshFolder("compile_bad");
  EXPECT_EQ(compile(nullptr, (folder + "none.pic").c_str(), CompilerPath().c_str()), -1);
  const std::vector<BYTE> text = {'n', 'o', 't', ' ', 'a', ' ', 'p', 'i', 'c', 't', 'u', 'r', 'e'};
  WriteBytes(folder + "text.pic", text);
  EXPECT_EQ(compile(nullptr, (folder + "text.pic").c_str(), CompilerPath().c_str()), -1);
  EXPECT_EQ(ReadBytes(folder + "text.pic"), text);
  EXPECT_EQ(compile(nullptr, nullptr, CompilerPath().c_str()), -1);
}

TEST(CompilePicExportTest, PictureWithoutScriptsAnswersZeroAndIsRewritten) {
  CompilePicFn compile = CompilePicExport();
  ASSERT_NE(compile, nullptr);
  std::string path = FreshFolder("compile_none") + "plain.pic";
  WriteScriptedPicture(path, {});
  std::vector<BYTE> before = ReadBytes(path);
  AgeFile(path);
  FILETIME aged = WriteTime(path);
  EXPECT_EQ(compile(nullptr, path.c_str(), CompilerPath().c_str()), 0);
  FILETIME after = WriteTime(path);
  EXPECT_NE(::CompareFileTime(&aged, &after), 0) << "the file was not written";
  EXPECT_EQ(ReadBytes(path), before);
}

}  // namespace
}  // namespace edittest
