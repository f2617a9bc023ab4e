// The platform's file, colour and font dialogs through their wrappers.
#include <gtest/gtest.h>

#include <string>

#include "dialogs/commondlg.h"
#include "testing/dialogscript.h"
#include "wndtest/wndtest_util.h"

namespace {

using qeltest::DialogDriver;
using qeltest::DialogScript;

const int kFileNameBoxes[] = {0x47C, 0x480};  // the name field of the explorer and the old style

TEST(FileFilter, BarsBecomeZerosAndTheListEndsInTwo) {
  EXPECT_EQ(QelFileFilter("WMF(*.wmf)|*.wmf||"), std::string("WMF(*.wmf)\0*.wmf\0\0\0\0", 20));
  EXPECT_EQ(QelFileFilter(""), std::string("\0\0", 2));
  EXPECT_EQ(QelFileFilter(nullptr), std::string("\0\0", 2));
}

class CommonDialogs : public ::testing::Test {
 protected:
  CWnd owner;
  bool ownerEnabledMeanwhile = true;
  void SetUp() override { ASSERT_TRUE(wndtest::CreateTopLevel(owner, true, "主窗口")); }
  void NoteOwner() { ownerEnabledMeanwhile = ::IsWindowEnabled(owner) != FALSE; }
};

TEST_F(CommonDialogs, AFileNameTypedIntoTheOpenDialogComesBackWhole) {
  CFileDialog dialog(TRUE, ".wmf", nullptr, OFN_HIDEREADONLY, "WMF(*.wmf)|*.wmf||", owner);
  dialog.SetTitle("导入图元文件");
  std::string caption;
  DialogScript script;
  script.OnAny([&](DialogDriver& d) {
    NoteOwner();
    caption = d.Caption();
    for (int id : kFileNameBoxes)
      if (d.IsVisible(id)) {
        d.Type(id, "C:\\qel_picture.wmf");
        break;
      }
    d.Click(IDOK);
  });
  INT_PTR result = 0;
  script.Run([&] { result = dialog.DoModal(); });
  EXPECT_EQ(result, IDOK);
  EXPECT_EQ(caption, "导入图元文件");
  EXPECT_FALSE(ownerEnabledMeanwhile);
  EXPECT_TRUE(::IsWindowEnabled(owner));
  EXPECT_EQ(dialog.GetPathName().CompareNoCase("C:\\qel_picture.wmf"), 0);
  EXPECT_EQ(dialog.GetFileName(), "qel_picture.wmf");
  EXPECT_EQ(dialog.GetFileExt(), "wmf");
  EXPECT_EQ(dialog.GetFileTitle(), "qel_picture");
}

TEST_F(CommonDialogs, ACancelledFileDialogAnswersCancel) {
  CFileDialog dialog(FALSE, nullptr, "x.pic", OFN_OVERWRITEPROMPT, nullptr, owner);
  DialogScript script;
  script.OnAny([](DialogDriver& d) { d.Click(IDCANCEL); });
  INT_PTR result = 0;
  script.Run([&] { result = dialog.DoModal(); });
  EXPECT_EQ(result, IDCANCEL);
}

TEST_F(CommonDialogs, TheColourDialogStartsAtTheColourGiven) {
  CColorDialog dialog(RGB(0x12, 0x34, 0x56), CC_FULLOPEN | CC_ANYCOLOR, owner);
  DialogScript script;
  script.OnAny([&](DialogDriver& d) {
    NoteOwner();
    d.Click(IDOK);
  });
  INT_PTR result = 0;
  script.Run([&] { result = dialog.DoModal(); });
  EXPECT_EQ(result, IDOK);
  EXPECT_FALSE(ownerEnabledMeanwhile);
  EXPECT_EQ(dialog.GetColor(), RGB(0x12, 0x34, 0x56));
}

int CALLBACK TakeHorizontalFace(const LOGFONTA* font, const TEXTMETRICA*, DWORD, LPARAM out) {
  if (font->lfFaceName[0] == '@') return 1;  // vertical variants are not listed by the dialog
  *reinterpret_cast<LOGFONTA*>(out) = *font;
  return 0;
}

TEST_F(CommonDialogs, TheFontDialogStartsAtTheFontGiven) {
  // A font this platform has, read at run time.
  LOGFONTA font = {};
  font.lfCharSet = DEFAULT_CHARSET;
  HDC screen = ::GetDC(nullptr);
  ::EnumFontFamiliesExA(screen, &font, TakeHorizontalFace, reinterpret_cast<LPARAM>(&font), 0);
  ::ReleaseDC(nullptr, screen);
  ASSERT_NE(font.lfFaceName[0], '\0');
  font.lfHeight = -12;
  font.lfWidth = 0;
  CFontDialog dialog(&font, 0, owner);
  DialogScript script;
  script.OnAny([](DialogDriver& d) { d.Click(IDOK); });
  INT_PTR result = 0;
  script.Run([&] { result = dialog.DoModal(); });
  EXPECT_EQ(result, IDOK);
  EXPECT_EQ(dialog.GetFaceName(), font.lfFaceName);
}

}  // namespace
