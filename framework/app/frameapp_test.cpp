// The application: recent files in the registry and the menu, profile
// values, the file types registered with the shell, the command line.
#include <gtest/gtest.h>

#include "app/regkey.h"
#include "boxrecorder.h"
#include "scratchfolder.h"
#include "test/frametest_app.h"

namespace frametest {
namespace {

class AppTest : public ::testing::Test {
 protected:
  std::string RegValue(const std::string& path, const char* name = nullptr) {
    CRegKey key;
    CString value;
    if (!key.Open(HKEY_CURRENT_USER, path.c_str()) || !key.QueryString(name, &value)) return "(none)";
    return value.GetString();
  }
  std::string Recent() const { return app_.OwnKey() + "\\FrameTest\\Recent File List"; }

  progtest::BoxRecorder boxes_;
  TestApp app_;
};

TEST_F(AppTest, TheRecentListPutsTheNewestFirstKeepsEachPathOnceAndAtMostItsSize) {
  CRecentFileList list(3);
  for (const char* path : {"C:\\a.qel", "C:\\b.qel", "c:\\A.QEL", "C:\\c.qel", "C:\\d.qel"}) list.Add(path);
  ASSERT_EQ(list.GetCount(), 3);
  EXPECT_EQ(list[0], "C:\\d.qel");
  EXPECT_EQ(list[1], "C:\\c.qel");
  EXPECT_EQ(list[2], "c:\\A.QEL");
  EXPECT_EQ(list.MenuText(0), "&1 C:\\d.qel");
}

TEST_F(AppTest, MenuTextsDoubleAmpersandsAndShortenLongPaths) {
  CRecentFileList list(2);
  list.Add("C:\\R&D\\x.qel");
  EXPECT_EQ(list.MenuText(0), "&1 C:\\R&&D\\x.qel");
  std::string longPath = "C:\\first\\" + std::string(80, 'm') + "\\last.qel";
  list.Add(longPath.c_str());
  EXPECT_EQ(list.MenuText(0), "&1 C:\\first\\...\\last.qel");
}

TEST_F(AppTest, TheRecentListIsWrittenToTheRegistryAndReadBack) {
  app_.LoadStdProfileSettings(4);
  for (const char* path : {"C:\\p1\\p1.qel", "C:\\p2\\p2.qel"}) app_.AddToRecentFileList(path);
  app_.SaveStdProfileSettings();
  EXPECT_EQ(RegValue(Recent(), "File1"), "C:\\p2\\p2.qel");
  EXPECT_EQ(RegValue(Recent(), "File2"), "C:\\p1\\p1.qel");
  EXPECT_EQ(RegValue(Recent(), "File3"), "(none)");
  app_.LoadStdProfileSettings(4);
  ASSERT_EQ(app_.GetRecentFileList()->GetCount(), 2);
  EXPECT_EQ((*app_.GetRecentFileList())[0], "C:\\p2\\p2.qel");
}

TEST_F(AppTest, TheFileMenuShowsTheRecentFilesInPlaceOfItsPlaceholder) {
  ASSERT_TRUE(app_.Start());
  app_.LoadStdProfileSettings(4);
  HMENU file = ::GetSubMenu(::GetMenu(app_.Frame()->m_hWnd), 0);
  auto items = [&] {
    app_.Frame()->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(file), 0);
    std::vector<std::string> texts;
    for (int i = 0, n = ::GetMenuItemCount(file); i < n; ++i) {
      char text[128] = "";
      ::GetMenuStringA(file, i, text, sizeof text, MF_BYPOSITION);
      texts.push_back(text);
    }
    return texts;
  };
  std::vector<std::string> empty = items();
  EXPECT_EQ(empty[3], "最近文件");
  EXPECT_NE(::GetMenuState(file, 3, MF_BYPOSITION) & MF_GRAYED, 0u);
  app_.AddToRecentFileList("C:\\x.tst");
  app_.AddToRecentFileList("C:\\y.tst");
  std::vector<std::string> two = items();
  ASSERT_EQ(two.size(), empty.size() + 1);
  EXPECT_EQ(two[3], "&1 C:\\y.tst");
  EXPECT_EQ(two[4], "&2 C:\\x.tst");
  EXPECT_EQ(two[6], "退出(&X)");
  EXPECT_EQ(::GetMenuState(file, 3, MF_BYPOSITION) & MF_GRAYED, 0u);
  EXPECT_EQ(items(), two);  // prepared again, the same
}

TEST_F(AppTest, ARecentFileThatCannotBeOpenedLeavesTheList) {
  ASSERT_TRUE(app_.Start());
  app_.LoadStdProfileSettings(4);
  app_.AddToRecentFileList("C:\\gone\\missing.tst");
  app_.Frame()->SendMessage(WM_COMMAND, ID_FILE_MRU_FILE1, 0);
  EXPECT_EQ(app_.GetRecentFileList()->GetCount(), 0);
  EXPECT_EQ(boxes_.shown.size(), 1u);
}

TEST_F(AppTest, ProfileValuesRoundTripAndMissingOnesGiveTheDefault) {
  EXPECT_EQ(app_.GetProfileString("设置", "名", "默认"), "默认");
  EXPECT_EQ(app_.GetProfileInt("设置", "数", 7), 7u);
  EXPECT_TRUE(app_.WriteProfileString("设置", "名", "值"));
  EXPECT_TRUE(app_.WriteProfileInt("设置", "数", 42));
  EXPECT_EQ(app_.GetProfileString("设置", "名", "默认"), "值");
  EXPECT_EQ(app_.GetProfileInt("设置", "数", 7), 42u);
  EXPECT_TRUE(app_.WriteProfileString("设置", "名", nullptr));
  EXPECT_EQ(app_.GetProfileString("设置", "名", "默认"), "默认");
}

TEST_F(AppTest, FileTypesAreRegisteredWithAPlainOpenCommand) {
  ASSERT_TRUE(app_.Start());
  app_.RegisterShellFileTypes();
  char program[MAX_PATH];
  ::GetModuleFileNameA(nullptr, program, MAX_PATH);
  std::string classes = app_.OwnKey() + "\\Classes";
  EXPECT_EQ(RegValue(classes + "\\.tst"), "QelFrameTest.Document");
  EXPECT_EQ(RegValue(classes + "\\QelFrameTest.Document"), "Qel Frame Test Document");
  EXPECT_EQ(RegValue(classes + "\\QelFrameTest.Document\\shell\\open\\command"),
            "\"" + std::string(program) + "\" \"%1\"");
  EXPECT_EQ(RegValue(classes + "\\QelFrameTest.Document\\DefaultIcon"), std::string(program) + ",1");
}

TEST_F(AppTest, AnExtensionClaimedByAnotherFileTypeIsLeftToIt) {
  ASSERT_TRUE(app_.Start());
  CRegKey key;
  std::string ext = app_.OwnKey() + "\\Classes\\.tst";
  ASSERT_TRUE(key.Create(HKEY_CURRENT_USER, ext.c_str()));
  key.SetString(nullptr, "Other.Type");
  app_.RegisterShellFileTypes();
  EXPECT_EQ(RegValue(ext), "Other.Type");
}

TEST(CommandLine, TheFirstFileIsOpenedAndFlagsAreIgnored) {
  const struct {
    std::vector<std::pair<const char*, BOOL>> params;
    CCommandLineInfo::ShellCommand command;
    const char* file;
  } kCases[] = {
      {{}, CCommandLineInfo::FileNew, ""},
      {{{"C:\\p\\p.qel", FALSE}}, CCommandLineInfo::FileOpen, "C:\\p\\p.qel"},
      {{{"x", TRUE}, {"a.qel", FALSE}, {"b.qel", FALSE}}, CCommandLineInfo::FileOpen, "a.qel"},
      {{{"dde", TRUE}}, CCommandLineInfo::FileNew, ""},
  };
  for (const auto& c : kCases) {
    CCommandLineInfo info;
    for (size_t i = 0; i < c.params.size(); ++i)
      info.ParseParam(c.params[i].first, c.params[i].second, i + 1 == c.params.size());
    EXPECT_EQ(info.m_nShellCommand, c.command);
    EXPECT_EQ(info.m_strFileName, c.file);
  }
}

}  // namespace
}  // namespace frametest
