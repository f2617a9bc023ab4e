// The plug-in object in a real picture window, with the test plug-in: its
// window's class, style, place and control id, attaching twice, the pages,
// showing and hiding, and the order in which it goes; a library name that is
// refused, told once in the editor.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "qel/picmsg.h"
#include "drawplugin.h"
#include "testing/loadmarker.h"
#include "moduledir.h"
#include "objtest_util.h"
#include "picobj.h"
#include "testing/qpitest_host.h"
#include "window.h"
#include "wndtest/wndtest_util.h"

namespace {

using qpitest::TestPlugin;

class DrawPluginWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(plugin_.Ok());
    ASSERT_TRUE(wndtest::CreateTopLevel(view_, true, "plug-ins"));
    context_.hView = view_;
    context_.pPicture = &picture_;
  }
  void TearDown() override { view_.DestroyWindow(); }

  // A plug-in object of the test library over r, attached.
  std::unique_ptr<CDrawPlugin> Attached(BOOL runTime, const CRectD& r = CRectD(10, 20, 110, 80),
                                        const char* library = qpitest::kUnruly) {
    std::unique_ptr<CDrawPlugin> obj(new CDrawPlugin(library));
    obj->m_rect = r;
    obj->SetViewTransform(POINT{0, 0}, 1.0);
    obj->AttachView(&context_, runTime);
    return obj;
  }
  static std::string ClassOf(HWND hwnd) {
    char name[64] = "";
    ::GetClassNameA(hwnd, name, sizeof name);
    return name;
  }
  RECT RectInView(HWND child) const {
    RECT r;
    ::GetWindowRect(child, &r);
    ::MapWindowPoints(nullptr, view_, reinterpret_cast<POINT*>(&r), 2);
    return r;
  }

  TestPlugin plugin_;
  CWnd view_;
  CPicObj picture_;
  DrawViewContext context_;
};

TEST_F(DrawPluginWindowTest, TheWindowIsOfThePluginsClassOverTheObject) {
  const struct {
    BOOL runTime;
    DWORD style;
  } cases[] = {{TRUE, 0x54000000}, {FALSE, 0x5C000000}};
  for (const auto& c : cases) {
    auto obj = Attached(c.runTime);
    HWND hwnd = obj->GetPluginWnd();
    ASSERT_NE(hwnd, nullptr) << c.runTime;
    EXPECT_EQ(::GetParent(hwnd), view_.m_hWnd);
    EXPECT_EQ(ClassOf(hwnd), QPITEST_CLASS);
    EXPECT_EQ(static_cast<DWORD>(::GetWindowLongA(hwnd, GWL_STYLE)) & 0xFFFF0000, c.style);
    EXPECT_EQ(::IsWindowEnabled(hwnd) != FALSE, c.runTime != FALSE) << "disabled in the editor";
    const RECT r = RectInView(hwnd);
    EXPECT_EQ(r.left, 10);
    EXPECT_EQ(r.top, 20);
    EXPECT_EQ(r.right, 110);
    EXPECT_EQ(r.bottom, 80);
    EXPECT_EQ(obj->GetCtrlWnd(), nullptr) << "the plug-in's window is no control window";
  }
}

TEST_F(DrawPluginWindowTest, WindowsOfAPictureTakeIds1And2) {
  auto first = Attached(TRUE);
  auto second = Attached(FALSE);
  EXPECT_EQ(::GetDlgCtrlID(first->GetPluginWnd()), 1);
  EXPECT_EQ(::GetDlgCtrlID(second->GetPluginWnd()), 2);
  EXPECT_EQ(picture_.m_nNextPluginId, 3);

  context_.pPicture = nullptr;  // no picture: every window takes 1
  auto third = Attached(TRUE);
  auto fourth = Attached(TRUE);
  EXPECT_EQ(::GetDlgCtrlID(third->GetPluginWnd()), 1);
  EXPECT_EQ(::GetDlgCtrlID(fourth->GetPluginWnd()), 1);
}

TEST_F(DrawPluginWindowTest, AttachingTwiceKeepsTheWindowAndDoesNotLoadAgain) {
  auto obj = Attached(TRUE);
  HWND hwnd = obj->GetPluginWnd();
  ASSERT_NE(hwnd, nullptr);
  EXPECT_TRUE(obj->AttachView(&context_, TRUE));
  EXPECT_EQ(obj->GetPluginWnd(), hwnd);
  EXPECT_EQ(plugin_.Log().infoCalls, 1);
  EXPECT_EQ(picture_.m_nNextPluginId, 2);
}

