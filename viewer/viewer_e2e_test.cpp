// The viewer program itself, started as a child process in a program folder
// of the test's own: the message boxes of a failed start, and with the
// runtime window of QelRun.dll the demo project running live against the
// simulated tag server, a button switching pictures, the context menu and
// the exit question.
#include <gtest/gtest.h>

#include "crtformat.h"
#include "demoproject.h"
#include "tagsim.h"
#include "programprocess.h"
#include "windowpixels.h"
#include "viewer_test_util.h"
#include "viewertexts.h"

using namespace viewertest;
using namespace progtest;

namespace {

const DWORD kStartMs = 30000;  // a first Wine start can be slow
const DWORD kStepMs = 15000;
const char kAppTitle[] = "QelView";
const char kFrameClass[] = "QelViewMainFrame";

// Where the demo's column T201 lies on the screen (the frame covers the
// desktop and pictures run unzoomed): its level fills it from the bottom.
const int kTankX = 530;
const int kTankLowY = 520;   // within the bottom fifth
const int kTankHighY = 250;  // within the top quarter
const COLORREF kWater = RGB(40, 150, 255);

// A message the frame's thread answers only between two of its messages:
// once it is back, whatever the previous message decided has been done.
bool RoundTrip(HWND window) {
  DWORD_PTR result = 0;
  return ::SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, kStepMs, &result) != 0;
}

// The first visible window of the program that lies above the window where
// it shows, or null (other programs of the shared test display are none of
// its business). The window manager's z-order, not the display's pixels.
HWND OwnWindowAbove(HWND window, DWORD pid) {
  RECT r;
  ::GetWindowRect(window, &r);
  for (HWND above = ::GetWindow(window, GW_HWNDPREV); above; above = ::GetWindow(above, GW_HWNDPREV)) {
    DWORD owner = 0;
    ::GetWindowThreadProcessId(above, &owner);
    RECT a, overlap;
    if (owner == pid && ::IsWindowVisible(above) && ::GetWindowRect(above, &a) &&
        ::IntersectRect(&overlap, &a, &r))
      return above;
  }
  return nullptr;
}

std::string Describe(HWND window) {
  char cls[64] = "", title[128] = "";
  ::GetClassNameA(window, cls, sizeof cls);
  ::GetWindowTextA(window, title, sizeof title);
  RECT r = {};
  ::GetWindowRect(window, &r);
  return qel::FormatStr("%s \"%s\" at %ld,%ld-%ld,%ld", cls, title, r.left, r.top, r.right, r.bottom);
}

bool HaveRuntime() { return ::GetFileAttributesA("..\\out\\QelRun.dll") != INVALID_FILE_ATTRIBUTES; }

class ViewerProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    demo::RegisterDemoClasses();
    ::CreateDirectoryA((folder_.Path() + "sc").c_str(), nullptr);
    for (const char* file : {"QelView.exe", "qel3api.dll", "sc\\stdlib.txt"}) {
      ASSERT_TRUE(CopyProgramFile(file, folder_.Path())) << file;
    }
    if (HaveRuntime()) {
      ASSERT_TRUE(CopyProgramFile("QelRun.dll", folder_.Path()));
    }
  }

  // Answers a box of the viewer: checks its text and that no window of the
  // viewer (its full-screen frame) covers it, presses the button and waits
  // until it is gone. The box is visible before it is activated and its
  // program's windows have been put in their order: the order is read once
  // its thread answers from the box's own loop, and until it holds (a box
  // that stays below a window of its program fails after the limit).
  void Answer(const char* title, const std::string& text, int button) {
    HWND box = viewer_.WaitForBox(title, kStartMs);
    ASSERT_NE(box, nullptr) << "no box \"" << title << "\" for " << text;
    EXPECT_EQ(BoxText(box), text);
    ASSERT_TRUE(RoundTrip(box)) << "the box's thread never answered: " << text;
    HWND above = nullptr;
    EXPECT_TRUE(WaitFor([&] { return (above = OwnWindowAbove(box, viewer_.Pid())) == nullptr; }, kStepMs))
        << text << ": below " << Describe(above);
    PressButton(box, button);
    ASSERT_TRUE(WaitUntilGone(box, kStepMs));
  }

  // Writes the demo project with its server entry on that port, starts the
  // viewer on it and finds its frame.
  void StartDemo(DWORD port) {
    std::string error;
    ASSERT_TRUE(demo::WriteDemoProject(folder_.Path(), &error, port)) << error;
    ASSERT_TRUE(viewer_.Start(folder_.Path()));
    frame_ = viewer_.WaitForWindow(kFrameClass, kAppTitle, kStartMs);
    ASSERT_NE(frame_, nullptr);
  }

  ScratchFolder folder_{"viewer_e2e"};
  ProgramProcess viewer_{"QelView.exe"};
  HWND frame_ = nullptr;
};

