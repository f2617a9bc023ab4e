// Start-up, project loading, the frame's layout and the exit question, in
// this process, with a stand-in runtime window and recorded message boxes.
#include <gtest/gtest.h>

#include <memory>

#include "crtformat.h"
#include "demoproject.h"
#include "project.h"
#include "tagvalue.h"
#include "viewer_test_util.h"
#include "viewerapp.h"
#include "viewertexts.h"

using namespace viewertest;

namespace {

const char kIni[] = "QelView.ini";
const char kDemoQel[] = "project\\demo\\demo.qel";
const char kStart[] = "project\\demo\\pic\\overview.pic";

// The program folder on the search path, where the viewer finds qel3api.dll.
void SearchProgramFolder() {
  static bool done = [] {
    char path[32768];
    DWORD n = ::GetEnvironmentVariableA("PATH", path, sizeof path);
    std::string value = "..\\out;" + std::string(path, n < sizeof path ? n : 0);
    return ::SetEnvironmentVariableA("PATH", value.c_str()) != 0;
  }();
  (void)done;
}

class ViewerStartTest : public ::testing::Test {
 protected:
  void SetUp() override {
    demo::RegisterDemoClasses();
    SearchProgramFolder();
  }
  void TearDown() override {
    if (app_) app_->ExitInstance();
  }

  // The demo project in the scratch folder.
  void WriteDemo() {
    std::string error;
    ASSERT_TRUE(demo::WriteDemoProject(folder_.Path(), &error)) << error;
  }
  BOOL Start() {
    app_.reset(new CViewerApp(folder_.Path()));
    return app_->InitInstance();
  }
  std::string ProjectPath(const char* name) const {
    return folder_.Path() + "project/" + name + "/" + name + ".qel";
  }
  CMainFrame* Frame() const { return app_->GetFrame(); }

