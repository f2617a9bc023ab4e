// Compiling the scripts of a picture with the delivered compiler
// sc\Tarnic.exe: through the export QEL_CompilePic and through the window's
// compile command.
#include <gtest/gtest.h>

#include "editctrl_harness.h"
#include "editctrl_pictures.h"

namespace edittest {
namespace {

const char kBadScript[] = "int main()\r\n{\r\n\treturn 0\r\n}\r\n";  // one error: the ';' is missing

class CompileScriptsTest : public EditWindowTest {
 protected:
  void SetUp() override {
    EditWindowTest::SetUp();
    RegisterModel();
  }
  std::vector<std::string> OutputTexts() {
    std::vector<std::string> texts;
    for (const Notice& n : Notices())
      if (n.msg == QCN_OUTPUTTEXT) {
        EXPECT_EQ(n.wp, 1u);
        texts.push_back(n.text);
      }
    return texts;
  }
};

TEST_F(CompileScriptsTest, ExportCountsTheBadScriptAndStoresTheGoodScriptsCode) {
  std::string path = FreshFolder("compile_export") + "two.pic";
  WriteScriptedPicture(path, {kGoodScript, kBadScript});
  EXPECT_EQ(CompilePicExport()(parent_, path.c_str(), CompilerPath().c_str()), 1);
  std::vector<std::vector<BYTE>> codes = StoredCode(path);
  ASSERT_EQ(codes.size(), 2u);
  EXPECT_TRUE(IsCodeByteFile(codes[0]));
  EXPECT_TRUE(codes[1].empty());
  std::vector<std::string> texts = OutputTexts();
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_NE(texts[0].find("obj2"), std::string::npos) << texts[0];
}

TEST_F(CompileScriptsTest, CompileCommandSendsTheOutputToTheParentAndSaves) {
  std::string folder = FreshFolder("compile_window");
  WriteScriptedPicture(folder + "w.pic", {kBadScript, kGoodScript});
  ASSERT_NE(MakeChild(400, 300), nullptr);
  SendText(QCM_PICFOLDER, folder);
  ASSERT_EQ(SendText(QCM_OPENPIC, "w.pic"), 0);
  Notices().clear();
  EXPECT_EQ(SendText(QCM_COMPILE, CompilerPath()), 1);
  EXPECT_EQ(OutputTexts().size(), 1u);
  std::vector<std::vector<BYTE>> codes = StoredCode(folder + "w.pic");
  ASSERT_EQ(codes.size(), 2u);
  EXPECT_TRUE(codes[0].empty());
  EXPECT_TRUE(IsCodeByteFile(codes[1]));
  EXPECT_EQ(Send(QCM_QUERY, QCQ_MODIFIED), 0);
}

TEST_F(CompileScriptsTest, WindowWithoutParentCompilesNothing) {
  std::string folder = FreshFolder("compile_orphan");
  WriteScriptedPicture(folder + "o.pic", {kBadScript});
  std::vector<BYTE> before = ReadBytes(folder + "o.pic");
  HWND orphan = ::CreateWindowExA(0, "QELPICEDIT", "", WS_POPUP, 0, 0, 300, 200, nullptr, nullptr,
                                  ::GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(orphan, nullptr);
  ::SendMessageA(orphan, QCM_PICFOLDER, 0, reinterpret_cast<LPARAM>(folder.c_str()));
  ASSERT_EQ(::SendMessageA(orphan, QCM_OPENPIC, 0, reinterpret_cast<LPARAM>("o.pic")), 0);
  EXPECT_EQ(::SendMessageA(orphan, QCM_COMPILE, 0, reinterpret_cast<LPARAM>(CompilerPath().c_str())), 0);
  ::DestroyWindow(orphan);
  EXPECT_EQ(ReadBytes(folder + "o.pic"), before);
}

}  // namespace
}  // namespace edittest