TEST_F(ViewerProgramTest, WithoutSettingsFileBothBoxesThenTheEnd) {
  ASSERT_TRUE(viewer_.Start(folder_.Path()));
  Answer(kAppTitle, "没有找到<QelView.ini>配置文件!", IDOK);
  Answer(kAppTitle, "没有指定开始画面!", IDOK);
  EXPECT_TRUE(viewer_.WaitForExit(kStepMs));
}

// The project reads, so the frame would cover the desktop: the message still
// stands above it.
TEST_F(ViewerProgramTest, WithoutAStartPictureTheBoxStandsAboveTheFrameThenTheEnd) {
  std::string error;
  ASSERT_TRUE(demo::WriteDemoProject(folder_.Path(), &error)) << error;
  folder_.WriteFile("QelView.ini", "[local]\r\nproject=demo\r\n");
  ASSERT_TRUE(viewer_.Start(folder_.Path()));
  Answer(kAppTitle, "没有指定开始画面!", IDOK);
  EXPECT_TRUE(viewer_.WaitForExit(kStepMs));
}

TEST_F(ViewerProgramTest, ADamagedProjectIsReportedAndTheProgramEnds) {
  std::string error;
  ASSERT_TRUE(demo::WriteDemoProject(folder_.Path(), &error)) << error;
  const std::string good = folder_.ReadFile("project\\demo\\demo.qel");
  folder_.WriteFile("project\\demo\\demo.qel", good.substr(0, good.size() / 2));
  ASSERT_TRUE(viewer_.Start(folder_.Path()));
  Answer(kAppTitle, qel::FormatStr("读入工程文件<%sproject/demo/demo.qel>错误!", folder_.Path().c_str()),
         IDOK);
  DWORD code = 0;
  EXPECT_TRUE(viewer_.WaitForExit(kStepMs, &code));
  EXPECT_EQ(folder_.ReadFile("project\\demo\\demo.qel"), good.substr(0, good.size() / 2));
}

TEST_F(ViewerProgramTest, ExitAsksAndOnlyYesEndsTheProgram) {
  // The demo project with no server and (possibly) no runtime window.
  StartDemo(1);
  ASSERT_NE(frame_, nullptr);
  ::PostMessageA(frame_, WM_CLOSE, 0, 0);
  Answer(kTitleExitQuestion, "是否要退出QelView?", IDNO);
  EXPECT_TRUE(RoundTrip(frame_)) << "the frame is gone";
  EXPECT_TRUE(viewer_.Running());
  ::PostMessageA(frame_, WM_SYSCOMMAND, SC_CLOSE, 0);
  Answer(kTitleExitQuestion, "是否要退出QelView?", IDCANCEL);
  EXPECT_TRUE(RoundTrip(frame_)) << "the frame is gone";
  EXPECT_TRUE(viewer_.Running());
  ::PostMessageA(frame_, WM_CLOSE, 0, 0);
  Answer(kTitleExitQuestion, "是否要退出QelView?", IDYES);
  DWORD code = 1;
  EXPECT_TRUE(viewer_.WaitForExit(kStepMs, &code));
  EXPECT_EQ(code, 0u);
}

