// The editing window driven by messages: the view (scroll ranges, bars, the
// wheel, zoom), the state queries and the service requests.
#include <gtest/gtest.h>

#include "qel/checkword.h"
#include "editctrl_harness.h"

namespace edittest {
namespace {

class EditViewTest : public EditWindowTest {
 protected:
  // A new picture (960 x 680) in a window whose client is 500 x 400.
  void NewPictureInSmallWindow() {
    ASSERT_NE(MakeChild(500, 400), nullptr);
    folder_ = FreshFolder("view");
    SendText(QCM_PICFOLDER, folder_);
    ASSERT_EQ(SendText(QCM_NEWPIC, "view.pic"), 0);
    TakeNoticeNumbers();
  }
  std::string folder_;
};

TEST_F(EditViewTest, ZoomSetsTheRangesToThePictureSizeTimesTheZoom) {
  NewPictureInSmallWindow();
  EXPECT_EQ(Send(QCM_ZOOM, 0, 200), 0);
  SCROLLINFO h = Bar(SB_HORZ), v = Bar(SB_VERT);
  EXPECT_EQ(h.nMin, 0);
  EXPECT_EQ(h.nMax, 1920);
  EXPECT_EQ(h.nPage, 500u);
  EXPECT_EQ(v.nMax, 1360);
  EXPECT_EQ(v.nPage, 400u);
  const Notice* view = LastNotice(QCN_VIEWCHANGED);
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(view->wp, 1000u);
  EXPECT_EQ(view->view.zoom, 200);
  EXPECT_EQ(view->view.x, 0.0);
  EXPECT_EQ(view->view.zero, 0u);
}

TEST_F(EditViewTest, ZoomReportsThePercentSentNotTheTruncatedProduct) {
  NewPictureInSmallWindow();
  Send(QCM_ZOOM, 0, 29);  // 29 * 0.01 * 100 truncates to 28
  const Notice* view = LastNotice(QCN_VIEWCHANGED);
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(view->view.zoom, 29);
}

TEST_F(EditViewTest, ZoomOfZeroOrLessIsIgnored) {
  NewPictureInSmallWindow();
  Send(QCM_ZOOM, 0, 200);
  TakeNoticeNumbers();
  for (int bad : {0, -50}) {
    EXPECT_EQ(Send(QCM_ZOOM, 0, bad), 0);
    EXPECT_EQ(Bar(SB_HORZ).nMax, 1920) << bad;
  }
  EXPECT_TRUE(TakeNoticeNumbers().empty());
}

TEST_F(EditViewTest, ZoomWithoutPictureDoesNothing) {
  ASSERT_NE(MakeChild(500, 400), nullptr);
  EXPECT_EQ(Send(QCM_ZOOM, 0, 200), 0);
  EXPECT_TRUE(TakeNoticeNumbers().empty());
}

// Each request of a bar, from a given origin, to the origin it gives.
struct BarCase {
  UINT request;
  int from;
  int expected;
};

TEST_F(EditViewTest, VerticalBarRequestsMoveTheOriginAsTheTableSays) {
  NewPictureInSmallWindow();
  Send(QCM_ZOOM, 0, 200);  // vertical range 1360, page 400: end - page = 960
  const BarCase cases[] = {
      {SB_LINEDOWN, 0, 100},   {SB_LINEUP, 100, 0},      {SB_LINEUP, 0, 0},
      {SB_PAGEDOWN, 100, 500}, {SB_PAGEDOWN, 800, 960},  {SB_LINEDOWN, 900, 960},
      {SB_PAGEUP, 300, 0},     {SB_PAGEUP, 900, 500},    {SB_BOTTOM, 0, 960},
      {SB_TOP, 900, 0},        {SB_ENDSCROLL, 500, 500}, {SB_THUMBPOSITION, 500, 500},
  };
  for (const BarCase& c : cases) {
    Send(WM_VSCROLL, SB_TOP);
    for (int at = 0; at < c.from; at += 100) Send(WM_VSCROLL, SB_LINEDOWN);
    ASSERT_EQ(Bar(SB_VERT).nPos, c.from);
    Send(WM_VSCROLL, c.request);
    EXPECT_EQ(Bar(SB_VERT).nPos, c.expected) << "request " << c.request << " from " << c.from;
  }
}

TEST_F(EditViewTest, ScrollingSendsTheNewTopLeftPicturePoint) {
  NewPictureInSmallWindow();
  Send(QCM_ZOOM, 0, 200);
  TakeNoticeNumbers();
  Send(WM_HSCROLL, SB_LINEDOWN);
  const Notice* view = LastNotice(QCN_VIEWCHANGED);
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(view->view.x, 50.0);  // (0 + 100) / 2
  EXPECT_EQ(view->view.y, 0.0);
  EXPECT_EQ(view->view.zoom, 200);
  EXPECT_EQ(Bar(SB_HORZ).nPos, 100);
}

TEST_F(EditViewTest, ScrollingAtTheLimitSendsNothing) {
  NewPictureInSmallWindow();
  Send(WM_VSCROLL, SB_LINEUP);
  Send(WM_HSCROLL, SB_TOP);
  EXPECT_TRUE(TakeNoticeNumbers().empty());
}

TEST_F(EditViewTest, WheelScrollsBy64PixelsWhateverTheDelta) {
  NewPictureInSmallWindow();
  Send(QCM_ZOOM, 0, 200);
  const struct {
    short delta;
    int expected;
  } steps[] = {{-240, 64}, {-120, 128}, {-1, 192}, {240, 128}, {0, 128}, {120, 64}, {120, 0}};
  for (const auto& s : steps) {
    EXPECT_EQ(Send(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(s.delta)), 0), 1);
    EXPECT_EQ(Bar(SB_VERT).nPos, s.expected) << "delta " << s.delta;
  }
  const Notice* view = LastNotice(QCN_VIEWCHANGED);
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(view->view.y, 0.0);
}

TEST_F(EditViewTest, WheelAtTheTopSendsNothing) {
  NewPictureInSmallWindow();
  EXPECT_EQ(Send(WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0), 1);
  EXPECT_TRUE(TakeNoticeNumbers().empty());
}

TEST_F(EditViewTest, WheelWithoutVerticalRangeDoesNothing) {
  ASSERT_NE(MakeChild(1100, 800), nullptr);  // the whole picture fits
  SendText(QCM_PICFOLDER, FreshFolder("wheel"));
  SendText(QCM_NEWPIC, "w.pic");
  TakeNoticeNumbers();
  EXPECT_EQ(Send(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-120)), 0), 1);
  EXPECT_TRUE(TakeNoticeNumbers().empty());
}