TEST_F(DrawPluginWindowTest, NoLibraryNoWindow) {
  const struct {
    const char* library;
    const char* why;
  } cases[] = {
      {"", "empty name"},
      {"no_such_plugin.dll", "missing library"},
      {"qpimiss_QPI_GetEventInfos.dll", "missing export"},
  };
  for (const auto& c : cases) {
    auto obj = Attached(TRUE, CRectD(0, 0, 50, 50), c.library);
    EXPECT_EQ(obj->GetPluginWnd(), nullptr) << c.why;
    EXPECT_FALSE(obj->AttachView(&context_, TRUE)) << c.why;
    EXPECT_FALSE(obj->GetHost().IsLoaded()) << c.why;
  }
  EXPECT_EQ(plugin_.Log().infoCalls, 0);
  EXPECT_EQ(picture_.m_nNextPluginId, 1) << "no window took an id";
}

TEST_F(DrawPluginWindowTest, AnIdentifierWithoutItsZeroNamesTheClassByItsFirst31Bytes) {
  QpiTestConfig config = TestPlugin::Defaults();
  config.unterminated = TRUE;
  plugin_.Configure(config);
  auto obj = Attached(TRUE);
  ASSERT_NE(obj->GetPluginWnd(), nullptr);
  EXPECT_EQ(ClassOf(obj->GetPluginWnd()), std::string(31, 'Q'));
}

TEST_F(DrawPluginWindowTest, AClassThatDoesNotExistLeavesNoWindowButTheLibraryLoaded) {
  QpiTestConfig config = TestPlugin::Defaults();
  strcpy(config.ident, "NoSuchPluginClass");
  plugin_.Configure(config);
  auto obj = Attached(TRUE);
  EXPECT_EQ(obj->GetPluginWnd(), nullptr);
  EXPECT_TRUE(obj->GetHost().IsLoaded());
  int windows = 0;
  obj->CountWindows(windows);
  EXPECT_EQ(windows, 0);
}

TEST_F(DrawPluginWindowTest, ThePagesAreAskedForWithTheTitlePrefix) {
  auto obj = Attached(FALSE);
  ASSERT_NE(obj->GetPluginWnd(), nullptr);
  EXPECT_EQ(obj->ShowProperties(view_), 1);
  EXPECT_EQ(plugin_.Log().pagesShown, 1);
  EXPECT_STREQ(plugin_.Log().pagesTitle, "插件1");
}

TEST_F(DrawPluginWindowTest, ShowingAndHidingTheObjectShowsAndHidesItsWindow) {
  auto obj = Attached(TRUE);
  HWND hwnd = obj->GetPluginWnd();
  ASSERT_TRUE(::IsWindowVisible(hwnd));
  obj->SetVisible(FALSE);
  EXPECT_FALSE(obj->IsVisible());
  EXPECT_FALSE(::IsWindowVisible(hwnd));
  obj->SetVisible(TRUE);
  EXPECT_TRUE(obj->IsVisible());
  EXPECT_TRUE(::IsWindowVisible(hwnd));
}

TEST_F(DrawPluginWindowTest, TheControlBaseEnablesCountsAndPlacesTheWindow) {
  auto obj = Attached(FALSE);
  HWND hwnd = obj->GetPluginWnd();
  int windows = 0;
  obj->CountWindows(windows);
  EXPECT_EQ(windows, 1);
  obj->EnableWnd(TRUE);
  EXPECT_TRUE(::IsWindowEnabled(hwnd));
  obj->EnableWnd(FALSE);
  EXPECT_FALSE(::IsWindowEnabled(hwnd));

  obj->SetViewTransform(POINT{5, 0}, 2.0);
  HDWP batch = ::BeginDeferWindowPos(1);
  obj->DeferWindowPos(batch);
  ASSERT_NE(batch, nullptr);
  ::EndDeferWindowPos(batch);
  const RECT r = RectInView(hwnd);
  EXPECT_EQ(r.left, 15);
  EXPECT_EQ(r.right, 215);
  EXPECT_EQ(r.bottom, 160);
}

