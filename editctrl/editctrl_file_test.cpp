// Opening, creating and saving picture files through the window's messages.
#include <gtest/gtest.h>

#include "editctrl_harness.h"
#include "drawbutton.h"
#include "drawgroup.h"
#include "editctrl_pictures.h"
#include "picfile.h"
#include "picobj.h"
#include "streamtest_util.h"

namespace edittest {
namespace {

class EditFileTest : public EditWindowTest {
 protected:
  void SetUp() override {
    EditWindowTest::SetUp();
    RegisterModel();
    ASSERT_NE(MakeChild(500, 400), nullptr);
  }
  void UseFolder(const char* name) {
    folder_ = FreshFolder(name);
    SendText(QCM_PICFOLDER, folder_);
  }
  std::string folder_;
};

TEST_F(EditFileTest, NewPictureFileIsTheModelsEmptyPicture) {
  UseFolder("new");
  EXPECT_EQ(SendText(QCM_NEWPIC, "新画面.pic"), 0);
  CPicObj empty;
  empty.EnsureLayer();
  EXPECT_EQ(ReadBytes(folder_ + "新画面.pic"), StorePictureBytes(empty));
  std::vector<Notice> notices = Notices();
  std::vector<UINT> numbers = TakeNoticeNumbers();
  EXPECT_EQ(numbers, (std::vector<UINT>{QCN_VIEWCHANGED, QCN_PROPERTIES, QCN_EVENTLINKS}));
  ASSERT_EQ(notices.size(), 3u);
  for (const Notice& n : notices) EXPECT_EQ(n.wp, 1000u);
  EXPECT_EQ(notices[0].view.zoom, 100);
  EXPECT_EQ(notices[0].view.x, 0.0);
  EXPECT_EQ(notices[0].view.y, 0.0);
  // Nothing is selected: the picture's own properties, its name the file name.
  bool sawName = false;
  for (size_t i = 0; i < notices[1].props.size(); ++i)
    if (notices[1].props[i].id == PROP_PICNAME) {
      sawName = true;
      EXPECT_EQ(notices[1].propTexts[i], "新画面.pic");
    }
  EXPECT_TRUE(sawName);
  EXPECT_TRUE(notices[2].kinds.empty());
  EXPECT_EQ(Send(QCM_QUERY, QCQ_MODIFIED), 0);
}

TEST_F(EditFileTest, NewPictureInAFolderThatCannotHoldFilesKeepsThePicture) {
  SendText(QCM_PICFOLDER, "Z:\\no such folder\\at all\\");
  EXPECT_EQ(SendText(QCM_NEWPIC, "x.pic"), 0);
  // The picture is there, but it has no file to be saved into.
  EXPECT_EQ(Send(QCM_SAVEPIC), 1);
}

TEST_F(EditFileTest, OpenThenSaveRewritesTheSameBytes) {
  UseFolder("roundtrip");
  std::vector<BYTE> original = SamplePictureBytes("p.pic");
  WriteBytes(folder_ + "p.pic", original);
  EXPECT_EQ(SendText(QCM_OPENPIC, "p.pic"), 0);
  EXPECT_EQ(TakeNoticeNumbers(), (std::vector<UINT>{QCN_VIEWCHANGED, QCN_PROPERTIES, QCN_EVENTLINKS}));
  WriteBytes(folder_ + "p.pic", std::vector<BYTE>(original.size() + 300, 0xEE));
  EXPECT_EQ(Send(QCM_SAVEPIC), 0);
  EXPECT_EQ(ReadBytes(folder_ + "p.pic"), original);
}

TEST_F(EditFileTest, OpenSetsThePictureNameToTheFileName) {
  UseFolder("rename");
  WriteBytes(folder_ + "b.pic", SamplePictureBytes("a.pic"));
  ASSERT_EQ(SendText(QCM_OPENPIC, "b.pic"), 0);
  ASSERT_EQ(Send(QCM_SAVEPIC), 0);
  EXPECT_EQ(ReadBytes(folder_ + "b.pic"), SamplePictureBytes("b.pic"));
}

TEST_F(EditFileTest, OpenResetsZoomAndOrigin) {
  UseFolder("reset");
  WriteBytes(folder_ + "p.pic", SamplePictureBytes("p.pic"));
  ASSERT_EQ(SendText(QCM_OPENPIC, "p.pic"), 0);
  Send(QCM_ZOOM, 0, 300);
  Send(WM_HSCROLL, SB_BOTTOM);
  ASSERT_EQ(SendText(QCM_OPENPIC, "p.pic"), 0);
  EXPECT_EQ(Bar(SB_HORZ).nPos, 0);
  EXPECT_EQ(Bar(SB_HORZ).nMax, 640);
  const Notice* view = LastNotice(QCN_VIEWCHANGED);
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(view->view.zoom, 100);
}

TEST_F(EditFileTest, MissingFileAnswersOneAndLeavesNoPicture) {
  UseFolder("missing");
  ASSERT_EQ(SendText(QCM_NEWPIC, "there.pic"), 0);
  EXPECT_EQ(SendText(QCM_OPENPIC, "not-there.pic"), 1);
  EXPECT_EQ(Send(QCM_SAVEPIC), 2);  // the previous picture is gone
  EXPECT_EQ(Send(QCM_QUERY, QCQ_MODIFIED), 0);
}

TEST_F(EditFileTest, DamagedFileAnswersOneAndLeavesNoPicture) {
  UseFolder("damaged");
  std::vector<BYTE> bytes = SamplePictureBytes("d.pic");
  bytes.resize(bytes.size() / 2);
  const std::vector<std::vector<BYTE>> damaged = {
      bytes, std::vector<BYTE>{'h', 'e', 'l', 'l', 'o', '\r', '\n'}, std::vector<BYTE>{}};
  for (const auto& content : damaged) {
    WriteBytes(folder_ + "d.pic", content);
    ASSERT_EQ(SendText(QCM_NEWPIC, "other.pic"), 0);
    EXPECT_EQ(SendText(QCM_OPENPIC, "d.pic"), 1) << content.size();
    EXPECT_EQ(Send(QCM_SAVEPIC), 2);
    EXPECT_EQ(ReadBytes(folder_ + "d.pic"), content);
  }
}

TEST_F(EditFileTest, PictureNestedTooDeepAnswersOneAndOneAtTheBoundOpensAndSaves) {
  UseFolder("nested");
  WriteBytes(folder_ + "deep.pic", streamtest::NestedGroupBytes(10000));
  ASSERT_EQ(SendText(QCM_NEWPIC, "other.pic"), 0);
  EXPECT_EQ(SendText(QCM_OPENPIC, "deep.pic"), 1);
  EXPECT_EQ(Send(QCM_SAVEPIC), 2);

  const std::vector<BYTE> atBound = streamtest::NestedGroupBytes(CDrawGroup::kMaxNesting);
  WriteBytes(folder_ + "bound.pic", atBound);
  ASSERT_EQ(SendText(QCM_OPENPIC, "bound.pic"), 0);
  ::UpdateWindow(child_);  // draws every level
  ASSERT_EQ(Send(QCM_SAVEPIC), 0);
  // Saved as it was read, but for the name that opening gave the picture.
  std::vector<BYTE> expected = {9, 'b', 'o', 'u', 'n', 'd', '.', 'p', 'i', 'c'};
  expected.insert(expected.end(), atBound.begin() + 1, atBound.end());
  EXPECT_EQ(ReadBytes(folder_ + "bound.pic"), expected);
}

// A picture holding a push button, whose window is a child of the editing window.
std::vector<BYTE> ButtonPictureBytes(const char* fileName) {
  RegisterModel();
  CPicObj picture;
  picture.m_strName = fileName;
  picture.EnsureLayer();
  auto* button = new CDrawPushBt;
  button->m_rect = CRectD(40, 40, 140, 70);
  static_cast<CPicLayer*>(picture.m_layers.GetHead())->m_objects.AddTail(button);
  return StorePictureBytes(picture);
}

HWND FirstChild(HWND parent) { return ::GetWindow(parent, GW_CHILD); }

TEST_F(EditFileTest, ControlWindowsFollowZoomAndScrollAndGoWithThePicture) {
  UseFolder("controls");
  WriteBytes(folder_ + "c.pic", ButtonPictureBytes("c.pic"));
  ASSERT_EQ(SendText(QCM_OPENPIC, "c.pic"), 0);
  HWND button = FirstChild(child_);
  ASSERT_NE(button, nullptr);
  RECT r;
  ::GetWindowRect(button, &r);
  ::MapWindowPoints(nullptr, child_, reinterpret_cast<POINT*>(&r), 2);
  EXPECT_EQ(r.left, 40);
  EXPECT_EQ(r.right - r.left, 100);
  Send(QCM_ZOOM, 0, 200);
  Send(WM_HSCROLL, SB_LINEDOWN);  // origin x 100
  ::GetWindowRect(button, &r);
  ::MapWindowPoints(nullptr, child_, reinterpret_cast<POINT*>(&r), 2);
  // The model places the window (its own rounding); it follows the view.
  EXPECT_NEAR(r.left, 80 - 100, 1);
  EXPECT_NEAR(r.right - r.left, 200, 1);
  ASSERT_EQ(SendText(QCM_OPENPIC, "missing.pic"), 1);
  EXPECT_EQ(FirstChild(child_), nullptr);
  // Destroyed with its control windows still open (in the tear-down).
  ASSERT_EQ(SendText(QCM_OPENPIC, "c.pic"), 0);
  EXPECT_NE(FirstChild(child_), nullptr);
}

TEST_F(EditFileTest, SaveWithoutPictureAnswersTwo) { EXPECT_EQ(Send(QCM_SAVEPIC), 2); }

TEST_F(EditFileTest, SaveAfterTheFileWasDeletedAnswersOne) {
  UseFolder("deleted");
  ASSERT_EQ(SendText(QCM_NEWPIC, "gone.pic"), 0);
  ASSERT_TRUE(::DeleteFileA((folder_ + "gone.pic").c_str()));
  EXPECT_EQ(Send(QCM_SAVEPIC), 1);
  EXPECT_EQ(::GetFileAttributesA((folder_ + "gone.pic").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(EditFileTest, CompileWithoutPictureAnswersZero) {
  EXPECT_EQ(SendText(QCM_COMPILE, "C:\\sc\\Tarnic.exe"), 0);
}

}  // namespace
}  // namespace edittest