TEST_F(EditViewTest, VerticalOriginWithinOneClientHeightIsResetWhenRangesAreRecomputed) {
  NewPictureInSmallWindow();
  Send(QCM_ZOOM, 0, 200);
  for (int i = 0; i < 3; ++i) Send(WM_VSCROLL, SB_LINEDOWN);
  ASSERT_EQ(Bar(SB_VERT).nPos, 300);
  Send(QCM_ZOOM, 0, 200);
  EXPECT_EQ(Bar(SB_VERT).nPos, 0);
}

TEST_F(EditViewTest, OriginBeyondTheNewRangeEndIsPulledBack) {
  NewPictureInSmallWindow();
  Send(QCM_ZOOM, 0, 200);
  Send(WM_HSCROLL, SB_BOTTOM);
  ASSERT_EQ(Bar(SB_HORZ).nPos, 1420);
  Send(QCM_ZOOM, 0, 100);  // range 960, page 500
  EXPECT_EQ(Bar(SB_HORZ).nPos, 460);
  const Notice* view = LastNotice(QCN_VIEWCHANGED);
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(view->view.x, 460.0);
}

TEST_F(EditViewTest, ResizingSendsTheView) {
  NewPictureInSmallWindow();
  ::SetWindowPos(child_, nullptr, 0, 0, 700, 600, SWP_NOMOVE | SWP_NOZORDER);
  std::vector<UINT> numbers = TakeNoticeNumbers();
  ASSERT_FALSE(numbers.empty());
  EXPECT_EQ(numbers.back(), static_cast<UINT>(QCN_VIEWCHANGED));
}

// ---- queries --------------------------------------------------------------------

class EditQueryTest : public EditWindowTest {};

TEST_F(EditQueryTest, CodesOfAnEmptyWindow) {
  ASSERT_NE(MakeChild(300, 200), nullptr);
  const struct {
    int code;
    LRESULT expected;
  } cases[] = {{QCQ_SELCOUNT, 0},
               {QCQ_CANUNDO, 0},
               {QCQ_CANREDO, 0},
               {QCQ_MULTISEL, 0},
               {QCQ_GROUPSEL, 0},
               {QCQ_ANYSEL, 0},
               {QCQ_SUBPICTURESEL, 0},
               {QCQ_TOOL, 0},
               {QCQ_MODIFIED, 0},
               {QCQ_SNAP, 1},
               {11, 0},
               {-1, 0},
               {1000, 0}};
  for (const auto& c : cases) EXPECT_EQ(Send(QCM_QUERY, c.code), c.expected) << "code " << c.code;
}

TEST_F(EditQueryTest, SnapGridTurnsTheSnapFlag) {
  ASSERT_NE(MakeChild(300, 200), nullptr);
  EXPECT_EQ(Send(QCM_SNAPGRID, 0, 0), 0);
  EXPECT_EQ(Send(QCM_QUERY, QCQ_SNAP), 0);
  Send(QCM_SNAPGRID, 0, 5);
  EXPECT_EQ(Send(QCM_QUERY, QCQ_SNAP), 1);
}

