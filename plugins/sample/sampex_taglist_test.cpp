// The query page's tag list: what it keeps of each record, its row marks, the
// request to the picture window with its answers, and the picture windows of
// the system, which leave the request unanswered.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "qel/picmsg.h"
#include "qel/checkword.h"
#include "sampex_testutil.h"
#include "sampextaglist.h"
#include "testing/dialogscript.h"
#include "wndtest/wndtest_util.h"

namespace {

using sampextest::FakePicture;
using sampextest::Tag;
using Texts = std::vector<std::string>;

const char kQueryFailed[] = "查询错误，可能是实时库没连接!";

// A list on a window of the test, as the page holds it.
class SampexTagListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(wndtest::CreateTopLevel(parent_, false));
    ASSERT_TRUE(list_.Create(WS_CHILD | WS_VISIBLE, RECT{0, 0, 600, 200}, parent_, 0xFFFF));
  }
  Texts Column(int column) {
    Texts texts;
    for (int row = 0; row < list_.GetRowCount(); ++row) texts.push_back(list_.GetCellText(row, column).str());
    return texts;
  }
  std::vector<BYTE> Slot(int row) {
    std::vector<BYTE> slot(sizeof(QB_TAGATTR));
    EXPECT_TRUE(list_.GetRecord(row, slot.data()));
    return slot;
  }
  // The query with every box of the thread refused and counted.
  SampexQuery Query(HWND picture, const char* pattern, int* boxes) {
    sampextest::BoxGuard guard;
    const SampexQuery result = list_.Query(picture, pattern);
    *boxes = guard.Refused();
    return result;
  }

  CWnd parent_;
  CSampexTagList list_;
};

TEST_F(SampexTagListTest, TheRequestCarriesThePatternAndTheCheckWordOf219) {
  FakePicture picture;
  picture.batches = {{Tag("p1", 1), Tag("p2", 6)}};
  list_.Query(picture.Window(), "old");
  picture.batches = {{Tag("q1", 5, "流量", "t/h")}, {Tag("q2", 2)}};
  int boxes = -1;
  EXPECT_EQ(Query(picture.Window(), "q*", &boxes), SampexQuery::kDone);
  EXPECT_EQ(boxes, 0);
  EXPECT_EQ(picture.checkWord, MakeHostParam(219));
  EXPECT_EQ(picture.checkWord, 0xC9DD00DBu);
  EXPECT_EQ(picture.pattern1, "q*");
  EXPECT_EQ(picture.pattern2, "");
  EXPECT_EQ(picture.selector1, -1);
  EXPECT_EQ(picture.selector2, -1);
  EXPECT_EQ(picture.user, static_cast<void*>(&list_));
  // The list was emptied first and shows the database tag list's columns.
  ASSERT_EQ(list_.GetRowCount(), 2);
  EXPECT_EQ(Column(0), (Texts{"1", "2"}));
  EXPECT_EQ(Column(1), (Texts{"q1", "q2"}));
  EXPECT_EQ(Column(2), (Texts{"流量", "desc"}));
  EXPECT_EQ(Column(3), (Texts{"t/h", "m"}));
  EXPECT_EQ(Column(4), (Texts{"float64", "int32"}));
  EXPECT_EQ(list_.GetHeaderText(1).str(), "标签名");
  EXPECT_EQ(list_.GetRowBitmap(0), nullptr) << "Sampex's list shows no row bitmap";
}

TEST_F(SampexTagListTest, TheFirst192BytesAreKeptInASlotOfAWholeRecord) {
  FakePicture picture;
  const QB_TAGATTR tag = Tag("level", 5);
  picture.batches = {{tag}};
  list_.Query(picture.Window(), "");
  ASSERT_EQ(list_.GetRowCount(), 1);
  EXPECT_EQ(list_.Records().GetRecordSize(), 256);
  const std::vector<BYTE> slot = Slot(0);
  EXPECT_EQ(std::memcmp(slot.data(), &tag, 192), 0);
  for (int i = 192; i < 256; ++i) EXPECT_EQ(slot[i], 0) << i;
  EXPECT_FALSE(list_.IsMarked(0)) << "a record arrives unmarked";
}

