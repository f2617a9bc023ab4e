// The query page's tag query: the records kept, their row marks, and the
// request to the picture window with its answers.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "../../editctrl/picmsg.h"
#include "checkword.h"
#include "sampex_testutil.h"
#include "sampextagquery.h"

namespace {

QB_TAGATTR Tag(const char* name, BYTE type) {
  QB_TAGATTR tag;
  std::memset(&tag, 0xEE, sizeof tag);  // the bytes past 192 must not be kept
  tag.type = type;
  std::strcpy(tag.name, name);
  std::strcpy(tag.description, "desc");
  std::strcpy(tag.unit, "m");
  return tag;
}

TEST(SampexTagRecords, TheFirst192BytesAreKeptInASlotOfAWholeRecord) {
  CSampexTagRecords records;
  const QB_TAGATTR tag = Tag("level", 5);
  ASSERT_TRUE(records.AppendRecord(tag));
  ASSERT_EQ(records.GetCount(), 1);
  EXPECT_EQ(records.GetRecordSize(), 256);
  const BYTE* slot = records.GetAt(0);
  EXPECT_EQ(std::memcmp(slot, &tag, 192), 0);
  for (int i = 192; i < 256; ++i) EXPECT_EQ(slot[i], 0) << i;
  EXPECT_FALSE(records.IsMarked(0)) << "a record arrives unmarked";
  EXPECT_STREQ(records.GetRecord(0)->name, "level");
  EXPECT_STREQ(records.GetRecord(0)->unit, "m");
}

TEST(SampexTagRecords, AMarkStaysInsideItsOwnSlot) {
  CSampexTagRecords records;
  records.AppendRecord(Tag("a", 1));
  records.AppendRecord(Tag("b", 2));
  const std::vector<BYTE> second(records.GetAt(1), records.GetAt(1) + 256);
  records.SetMark(0, true);
  EXPECT_TRUE(records.IsMarked(0));
  EXPECT_FALSE(records.IsMarked(1));
  EXPECT_EQ(std::vector<BYTE>(records.GetAt(1), records.GetAt(1) + 256), second);
  EXPECT_EQ(records.GetAt(0)[CSampexTagRecords::kMarkOffset], 1);
  records.SetMark(1, true);
  records.SetMark(0, false);
  EXPECT_FALSE(records.IsMarked(0));
  EXPECT_TRUE(records.IsMarked(1));
  records.SetMark(2, true);  // outside: nothing
  records.SetMark(-1, true);
  EXPECT_FALSE(records.IsMarked(2));
  EXPECT_FALSE(records.IsMarked(-1));
}

TEST(SampexTagRecords, ThePageCallbackAppendsEveryRecordOfAPage) {
  CSampexTagRecords records;
  std::vector<QB_TAGATTR> page = {Tag("t1", 1), Tag("t2", 2), Tag("t3", 3)};
  CSampexTagRecords::OnQueryRecords(page.data(), 3, &records);
  CSampexTagRecords::OnQueryRecords(page.data(), 1, &records);
  CSampexTagRecords::OnQueryRecords(nullptr, 5, &records);
  CSampexTagRecords::OnQueryRecords(page.data(), 0, &records);
  ASSERT_EQ(records.GetCount(), 4);
  EXPECT_STREQ(records.GetRecord(2)->name, "t3");
  EXPECT_STREQ(records.GetRecord(3)->name, "t1");
}

// A picture window of the test: answers QPM_QUERYTAGS with `answer` after
// delivering `page` through the request's callback, and keeps the request.
struct FakePicture {
  LRESULT answer = 0;
  std::vector<QB_TAGATTR> page;
  int queries = 0;
  DWORD checkWord = 0;
  std::string pattern1, pattern2;
  int selector1 = 0, selector2 = 0;
  void* user = nullptr;
};
FakePicture g_fake;

LRESULT CALLBACK FakeProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg != QPM_QUERYTAGS) return ::DefWindowProcA(hwnd, msg, wp, lp);
  const auto* r = reinterpret_cast<const TagQueryRequest*>(lp);
  ++g_fake.queries;
  g_fake.checkWord = static_cast<DWORD>(wp);
  g_fake.pattern1 = r->pattern1;
  g_fake.pattern2 = r->pattern2;
  g_fake.selector1 = r->selector1;
  g_fake.selector2 = r->selector2;
  g_fake.user = r->user;
  if (!g_fake.page.empty()) r->proc(g_fake.page.data(), static_cast<int>(g_fake.page.size()), r->user);
  return g_fake.answer;
}

class SampexTagQueryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g_fake = FakePicture();
    WNDCLASSA wc = {};
    wc.lpfnWndProc = FakeProc;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.lpszClassName = "SampexFakePicture";
    ::RegisterClassA(&wc);
    picture_ = ::CreateWindowA("SampexFakePicture", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                               wc.hInstance, nullptr);
    ASSERT_NE(picture_, nullptr);
  }
  void TearDown() override { ::DestroyWindow(picture_); }

  HWND picture_ = nullptr;
  CSampexTagRecords records_;
};

TEST_F(SampexTagQueryTest, TheRequestCarriesThePatternAndTheCheckWordOf219) {
  g_fake.page = {Tag("p1", 1), Tag("p2", 6)};
  records_.AppendRecord(Tag("old", 1));
  EXPECT_EQ(QueryTags(picture_, "p*", records_), SampexQuery::kDone);
  EXPECT_EQ(g_fake.checkWord, MakeHostParam(219));
  EXPECT_EQ(g_fake.checkWord, 0xC9DD00DBu);
  EXPECT_EQ(g_fake.pattern1, "p*");
  EXPECT_EQ(g_fake.pattern2, "");
  EXPECT_EQ(g_fake.selector1, -1);
  EXPECT_EQ(g_fake.selector2, -1);
  EXPECT_EQ(g_fake.user, &records_);
  ASSERT_EQ(records_.GetCount(), 2) << "the list was emptied first";
  EXPECT_STREQ(records_.GetRecord(1)->name, "p2");
}

TEST_F(SampexTagQueryTest, AFailedQueryShowsTheBoxAndKeepsWhatArrived) {
  g_fake.page = {Tag("p1", 1)};
  g_fake.answer = 31;
  sampextest::BoxGuard boxes;
  EXPECT_EQ(RunTagQuery(nullptr, picture_, "", records_), SampexQuery::kFailed);
  EXPECT_EQ(boxes.Refused(), 1);
  EXPECT_EQ(records_.GetCount(), 1);
}

TEST_F(SampexTagQueryTest, WithoutAPictureWindowNothingIsAsked) {
  records_.AppendRecord(Tag("kept", 1));
  sampextest::BoxGuard boxes;
  EXPECT_EQ(RunTagQuery(nullptr, nullptr, "x", records_), SampexQuery::kNoPicture);
  EXPECT_EQ(records_.GetCount(), 1);
  EXPECT_EQ(boxes.Refused(), 0);
}

// The picture windows of the system leave QPM_QUERYTAGS to the default
// handling: the list stays empty and no box is shown.
TEST(SampexTagQueryPictureWindows, AnswerZeroWithNoRecords) {
  const struct {
    const char* library;
    const char* windowClass;
  } windows[] = {{"..\\out\\QelRun.dll", "QELPICVIEW"}, {"..\\out\\QelCtrl.dll", "QELPICEDIT"}};
  for (const auto& w : windows) {
    HMODULE library = ::LoadLibraryA(w.library);
    ASSERT_NE(library, nullptr) << w.library;
    HWND picture = ::CreateWindowA(w.windowClass, "", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr,
                                   nullptr, nullptr);
    ASSERT_NE(picture, nullptr) << w.windowClass;
    CSampexTagRecords records;
    records.AppendRecord(Tag("stale", 1));
    sampextest::BoxGuard boxes;
    EXPECT_EQ(RunTagQuery(nullptr, picture, "", records), SampexQuery::kDone) << w.windowClass;
    EXPECT_EQ(records.GetCount(), 0) << w.windowClass;
    EXPECT_EQ(boxes.Refused(), 0) << w.windowClass;
    ::DestroyWindow(picture);
    ::FreeLibrary(library);
  }
}

}  // namespace