  ScratchFolder folder_{"viewer_start"};
  FakeRuntimeClass runtime_;
  BoxRecorder boxes_;
  std::unique_ptr<CViewerApp> app_;
};

// The messages that stop the start come before the frame is shown: none of
// them can end up behind the frame that covers the desktop.
void ExpectNoFrameShownBehind(const std::vector<ShownBox>& boxes) {
  for (const ShownBox& b : boxes) EXPECT_FALSE(b.ownerShown) << b.text;
}

TEST_F(ViewerStartTest, MissingSettingsFileReportsItThenTheMissingStartPicture) {
  EXPECT_FALSE(Start());
  EXPECT_EQ(boxes_.Texts(),
            (std::vector<std::string>{"没有找到<QelView.ini>配置文件!", "没有指定开始画面!"}));
  ExpectNoFrameShownBehind(boxes_.shown);
  EXPECT_EQ(boxes_.shown[0].title, "(null)");  // the application's name
  EXPECT_EQ(Frame()->GetSafeHwnd(), nullptr);
  EXPECT_TRUE(Runtime().loads.empty());
}

TEST_F(ViewerStartTest, NoStartPictureKeyEndsTheProgram) {
  WriteDemo();
  folder_.WriteFile(kIni, "[local]\nproject=demo\n");
  EXPECT_FALSE(Start());
  EXPECT_EQ(boxes_.Texts(), std::vector<std::string>{"没有指定开始画面!"});
  ExpectNoFrameShownBehind(boxes_.shown);
  EXPECT_EQ(Frame()->GetSafeHwnd(), nullptr);
}

struct BadProject {
  const char* what;
  std::string bytes;  // empty: no file at all
};

std::string DemoBytesWith(const std::string& good, size_t at, const std::string& patch) {
  std::string bytes = good;
  bytes.replace(at, patch.size(), patch);
  return bytes;
}

TEST_F(ViewerStartTest, AnUnreadableProjectIsReportedLeftUntouchedAndEndsTheProgram) {
  WriteDemo();
  const std::string good = folder_.ReadFile(kDemoQel);
  ASSERT_GT(good.size(), 600u);
  const BadProject cases[] = {
      {"missing file", ""},
      {"wrong magic", DemoBytesWith(good, 0, "\x56\x77\xBC\xAC")},
      {"wrong version", DemoBytesWith(good, 4, std::string("\x00\x00\x02\x00", 4))},
      {"truncated inside a tag record", good.substr(0, 300)},
      {"truncated before the entries", good.substr(0, good.size() - 64)},
      {"empty file", std::string("\x00", 0)},
  };
  for (const BadProject& c : cases) {
    SCOPED_TRACE(c.what);
    boxes_.shown.clear();
    Runtime().loads.clear();
    const std::string name = "bad";
    const std::string relative = "project\\bad\\bad.qel";
    ::DeleteFileA((folder_.Path() + relative).c_str());
    bool present = std::string(c.what) != "missing file";
    if (present) folder_.WriteFile(relative, c.bytes);
    folder_.WriteFile(kIni, "[local]\nproject=bad\nindexpic=overview.pic\n");
    EXPECT_FALSE(Start());
    EXPECT_EQ(boxes_.Texts(),
              std::vector<std::string>{qel::FormatStr("读入工程文件<%s>错误!", ProjectPath("bad").c_str())});
    // The failed start leaves no frame behind.
    EXPECT_EQ(Frame()->GetSafeHwnd(), nullptr);
    EXPECT_TRUE(Runtime().loads.empty());
    if (present) {
      EXPECT_EQ(folder_.ReadFile(relative), c.bytes);
    }
    app_->ExitInstance();
    app_.reset();
  }
}

TEST_F(ViewerStartTest, StartPictureGoesToTheRuntimeWindowAfterBothTables) {
  WriteDemo();
  ASSERT_TRUE(Start());
  EXPECT_TRUE(boxes_.shown.empty());
  EXPECT_EQ(Runtime().events, (std::vector<std::string>{"host", "local", "load"}));
  ASSERT_EQ(Runtime().loads.size(), 1u);
  EXPECT_EQ(Runtime().loads[0], folder_.ReadFile(kStart));
  EXPECT_TRUE(Runtime().tablesMatchedOnLoad);
  CRuntimeView* view = Frame()->GetView();
  ASSERT_NE(view, nullptr);
  // The tables are the project's own.
  CProject& project = view->GetProject();
  EXPECT_EQ(Runtime().host.context, project.GetHostCallbacks().context);
  EXPECT_EQ(Runtime().local.context, &project);
  EXPECT_EQ(view->GetPictureFolder(), folder_.Path() + "project/demo/pic/");
}

TEST_F(ViewerStartTest, LoadedProjectHasLiveLocalValuesAndAStartedBinding) {
  WriteDemo();
  ASSERT_TRUE(Start());
  CProject& project = Frame()->GetView()->GetProject();
  EXPECT_EQ(project.m_values.GetCount(), project.m_localTags.GetCount());
  CTagValue value;
  ASSERT_EQ(CProject::LocalTagRead(&project, "LOCAL.SETPOINT", &value), 1);
  EXPECT_DOUBLE_EQ(value.GetDouble(), 42.5);
  EXPECT_TRUE(project.GetClient()->IsBound());
}

TEST_F(ViewerStartTest, FrameCoversTheDesktopWithoutCaptionOrMenu) {
  WriteDemo();
  ASSERT_TRUE(Start());
  HWND frame = Frame()->GetSafeHwnd();
  RECT desktop, rect;
  ::GetWindowRect(::GetDesktopWindow(), &desktop);
  ::GetWindowRect(frame, &rect);
  EXPECT_TRUE(::EqualRect(&desktop, &rect));
  EXPECT_EQ(::GetWindowLongA(frame, GWL_STYLE) & WS_CAPTION, 0);
  EXPECT_EQ(::GetWindowLongA(frame, GWL_EXSTYLE) & WS_EX_CLIENTEDGE, 0);
  EXPECT_EQ(::GetMenu(frame), nullptr);
  HWND view = ::GetDlgItem(frame, ID_VIEWER_VIEW);
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(::GetWindowLongA(view, GWL_STYLE) & WS_BORDER, 0);
  EXPECT_EQ(::GetDlgItem(view, ID_RUNTIME_WINDOW), Runtime().hwnd);
}

TEST_F(ViewerStartTest, ResizingTheFrameResizesTheRuntimeWindowToTheClientArea) {
  WriteDemo();
  ASSERT_TRUE(Start());
  HWND frame = Frame()->GetSafeHwnd();
  ::MoveWindow(frame, 10, 20, 640, 480, TRUE);
  RECT client, runtime;
  ::GetClientRect(frame, &client);
  ::GetWindowRect(Runtime().hwnd, &runtime);
  ::MapWindowPoints(nullptr, frame, reinterpret_cast<POINT*>(&runtime), 2);
  EXPECT_TRUE(::EqualRect(&client, &runtime));
}

TEST_F(ViewerStartTest, MissingStartPictureLeavesTheViewEmpty) {
  WriteDemo();
  folder_.WriteFile(kIni, "[local]\nproject=demo\nindexpic=nothing.pic\n");
  ASSERT_TRUE(Start());
  EXPECT_TRUE(boxes_.shown.empty());
  EXPECT_TRUE(Runtime().loads.empty());
  EXPECT_NE(Frame()->GetView(), nullptr);
}

TEST_F(ViewerStartTest, ClosingAsksAndOnlyYesCloses) {
  WriteDemo();
  ASSERT_TRUE(Start());
  HWND frame = Frame()->GetSafeHwnd();
  boxes_.answers = {IDNO, IDCANCEL, IDYES};
  ::SendMessageA(frame, WM_CLOSE, 0, 0);
  EXPECT_TRUE(::IsWindow(frame));
  ::SendMessageA(frame, WM_SYSCOMMAND, SC_CLOSE, 0);  // Alt+F4
  EXPECT_TRUE(::IsWindow(frame));
  ::SendMessageA(frame, WM_COMMAND, ID_APP_EXIT, 0);  // the context menu's exit
  EXPECT_FALSE(::IsWindow(frame));
  ASSERT_EQ(boxes_.shown.size(), 3u);
  for (const ShownBox& b : boxes_.shown) {
    EXPECT_EQ(b.text, "是否要退出QelView?");
    EXPECT_EQ(b.title, "QelView提示");
    EXPECT_EQ(b.type, UINT(MB_YESNOCANCEL | MB_ICONQUESTION));
  }
}

TEST(ViewerContextMenu, TitleSeparatorAndExit) {
  HMENU bar = CreateViewerContextMenu();
  HMENU popup = ::GetSubMenu(bar, 0);
  ASSERT_NE(popup, nullptr);
  ASSERT_EQ(::GetMenuItemCount(popup), 3);
  char text[64];
  ::GetMenuStringA(popup, 0, text, sizeof text, MF_BYPOSITION);
  EXPECT_STREQ(text, "主菜单");
  EXPECT_EQ(::GetMenuItemID(popup, 0), UINT(ID_VIEWER_MAINMENU));
  EXPECT_TRUE(::GetMenuState(popup, 0, MF_BYPOSITION) & MF_GRAYED);
  EXPECT_TRUE(::GetMenuState(popup, 1, MF_BYPOSITION) & MF_SEPARATOR);
  ::GetMenuStringA(popup, 2, text, sizeof text, MF_BYPOSITION);
  EXPECT_STREQ(text, "退出\tAlt+F4");
  EXPECT_EQ(::GetMenuItemID(popup, 2), UINT(ID_APP_EXIT));
  ::DestroyMenu(bar);
}

}  // namespace
