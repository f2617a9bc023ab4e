// The database tag list: the query through the host's tag query callback,
// the records that arrive, and the box of a failed query.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "rtdbtaglist.h"
#include "taglisttest_util.h"

namespace {

using taglisttest::MessageBoxWatch;
using taglisttest::ServerTag;
using Texts = std::vector<std::string>;

// The host side of a query: what it was asked, the batches it delivers and
// the result it answers.
struct Host {
  std::vector<std::vector<QB_TAGATTR>> batches;
  int result = 0;
  int calls = 0;
  std::string pattern1, pattern2;
  int selector1 = 0, selector2 = 0;
  HostCallbackBlock block = {};

  Host() {
    block.context = this;
    block.pfnTagQuery = &Query;
  }
  static int __stdcall Query(void* context, const char* p1, const char* p2, int s1, int s2,
                             QB_TAGQUERYPROC proc, void* user) {
    Host* host = static_cast<Host*>(context);
    ++host->calls;
    host->pattern1 = p1 ? p1 : "(null)";
    host->pattern2 = p2 ? p2 : "(null)";
    host->selector1 = s1;
    host->selector2 = s2;
    for (auto& batch : host->batches) proc(batch.data(), (int)batch.size(), user);
    return host->result;
  }
};

struct ListFixture {
  CWnd parent;
  CRtdbTagList list;
  bool Create() {
    return taglisttest::CreateParent(parent) &&
           list.Create(WS_CHILD | WS_VISIBLE, RECT{0, 0, 600, 200}, parent, 1080);
  }
  Texts Column(int column) {
    Texts texts;
    for (int row = 0; row < list.GetRowCount(); ++row) texts.push_back(list.GetCellText(row, column).str());
    return texts;
  }
};

QB_TAGATTR Marked(QB_TAGATTR tag) {
  reinterpret_cast<BYTE*>(&tag)[212] = 1;
  return tag;
}

TEST(RtdbTagList, QueryListsTheRecordsOfEveryBatchWithTheirMarksCleared) {
  ListFixture f;
  ASSERT_TRUE(f.Create());
  Host host;
  host.batches = {{Marked(ServerTag("FIC101", 5, "流量", "t/h")), ServerTag("LS01", 1)},
                  {Marked(ServerTag("MSG", 6, "消息"))}};
  MessageBoxWatch boxes;
  EXPECT_EQ(0, f.list.Query(&host.block, "*1*"));
  EXPECT_TRUE(boxes.Boxes().empty());
  EXPECT_EQ(1, host.calls);
  EXPECT_EQ("*1*", host.pattern1);
  EXPECT_EQ("", host.pattern2);
  EXPECT_EQ(-1, host.selector1);
  EXPECT_EQ(-1, host.selector2);
  ASSERT_EQ(3, f.list.GetRowCount());
  EXPECT_EQ((Texts{"1", "2", "3"}), f.Column(0));
  EXPECT_EQ((Texts{"FIC101", "LS01", "MSG"}), f.Column(1));
  EXPECT_EQ((Texts{"流量", "", "消息"}), f.Column(2));
  EXPECT_EQ((Texts{"t/h", "", ""}), f.Column(3));
  EXPECT_EQ((Texts{"float64", "digital", "string"}), f.Column(4));
  for (int row = 0; row < 3; ++row) EXPECT_FALSE(f.list.IsMarked(row)) << row;
  EXPECT_EQ(5, f.list.GetColumnCount());
  EXPECT_EQ("类型", f.list.GetHeaderText(4).str());
  // Every row shows the plain tag bitmap.
  EXPECT_NE(nullptr, f.list.GetRowBitmap(0));
  EXPECT_EQ(f.list.GetRowBitmap(0), f.list.GetRowBitmap(2));

  // A second query replaces the rows.
  host.batches = {{ServerTag("X", 2)}};
  EXPECT_EQ(0, f.list.Query(&host.block, "X"));
  EXPECT_EQ((Texts{"X"}), f.Column(1));
}

TEST(RtdbTagList, AnEmptyPatternStillAsksTheHost) {
  ListFixture f;
  ASSERT_TRUE(f.Create());
  Host host;
  EXPECT_EQ(0, f.list.Query(&host.block, ""));
  EXPECT_EQ(1, host.calls);
  EXPECT_EQ("", host.pattern1);
  EXPECT_EQ(0, f.list.GetRowCount());
}

TEST(RtdbTagList, AFailedQueryShowsItsBoxAndTheRecordsThatArrived) {
  ListFixture f;
  ASSERT_TRUE(f.Create());
  Host host;
  host.batches = {{ServerTag("A", 2), ServerTag("B", 2)}};
  host.result = 31;
  MessageBoxWatch boxes;
  EXPECT_EQ(31, f.list.Query(&host.block, "*"));
  ASSERT_EQ(1u, boxes.Boxes().size());
  EXPECT_EQ("错误!", boxes.Boxes()[0].title);
  EXPECT_EQ("查询错误，可能是实时库没连接!", boxes.Boxes()[0].text);
  EXPECT_EQ((Texts{"A", "B"}), f.Column(1));
}

TEST(RtdbTagList, AHostWithoutQueryCallbackOrContextShowsTheBox) {
  ListFixture f;
  ASSERT_TRUE(f.Create());
  Host noCallback;
  noCallback.block.pfnTagQuery = nullptr;
  Host noContext;
  noContext.block.context = nullptr;
  const HostCallbackBlock* hosts[] = {&noCallback.block, &noContext.block, nullptr};
  for (const HostCallbackBlock* host : hosts) {
    MessageBoxWatch boxes;
    EXPECT_EQ(1, f.list.Query(host, "*"));
    ASSERT_EQ(1u, boxes.Boxes().size());
    EXPECT_EQ("查询错误，可能是实时库没连接!", boxes.Boxes()[0].text);
    EXPECT_EQ(0, f.list.GetRowCount());
  }
  EXPECT_EQ(0, noContext.calls);
}

// A server record whose texts fill their fields shows each field whole and
// nothing of the next one.
TEST(RtdbTagList, TextsWithoutTerminatorStopAtTheirFields) {
  ListFixture f;
  ASSERT_TRUE(f.Create());
  QB_TAGATTR tag = ServerTag("", 3);
  std::memset(tag.name, 'N', sizeof tag.name);
  std::memset(tag.description, 'D', sizeof tag.description);
  std::memset(tag.unit, 'U', sizeof tag.unit);
  Host host;
  host.batches = {{tag}};
  f.list.Query(&host.block, "");
  EXPECT_EQ(std::string(80, 'N'), f.list.GetCellText(0, 1).str());
  EXPECT_EQ(std::string(80, 'D'), f.list.GetCellText(0, 2).str());
  EXPECT_EQ(std::string(16, 'U'), f.list.GetCellText(0, 3).str());
}

TEST(RtdbTagList, SortsByTypeThenName) {
  ListFixture f;
  ASSERT_TRUE(f.Create());
  Host host;
  host.batches = {{ServerTag("b", 2), ServerTag("c", 1), ServerTag("a", 2)}};
  f.list.Query(&host.block, "");
  f.list.OnHeaderClick(4);
  EXPECT_EQ((Texts{"c", "a", "b"}), f.Column(1));
  f.list.OnHeaderClick(4);
  EXPECT_EQ((Texts{"b", "a", "c"}), f.Column(1));
}

}  // namespace
