// Module start-up: a DLL's global class and resources, a program's loop.
#include <gtest/gtest.h>

#include <string>

#include "qel/exportproc.h"
#include "wndtest/wndtest_util.h"

namespace {

// The test DLL and its exports.
class TestDll {
 public:
  TestDll() : module_(::LoadLibraryA("wndtest_dll.dll")) {}
  ~TestDll() {
    if (module_) ::FreeLibrary(module_);
  }
  HMODULE module() const { return module_; }
  template <class Fn>
  Fn Get(const char* name) const {
    return QelFindExport<Fn>(module_, name);
  }
  int InitCount() const { return Get<int(__stdcall*)()>("WndTestInitCount")(); }
  int LiveObjects() const { return Get<int(__stdcall*)()>("WndTestLiveObjects")(); }

 private:
  HMODULE module_;
};

const char kDllClass[] = "QelWndTestDllClass";

HWND CreateDllWindow() {
  return ::CreateWindowExA(0, kDllClass, "", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr,
                           ::GetModuleHandleA(nullptr), nullptr);
}

TEST(WinAppDll, LoadingRegistersTheGlobalClassOnce) {
  TestDll dll;
  ASSERT_TRUE(dll.module());
  EXPECT_EQ(dll.InitCount(), 1);
  {
    TestDll again;  // a second load only adds a reference
    EXPECT_EQ(again.module(), dll.module());
    EXPECT_EQ(dll.InitCount(), 1);
  }
  // Any module creates the DLL's windows by class name; the DLL makes the objects.
  HWND a = CreateDllWindow();
  HWND b = CreateDllWindow();
  ASSERT_TRUE(a && b);
  EXPECT_EQ(dll.LiveObjects(), 2);
  EXPECT_EQ(CWnd::FromHandlePermanent(a), nullptr);  // kept in the DLL's map, not ours
  WNDCLASSA wc;
  ASSERT_TRUE(::GetClassInfoA(dll.module(), kDllClass, &wc));
  EXPECT_EQ(wc.style & (CS_GLOBALCLASS | CS_DBLCLKS), static_cast<UINT>(CS_GLOBALCLASS | CS_DBLCLKS));
  ::DestroyWindow(a);
  EXPECT_EQ(dll.LiveObjects(), 1);
  ::DestroyWindow(b);
  EXPECT_EQ(dll.LiveObjects(), 0);
}

TEST(WinAppDll, UnloadingUnregistersSoThatAReloadWorks) {
  {
    TestDll dll;
    ASSERT_TRUE(dll.module());
  }
  EXPECT_EQ(CreateDllWindow(), nullptr);  // the class went with the DLL
  TestDll dll;
  ASSERT_TRUE(dll.module());
  EXPECT_EQ(dll.InitCount(), 1);
  HWND hwnd = CreateDllWindow();
  ASSERT_TRUE(hwnd);
  EXPECT_EQ(dll.LiveObjects(), 1);
  ::DestroyWindow(hwnd);
  EXPECT_EQ(dll.LiveObjects(), 0);
}

TEST(WinAppDll, StringsAndResourcesComeFromTheDllItself) {
  TestDll dll;
  ASSERT_TRUE(dll.module());
  auto load = dll.Get<int(__stdcall*)(UINT, char*, int)>("WndTestLoadString");
  auto resources = dll.Get<HINSTANCE(__stdcall*)()>("WndTestResourceHandle");
  char text[64];
  EXPECT_GT(load(101, text, sizeof text), 0);
  EXPECT_STREQ(text, "string of the test DLL");
  EXPECT_EQ(resources(), dll.module());
  // This program has no such string: its own module state looks in itself.
  EXPECT_EQ(QelLoadString(101, text, sizeof text), 0);
  EXPECT_STREQ(text, "");
  EXPECT_EQ(QelGetResourceHandle(), ::GetModuleHandleA(nullptr));
  EXPECT_EQ(QelGetInstanceHandle(), ::GetModuleHandleA(nullptr));
}

// A program whose main window closes itself at once.
class CLoopApp : public CWinApp {
 public:
  explicit CLoopApp(bool startOk) : CWinApp("循环测试"), startOk_(startOk) {}
  int inits = 0, exits = 0;
  CWnd mainWnd;

  BOOL InitInstance() override {
    ++inits;
    if (!startOk_) return FALSE;
    if (!wndtest::CreateTopLevel(mainWnd, false)) return FALSE;
    m_pMainWnd = &mainWnd;
    mainWnd.PostMessage(WM_CLOSE);  // the default handling destroys it
    return TRUE;
  }
  int ExitInstance() override {
    ++exits;
    return CWinApp::ExitInstance() + 100;
  }

 private:
  bool startOk_;
};

TEST(WinAppProgram, TheLoopRunsUntilTheMainWindowIsGone) {
  CLoopApp app(true);
  ASSERT_EQ(QelGetApp(), &app);
  EXPECT_STREQ(app.m_pszAppName, "循环测试");
  EXPECT_EQ(QelRunApp(::GetModuleHandleA(nullptr), SW_HIDE), 100);  // WM_QUIT code 0
  EXPECT_EQ(app.inits, 1);
  EXPECT_EQ(app.exits, 1);
  EXPECT_EQ(app.m_pMainWnd, nullptr);
  EXPECT_EQ(app.mainWnd.m_hWnd, nullptr);
  EXPECT_EQ(app.m_nCmdShow, SW_HIDE);
}

TEST(WinAppProgram, AFailedStartUpSkipsTheLoop) {
  CLoopApp app(false);
  EXPECT_EQ(QelRunApp(::GetModuleHandleA(nullptr), SW_SHOW), 99);  // -1 + 100
  EXPECT_EQ(app.inits, 1);
  EXPECT_EQ(app.exits, 1);
}

TEST(WinAppProgram, TheApplicationNameDefaultsToTheModuleName) {
  CWinApp app;
  EXPECT_STREQ(app.m_pszAppName, "framework_window_test");
}

}  // namespace
