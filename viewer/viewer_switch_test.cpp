// Picture switching: the request is kept and posted, only the last of
// several requests in one message is opened, and only after that message.
#include <gtest/gtest.h>

#include <memory>

#include "qel/picmsg.h"
#include "viewer_test_util.h"
#include "viewerapp.h"

using namespace viewertest;

namespace {

class PictureSwitchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_.WriteFile("QelView.ini", "[local]\nproject=p\nindexpic=a.pic\n");
    folder_.WriteFile("project\\p\\p.qel", ProjectBytes());
    folder_.WriteFile("project\\p\\pic\\a.pic", "picture A");
    folder_.WriteFile("project\\p\\pic\\b.pic", "picture B");
    folder_.WriteFile("project\\p\\pic\\sub\\c.pic", "picture C");
    app_.reset(new CViewerApp(folder_.Path()));
    ASSERT_TRUE(app_->InitInstance());
    ASSERT_EQ(Runtime().loads, std::vector<std::string>{"picture A"});
  }
  void TearDown() override { app_->ExitInstance(); }

  // A project of no tags and no entries.
  static std::string ProjectBytes() {
    return std::string("\x55\x77\xBC\xAC\x00\x00\x03\x00\x00\x00", 10) + std::string(8, '\0');
  }
  CRuntimeView* View() { return app_->GetFrame()->GetView(); }

  ScratchFolder folder_{"viewer_switch"};
  FakeRuntimeClass runtime_;
  BoxRecorder boxes_;
  std::unique_ptr<CViewerApp> app_;
};

TEST_F(PictureSwitchTest, TheSwitchWaitsForTheCurrentMessage) {
  RequestPictures({"b.pic"});
  // The link that asked is still on the old picture.
  EXPECT_EQ(Runtime().loads.size(), 1u);
  EXPECT_EQ(View()->GetPendingPicture(), "b.pic");
  PumpMessages();
  EXPECT_EQ(Runtime().loads, (std::vector<std::string>{"picture A", "picture B"}));
  EXPECT_EQ(View()->GetPendingPicture(), "");
  EXPECT_TRUE(Runtime().tablesMatchedOnLoad);
}

TEST_F(PictureSwitchTest, OfTwoRequestsInOneMessageOnlyTheLastOpens) {
  RequestPictures({"b.pic", "sub\\c.pic"});
  PumpMessages();
  EXPECT_EQ(Runtime().loads, (std::vector<std::string>{"picture A", "picture C"}));
}

TEST_F(PictureSwitchTest, ARequestMadeWhileAPictureLoadsIsKeptForItsOwnTurn) {
  Runtime().requestOnLoad = "sub\\c.pic";
  RequestPictures({"b.pic"});
  PumpMessages();
  EXPECT_EQ(Runtime().loads, (std::vector<std::string>{"picture A", "picture B", "picture C"}));
}

TEST_F(PictureSwitchTest, EmptyAndMissingNamesAreStoredAndIgnored) {
  RequestPictures({""});
  EXPECT_EQ(View()->GetPendingPicture(), "");
  RequestPictures({nullptr});
  PumpMessages();
  EXPECT_EQ(Runtime().loads.size(), 1u);
  // A later empty request replaces an earlier real one.
  RequestPictures({"b.pic", ""});
  PumpMessages();
  EXPECT_EQ(Runtime().loads.size(), 1u);
}

TEST_F(PictureSwitchTest, APictureThatCannotBeReadKeepsTheOldOneRunning) {
  RequestPictures({"nothing.pic"});
  PumpMessages();
  EXPECT_EQ(Runtime().loads.size(), 1u);
  EXPECT_FALSE(View()->OpenPicture("nothing.pic"));
}

TEST_F(PictureSwitchTest, SwitchingToTheShownPictureReloadsIt) {
  RequestPictures({"a.pic"});
  PumpMessages();
  EXPECT_EQ(Runtime().loads, (std::vector<std::string>{"picture A", "picture A"}));
}

TEST_F(PictureSwitchTest, AnEmptyPictureFileIsHandedOverAsItIs) {
  folder_.WriteFile("project\\p\\pic\\empty.pic", "");
  EXPECT_TRUE(View()->OpenPicture("empty.pic"));
  EXPECT_EQ(Runtime().loads.back(), "");
}

TEST_F(PictureSwitchTest, ALargePictureArrivesWhole) {
  std::string big;
  for (int i = 0; i < 50000; ++i) big += char('a' + i % 26);
  folder_.WriteFile("project\\p\\pic\\big.pic", big);
  EXPECT_TRUE(View()->OpenPicture("big.pic"));
  EXPECT_EQ(Runtime().loads.back(), big);
}

TEST_F(PictureSwitchTest, ViewChangedNoticesAreIgnored) {
  EXPECT_EQ(::SendMessageA(View()->GetSafeHwnd(), QCN_VIEWCHANGED, 1000, 0), 0);
  PumpMessages();
  EXPECT_EQ(Runtime().loads.size(), 1u);
}

}  // namespace
