// Copy, cut and paste through "QELPICCLIP": the paste offsets, damaged data,
// and a copy carried from one editing window into another.
#include <gtest/gtest.h>

#include "editctrl_inproc.h"
#include "editctrl_pictures.h"

namespace edittest {
namespace {

using ClipboardTest = InProcessEditTest;

TEST_F(ClipboardTest, PastesLieSixteenFurtherEachUntilTheNextCopy) {
  CDrawObj* original = AddRect(40, 40);
  wnd_->Select(original, false);
  Send(QCM_COPY);
  EXPECT_EQ(Query(QCQ_CANPASTE), 1);
  Send(QCM_PASTE);
  EXPECT_EQ(FrameOf(wnd_->GetSelection().front()).left, 56);
  Send(QCM_PASTE);
  EXPECT_EQ(FrameOf(wnd_->GetSelection().front()).left, 72);
  EXPECT_EQ(FrameOf(wnd_->GetSelection().front()).top, 72);
  Send(QCM_COPY);  // the set at 72
  Send(QCM_PASTE);
  EXPECT_EQ(FrameOf(wnd_->GetSelection().front()).left, 88);
  EXPECT_EQ(Objects().size(), 4u);
  EXPECT_EQ(Query(QCQ_SELCOUNT), 1);
  EXPECT_EQ(FrameOf(original).left, 40);
}

TEST_F(ClipboardTest, CutCopiesRemovesAndCanBeUndone) {
  CDrawObj* a = AddRect(40, 40);
  AddRect(200, 40);
  wnd_->Select(a, false);
  TakeNoticeNumbers();
  Send(QCM_CUT);
  EXPECT_EQ(Objects().size(), 1u);
  EXPECT_EQ(Query(QCQ_SELCOUNT), 0);
  EXPECT_EQ(TakeNoticeNumbers(), (std::vector<UINT>{QCN_PROPERTIES, QCN_EVENTLINKS}));
  Send(QCM_PASTE);
  EXPECT_EQ(FrameOf(wnd_->GetSelection().front()).left, 56);
  Send(QCM_UNDO);
  Send(QCM_UNDO);
  EXPECT_EQ(Objects().size(), 2u);
}

TEST_F(ClipboardTest, DamagedOrForeignDataPastesNothingAndSavesNoState) {
  const std::vector<std::vector<BYTE>> foreign = {
      {0x01, 0x00, 0xFF, 0xFF, 0x05, 0x00, 'C', 'N', 'o', 'n', 'e'},
      {0x05, 0x00},
      {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF},
  };
  for (const std::vector<BYTE>& bytes : foreign) {
    PutClipboardBytes(child_, bytes);
    Send(QCM_PASTE);
    EXPECT_TRUE(Objects().empty());
    EXPECT_EQ(Query(QCQ_CANUNDO), 0);
  }
}

TEST_F(ClipboardTest, PasteWithoutAPictureDoesNothing) {
  CDrawObj* a = AddRect(40, 40);
  wnd_->Select(a, false);
  Send(QCM_COPY);
  SendText(QCM_OPENPIC, "missing.pic");  // leaves the window without a picture
  Send(QCM_PASTE);
  Send(QCM_UNDO);
  Send(QCM_REDO);
  EXPECT_EQ(wnd_->GetPicture(), nullptr);
}

// Two editing windows of the library, as two pictures of the editor.
class TwoWindowClipboardTest : public EditWindowTest {
 protected:
  void SetUp() override {
    EditWindowTest::SetUp();
    RegisterModel();
    std::string folder = FreshFolder("clip");
    WriteBytes(folder + "a.pic", SamplePictureBytes("a.pic"));
    ASSERT_NE(MakeChild(500, 400), nullptr);
    SendText(QCM_PICFOLDER, folder);
    ASSERT_EQ(SendText(QCM_OPENPIC, "a.pic"), 0);
    second_ = ::CreateWindowExA(0, "QELPICEDIT", "", WS_CHILD | WS_VISIBLE, 0, 0, 520, 420, parent_,
                                reinterpret_cast<HMENU>(1001), ::GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(second_, nullptr);
    ::SendMessageA(second_, QCM_PICFOLDER, 0, reinterpret_cast<LPARAM>(folder.c_str()));
    ASSERT_EQ(::SendMessageA(second_, QCM_NEWPIC, 0, reinterpret_cast<LPARAM>("b.pic")), 0);
  }
  void TearDown() override {
    if (second_) ::DestroyWindow(second_);
    EditWindowTest::TearDown();
  }
  HWND second_ = nullptr;
};

TEST_F(TwoWindowClipboardTest, CopyPastedIntoAnotherWindowRoundTripsByteForByte) {
  Send(QCM_SELECTTOOL, 0, 0);
  Drag(4, 4, 300, 200);  // the band around the sample's rectangle
  ASSERT_EQ(Send(QCM_QUERY, QCQ_SELCOUNT), 1);
  Send(QCM_COPY);
  const std::vector<BYTE> copied = ClipboardBytes(child_);
  ASSERT_FALSE(copied.empty());
  ::SendMessageA(second_, QCM_PASTE, 0, 0);
  ASSERT_EQ(::SendMessageA(second_, QCM_QUERY, QCQ_SELCOUNT, 0), 1);
  ASSERT_EQ(::SendMessageA(second_, QCM_QUERY, QCQ_CANUNDO, 0), 1);
  // Back by the paste offset (two grid steps each way), then copied again.
  for (UINT key : {VK_LEFT, VK_LEFT, VK_UP, VK_UP}) ::SendMessageA(second_, WM_KEYDOWN, key, 0);
  ::SendMessageA(second_, QCM_COPY, 0, 0);
  EXPECT_EQ(ClipboardBytes(second_), copied);
}

}  // namespace
}  // namespace edittest