// The demo project running against the simulated server.
class ViewerLiveTest : public ViewerProgramTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(HaveRuntime()) << "QelRun.dll is not built";
    ViewerProgramTest::SetUp();
    std::string error;
    ASSERT_TRUE(sim_.LoadTagsFromFile("..\\tools\\demo-tags.txt", &error)) << error;
    ASSERT_TRUE(sim_.Start("127.0.0.1", 0, &error)) << error;
    SetLevel(75);
    StartDemo(sim_.Port());
    ASSERT_NE(frame_, nullptr);
    runtime_ = ::GetDlgItem(::GetDlgItem(frame_, ID_VIEWER_VIEW), ID_RUNTIME_WINDOW);
    ASSERT_NE(runtime_, nullptr);
  }
  void TearDown() override {
    if (viewer_.Running() && frame_) {
      ::PostMessageA(frame_, WM_CLOSE, 0, 0);
      if (HWND box = viewer_.WaitForBox(kTitleExitQuestion, kStepMs)) PressButton(box, IDYES);
      viewer_.WaitForExit(kStepMs);
    }
  }
  void SetLevel(double percent) {
    ASSERT_TRUE(sim_.SetValue("LIC201.PV", tagsim::MakeValue(tagsim::kTypeFloat32, percent)));
  }
  // What the runtime window draws at that height of the column (read from
  // its own drawing: the windows of other tests may lie above it).
  bool IsWater(int y) const {
    POINT at = {kTankX, y};
    ::ScreenToClient(runtime_, &at);
    return ClientPixel(runtime_, at) == kWater;
  }
  // BM_CLICK: the button presses and releases itself within the one message.
  // Two posted mouse messages would leave a gap: a window of another test
  // taking the activation in between takes the pressed button's focus, and a
  // button that loses its focus while pressed lets the press go unclicked.
  void Click(HWND button) { ::PostMessageA(button, BM_CLICK, 0, 0); }

  tagsim::Server sim_;
  HWND runtime_ = nullptr;
};

TEST_F(ViewerLiveTest, StartPictureShowsTheServersValuesAndFollowsThem) {
  ASSERT_TRUE(WaitFor([&] { return IsWater(kTankLowY) && !IsWater(kTankHighY); }, kStartMs))
      << "the tank never showed 75 %";
  SetLevel(98);
  EXPECT_TRUE(WaitFor([&] { return IsWater(kTankHighY); }, kStepMs)) << "the level did not rise";
  SetLevel(5);
  EXPECT_TRUE(WaitFor([&] { return !IsWater(kTankLowY); }, kStepMs)) << "the level did not fall";
}

TEST_F(ViewerLiveTest, ButtonsSwitchToTheDetailPictureAndBack) {
  HWND toDetail = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (toDetail = FindChildWithText(runtime_, "塔釜详细画面 >>")) != nullptr; },
                      kStartMs));
  Click(toDetail);
  HWND back = nullptr;
  ASSERT_TRUE(
      WaitFor([&] { return (back = FindChildWithText(runtime_, "<< 返回工艺总貌")) != nullptr; }, kStepMs));
  EXPECT_EQ(FindChildWithText(runtime_, "塔釜详细画面 >>"), nullptr);
  Click(back);
  EXPECT_TRUE(WaitFor([&] { return FindChildWithText(runtime_, "塔釜详细画面 >>") != nullptr; }, kStepMs));
  EXPECT_EQ(FindChildWithText(runtime_, "<< 返回工艺总貌"), nullptr);
}

TEST_F(ViewerLiveTest, RightClickOnEmptySpaceOpensTheContextMenu) {
  // Empty space at the top of the demo picture's key-figure panel.
  LPARAM at = MAKELPARAM(1000, 600);
  ::PostMessageA(runtime_, WM_RBUTTONDOWN, MK_RBUTTON, at);
  ::PostMessageA(runtime_, WM_RBUTTONUP, 0, at);
  HWND menu = viewer_.WaitForWindow("#32768", nullptr, kStepMs);
  ASSERT_NE(menu, nullptr);
  ::PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0);
  EXPECT_TRUE(WaitUntilGone(menu, kStepMs) || !::IsWindowVisible(menu));
}

}  // namespace