TEST_F(SampexTagListTest, AMarkStaysInsideItsOwnSlot) {
  FakePicture picture;
  picture.batches = {{Tag("a", 1), Tag("b", 2)}};
  list_.Query(picture.Window(), "");
  const std::vector<BYTE> second = Slot(1);
  list_.SelectRow(0);
  EXPECT_TRUE(list_.IsMarked(0));
  EXPECT_FALSE(list_.IsMarked(1));
  EXPECT_EQ(Slot(1), second) << "marking row 0 wrote into row 1";
  EXPECT_EQ(Slot(0)[212], 1);
  list_.SelectRow(1);
  EXPECT_FALSE(list_.IsMarked(0));
  EXPECT_TRUE(list_.IsMarked(1));
  list_.SetMark(2, true);  // outside: nothing
  list_.SetMark(-1, true);
  EXPECT_FALSE(list_.IsMarked(2));
  EXPECT_FALSE(list_.IsMarked(-1));
}

TEST_F(SampexTagListTest, ThePageCallbackAppendsEveryRecordOfAPage) {
  std::vector<QB_TAGATTR> page = {Tag("t1", 1), Tag("t2", 2), Tag("t3", 3)};
  CRtdbTagList::OnQueryRecords(page.data(), 3, &list_);
  CRtdbTagList::OnQueryRecords(page.data(), 1, &list_);
  CRtdbTagList::OnQueryRecords(nullptr, 5, &list_);
  CRtdbTagList::OnQueryRecords(page.data(), 0, &list_);
  ASSERT_EQ(list_.Records().GetCount(), 4);
  list_.UpdateRows();
  EXPECT_EQ(Column(1), (Texts{"t1", "t2", "t3", "t1"}));
}

TEST_F(SampexTagListTest, AFailedQueryShowsTheBoxAndListsWhatArrived) {
  FakePicture picture;
  picture.batches = {{Tag("p1", 1)}};
  picture.answer = 31;
  SampexQuery result = SampexQuery::kDone;
  qeltest::DialogScript script;
  script.OnMessageBox("错误!", kQueryFailed, IDOK);
  script.Run([&] { result = list_.Query(picture.Window(), ""); });
  EXPECT_EQ(result, SampexQuery::kFailed);
  EXPECT_EQ(Column(1), (Texts{"p1"}));
}

TEST_F(SampexTagListTest, WithoutAPictureWindowNothingIsAskedAndNothingChanges) {
  FakePicture picture;
  picture.batches = {{Tag("kept", 1)}};
  list_.Query(picture.Window(), "");
  int boxes = -1;
  EXPECT_EQ(Query(nullptr, "x", &boxes), SampexQuery::kNoPicture);
  EXPECT_EQ(boxes, 0);
  EXPECT_EQ(picture.queries, 1);
  EXPECT_EQ(Column(1), (Texts{"kept"}));
}

// The picture windows of the system leave QPM_QUERYTAGS to the default
// handling: the list is emptied, stays empty, and no box is shown.
TEST_F(SampexTagListTest, ThePictureWindowsOfTheSystemAnswerZeroWithNoRecords) {
  const struct {
    const char* library;
    const char* windowClass;
  } windows[] = {{"..\\out\\QelRun.dll", "QELPICVIEW"}, {"..\\out\\QelCtrl.dll", "QELPICEDIT"}};
  for (const auto& w : windows) {
    HMODULE library = ::LoadLibraryA(w.library);
    ASSERT_NE(library, nullptr) << w.library;
    HWND picture =
        ::CreateWindowA(w.windowClass, "", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(picture, nullptr) << w.windowClass;
    std::vector<QB_TAGATTR> stale = {Tag("stale", 1)};
    CRtdbTagList::OnQueryRecords(stale.data(), 1, &list_);
    int boxes = -1;
    EXPECT_EQ(Query(picture, "", &boxes), SampexQuery::kDone) << w.windowClass;
    EXPECT_EQ(list_.GetRowCount(), 0) << w.windowClass;
    EXPECT_EQ(boxes, 0) << w.windowClass;
    ::DestroyWindow(picture);
    ::FreeLibrary(library);
  }
}

}  // namespace