// Set by the test plug-in when its window goes: was the library still there?
bool g_libraryWhenWindowWent = false;
int g_windowsGone = 0;
void __stdcall OnWindowGone(void*) {
  ++g_windowsGone;
  g_libraryWhenWindowWent = qpitest::IsLoaded(qpitest::kUnruly);
}

TEST_F(DrawPluginWindowTest, TheWindowGoesBeforeTheLibrary) {
  QpiTestConfig config = TestPlugin::Defaults();
  config.onWindowGone = &OnWindowGone;
  plugin_.Configure(config);
  g_windowsGone = 0;
  auto obj = Attached(TRUE);
  HWND hwnd = obj->GetPluginWnd();
  ASSERT_NE(hwnd, nullptr);
  plugin_.Release();  // only the object holds the library now
  obj.reset();
  EXPECT_FALSE(::IsWindow(hwnd));
  EXPECT_EQ(g_windowsGone, 1);
  EXPECT_TRUE(g_libraryWhenWindowWent);
  EXPECT_FALSE(qpitest::IsLoaded(qpitest::kUnruly));
}

TEST_F(DrawPluginWindowTest, EachObjectHoldsTheLibraryItself) {
  auto first = Attached(TRUE);
  auto second = Attached(TRUE);
  plugin_.Release();
  first.reset();
  EXPECT_TRUE(qpitest::IsLoaded(qpitest::kUnruly)) << "the second object still uses it";
  EXPECT_TRUE(::IsWindow(second->GetPluginWnd()));
  second.reset();
  EXPECT_FALSE(qpitest::IsLoaded(qpitest::kUnruly));
}

// What the editor's view (the parent of the editing window) was told.
std::vector<std::string> g_output;

LRESULT CALLBACK EditorViewProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == QCN_OUTPUTTEXT && wp == 1) {
    g_output.push_back(reinterpret_cast<const char*>(lp));
    return 0;
  }
  return ::DefWindowProcA(hwnd, msg, wp, lp);
}

HWND NewEditorView() {
  WNDCLASSA wc = {};
  wc.lpfnWndProc = EditorViewProc;
  wc.hInstance = ::GetModuleHandleA(nullptr);
  wc.lpszClassName = "QelPluginTestEditorView";
  ::RegisterClassA(&wc);  // fails harmlessly when registered before
  return ::CreateWindowA(wc.lpszClassName, "", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0, 400, 300, nullptr,
                         nullptr, wc.hInstance, nullptr);
}

TEST_F(DrawPluginWindowTest, ARefusedLibraryLeavesNoWindowAndIsToldOnceInTheEditor) {
  HWND editorView = NewEditorView();
  ASSERT_NE(editorView, nullptr);
  HWND editWindow = ::CreateWindowA(wndtest::PlainClass(), "", WS_CHILD | WS_VISIBLE, 0, 0, 300, 200,
                                    editorView, nullptr, ::GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(editWindow, nullptr);
  context_.hView = editWindow;
  const std::string library =
      std::string(GetModuleDir().GetString()) + qpitest::kMarkerFolder + qpitest::kMarkerLibrary;
  const struct {
    BOOL runTime;
    size_t told;
  } cases[] = {{FALSE, 1}, {TRUE, 0}};
  for (const auto& c : cases) {
    g_output.clear();
    loadmarker::Armed marker;
    CDrawPlugin obj(library.c_str());
    obj.m_strName = "泵1";
    obj.m_rect = CRectD(10, 20, 110, 80);
    const std::vector<BYTE> stored = objtest::FieldBytes(obj);
    EXPECT_FALSE(obj.AttachView(&context_, c.runTime));
    EXPECT_FALSE(obj.AttachView(&context_, c.runTime)) << "attached again: told no more";
    EXPECT_EQ(obj.GetPluginWnd(), nullptr);
    EXPECT_EQ(::GetWindow(editWindow, GW_CHILD), nullptr);
    EXPECT_EQ(marker.Written(), "");
    EXPECT_EQ(objtest::FieldBytes(obj), stored);
    ASSERT_EQ(g_output.size(), c.told) << c.runTime;
    if (c.told) {
      EXPECT_EQ(g_output[0], "\n\tQEL插件(泵1@LEFT=10,TOP=20) - (" + library +
                                 "):\n\t\t插件库只能是程序目录中的文件名，拒绝加载!\n");
    }
  }
  EXPECT_EQ(picture_.m_nNextPluginId, 1) << "no window took an id";
  ::DestroyWindow(editorView);
}

}  // namespace