TEST_F(EditQueryTest, CanPasteFollowsTheClipboardFormat) {
  ASSERT_NE(MakeChild(300, 200), nullptr);
  UINT format = ::RegisterClipboardFormatA("QELPICCLIP");
  ASSERT_TRUE(::OpenClipboard(parent_));
  ::EmptyClipboard();
  ::CloseClipboard();
  EXPECT_EQ(Send(QCM_QUERY, QCQ_CANPASTE), 0);
  ASSERT_TRUE(::OpenClipboard(parent_));
  HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, 4);
  ::SetClipboardData(format, block);
  ::CloseClipboard();
  EXPECT_EQ(Send(QCM_QUERY, QCQ_CANPASTE), 1);
  ASSERT_TRUE(::OpenClipboard(parent_));
  ::EmptyClipboard();
  ::CloseClipboard();
}

// ---- service requests -------------------------------------------------------------

struct HostLog {
  int calls = 0;
  std::string name;
  int answer = 7;
};

int __stdcall ReadRealVar(void* context, const char* name, VarReply*) {
  auto* log = static_cast<HostLog*>(context);
  ++log->calls;
  log->name = name ? name : "";
  return log->answer;
}

int __stdcall ReadReal(void* context, QB_TAGVALUE*, int count) {
  auto* log = static_cast<HostLog*>(context);
  ++log->calls;
  return count;
}

class EditServiceTest : public EditWindowTest {
 protected:
  void SetUp() override {
    EditWindowTest::SetUp();
    ASSERT_NE(MakeChild(300, 200), nullptr);
  }
  void GiveHostTable() {
    HostCallbackBlock table = {};
    table.context = &log_;
    table.pfnReadRealVar = ReadRealVar;
    table.pfnReadReal = ReadReal;
    EXPECT_EQ(Send(QCM_SETHOSTCALLBACKS, 0, reinterpret_cast<LPARAM>(&table)), 0);
  }
  HostLog log_;
};

TEST_F(EditServiceTest, RequestReachesTheHostCallbackWithItsWords) {
  GiveHostTable();
  VarReply reply = {};
  VarTagRequest request = {"泵.压力", &reply};
  EXPECT_EQ(Send(QSM_READREALVAR, MakeHostParam(QSM_CHECKCODE), reinterpret_cast<LPARAM>(&request)), 7);
  EXPECT_EQ(log_.calls, 1);
  EXPECT_EQ(log_.name, "泵.压力");
  ReadRealRequest read = {nullptr, 42};
  EXPECT_EQ(Send(QSM_READREAL, MakeHostParam(QSM_CHECKCODE), reinterpret_cast<LPARAM>(&read)), 42);
}

TEST_F(EditServiceTest, BadCheckWordNullRecordOrMissingCallbackAnswerOne) {
  GiveHostTable();
  VarReply reply = {};
  VarTagRequest request = {"a", &reply};
  DWORD forged = MakeHostParam(QSM_CHECKCODE) ^ 0x00010000;
  EXPECT_EQ(Send(QSM_READREALVAR, forged, reinterpret_cast<LPARAM>(&request)), 1);
  EXPECT_EQ(Send(QSM_READREALVAR, MakeHostParam(QSM_CHECKCODE), 0), 1);
  ReadHisVarRequest his = {"a", 0, 0, &reply};
  EXPECT_EQ(Send(QSM_READHISVAR, MakeHostParam(QSM_CHECKCODE), reinterpret_cast<LPARAM>(&his)), 1);
  EXPECT_EQ(log_.calls, 0);
}

TEST_F(EditServiceTest, OtherLowWordWithMatchingCrcIsAccepted) {
  GiveHostTable();
  VarReply reply = {};
  VarTagRequest request = {"a", &reply};
  EXPECT_EQ(Send(QSM_READREALVAR, MakeHostParam(12345), reinterpret_cast<LPARAM>(&request)), 7);
}

TEST_F(EditServiceTest, WithoutHostTableEveryRequestAnswersOne) {
  VarReply reply = {};
  VarTagRequest request = {"a", &reply};
  EXPECT_EQ(Send(QSM_READREALVAR, MakeHostParam(QSM_CHECKCODE), reinterpret_cast<LPARAM>(&request)), 1);
}

TEST_F(EditServiceTest, RuntimeOnlyRequestsAnswerZeroAndFillNothing) {
  GiveHostTable();
  QB_VALUE value = {};
  value.type = 5;
  NumTagRequest request = {"a", &value};
  for (UINT msg : {QSM_READTAG, QSM_READLOCAL, QSM_WRITELOCAL})
    EXPECT_EQ(Send(msg, MakeHostParam(QSM_CHECKCODE), reinterpret_cast<LPARAM>(&request)), 0);
  EXPECT_EQ(value.type, 5);
  EXPECT_EQ(log_.calls, 0);
}

TEST_F(EditServiceTest, FireEventChecksOnlyTheCheckWord) {
  EXPECT_EQ(Send(QPM_FIREEVENT, MakeHostParam(1005), 0), 0);
  EXPECT_EQ(Send(QPM_FIREEVENT, 0x12345678, 0), 1);
}

TEST_F(EditServiceTest, LinkPictureNoticeHasNoEffect) {
  EXPECT_EQ(SendText(QCN_LINKPICTURE, "other.pic"), 0);
  EXPECT_TRUE(TakeNoticeNumbers().empty());
}

}  // namespace
}  // namespace edittest
