// Message boxes: GBK texts, titled like their owner unless told otherwise.
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "wndtest/wndtest_util.h"

namespace {

// What the box showed; filled by the closer below, which then presses OK.
struct SeenBox {
  std::string title;
  std::string text;
  HWND owner = nullptr;
  bool found = false;
};
SeenBox g_seen;

// Takes the thread's message box once it is shown (its texts are set then).
BOOL CALLBACK FindBox(HWND hwnd, LPARAM) {
  char cls[32];
  if (!::GetClassNameA(hwnd, cls, sizeof cls) || std::string(cls) != "#32770") return TRUE;
  if (!::IsWindowVisible(hwnd)) return TRUE;
  char buf[128] = "";
  ::GetWindowTextA(hwnd, buf, sizeof buf);
  g_seen.title = buf;
  buf[0] = '\0';
  ::GetDlgItemTextA(hwnd, 0xFFFF, buf, sizeof buf);
  g_seen.text = buf;
  g_seen.owner = ::GetWindow(hwnd, GW_OWNER);
  g_seen.found = true;
  ::PostMessageA(hwnd, WM_COMMAND, IDOK, 0);
  return FALSE;
}

const DWORD kGenerousMs = 30000;

// Watches a thread for its box from a thread of its own, so the box's loop
// need not give it a turn: a timer in that loop fires only when the loop has
// nothing else to do, which a busy queue can put off without end. When no
// box comes within the limit, it ends the box's loop (the box answers 0).
class BoxCloser {
 public:
  explicit BoxCloser(DWORD thread) : thread_(thread), watcher_([this] { Watch(); }) {}
  ~BoxCloser() {
    done_ = true;
    watcher_.join();
  }

 private:
  void Watch() {
    const DWORD start = ::GetTickCount();
    while (!done_ && !g_seen.found) {
      if (::GetTickCount() - start > kGenerousMs) {
        ::PostThreadMessageA(thread_, WM_QUIT, 0, 0);
        return;
      }
      ::EnumThreadWindows(thread_, FindBox, 0);
      if (!g_seen.found) ::Sleep(10);
    }
  }
  DWORD thread_;
  std::atomic<bool> done_{false};
  std::thread watcher_;
};

int ShowAndClose(HWND owner, const char* text, const char* title) {
  g_seen = SeenBox();
  BoxCloser closer(::GetCurrentThreadId());
  return QelMessageBox(owner, text, title, MB_OK | MB_ICONINFORMATION);
}

class MsgBox : public ::testing::Test {
 protected:
  CWnd top, child;
  void SetUp() override {
    ASSERT_TRUE(wndtest::CreateTopLevel(top, true, "组态画面"));
    RECT r = {0, 0, 20, 20};
    ASSERT_TRUE(child.Create(wndtest::PlainClass(), "", WS_CHILD | WS_VISIBLE, r, top, 1));
  }
};

// The owner's title (a frame's, long with its document) is not the caption:
// the application's name is.
TEST_F(MsgBox, IsOwnedByItsOwnersTopLevelWindowAndCaptionedWithTheApplicationsName) {
  top.SetWindowText("工程1 - QelMake - [工程1\\pic\\很长的画面名称.pic]");
  CWinApp app("应用名");
  EXPECT_EQ(ShowAndClose(child, "查询错误", nullptr), IDOK);
  ASSERT_TRUE(g_seen.found);
  EXPECT_EQ(g_seen.title, "应用名");
  EXPECT_EQ(g_seen.text, "查询错误");
  EXPECT_EQ(g_seen.owner, top.m_hWnd);
}

TEST_F(MsgBox, AGivenTitleIsUsedAsItStands) {
  EXPECT_EQ(ShowAndClose(top, "文本", "提示"), IDOK);
  ASSERT_TRUE(g_seen.found);
  EXPECT_EQ(g_seen.title, "提示");
}

// A window whose paint never validates keeps a paint due all the time,
// which holds off every timer of the thread.
LRESULT CALLBACK NeverPainted(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  return msg == WM_PAINT ? 0 : ::DefWindowProcA(hwnd, msg, wp, lp);
}

TEST_F(MsgBox, TheBoxIsTakenAlsoWhileThePaintsOfAnotherWindowKeepComing) {
  WNDCLASSA wc = {};
  wc.lpfnWndProc = NeverPainted;
  wc.hInstance = QelGetInstanceHandle();
  wc.lpszClassName = "QelMsgBoxTestNeverPainted";
  ::RegisterClassA(&wc);
  HWND busy = ::CreateWindowA(wc.lpszClassName, "", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr,
                              wc.hInstance, nullptr);
  ASSERT_NE(busy, nullptr);
  EXPECT_EQ(ShowAndClose(top, "文本", "提示"), IDOK);
  EXPECT_TRUE(g_seen.found);
  ::DestroyWindow(busy);
}

TEST_F(MsgBox, AnUntitledOwnerGivesTheApplicationName) {
  top.SetWindowText("");
  CWinApp app("应用名");
  EXPECT_EQ(ShowAndClose(top, "文本", nullptr), IDOK);
  ASSERT_TRUE(g_seen.found);
  EXPECT_EQ(g_seen.title, "应用名");
}

}  // namespace

namespace {

TEST_F(MsgBox, WithoutOwnerTitleOrApplicationTheModuleNameIsTheTitle) {
  ASSERT_EQ(QelGetApp(), nullptr);
  top.SetWindowText("");
  ::SetActiveWindow(top);
  EXPECT_EQ(ShowAndClose(nullptr, "文本", nullptr), IDOK);  // owned by the active window
  ASSERT_TRUE(g_seen.found);
  EXPECT_EQ(g_seen.owner, top.m_hWnd);
  EXPECT_EQ(g_seen.title, "framework_window_test");
}

}  // namespace

namespace {

struct HookedCall {
  HWND owner;
  std::string text;
  const char* title;
  UINT type;
};
HookedCall g_hooked;

int AnswerNo(HWND owner, const char* text, const char* title, UINT type) {
  g_hooked = {owner, text, title, type};
  return IDNO;
}

TEST_F(MsgBox, AHookAnswersInsteadOfTheBoxUntilItIsTakenAway) {
  ASSERT_EQ(QelSetMessageBoxHook(AnswerNo), nullptr);
  EXPECT_EQ(QelMessageBox(child, "是否保存?", nullptr, MB_YESNO), IDNO);
  EXPECT_EQ(g_hooked.owner, child.m_hWnd);  // as given: the hook decides what to make of it
  EXPECT_EQ(g_hooked.text, "是否保存?");
  EXPECT_EQ(g_hooked.title, nullptr);
  EXPECT_EQ(g_hooked.type, static_cast<UINT>(MB_YESNO));
  EXPECT_EQ(QelSetMessageBoxHook(nullptr), AnswerNo);
  EXPECT_EQ(ShowAndClose(top, "文本", "提示"), IDOK);  // the real box again
  EXPECT_TRUE(g_seen.found);
}

}  // namespace

namespace {

std::vector<UINT> g_heard;

void Hear(UINT type) { g_heard.push_back(type); }

TEST(Beep, AHookHearsTheBeepsUntilItIsTakenAway) {
  g_heard.clear();
  ASSERT_EQ(QelSetBeepHook(Hear), nullptr);
  QelBeep(MB_ICONWARNING);
  QelBeep(MB_OK);
  EXPECT_EQ(g_heard, (std::vector<UINT>{MB_ICONWARNING, MB_OK}));
  EXPECT_EQ(QelSetBeepHook(nullptr), Hear);
  QelBeep(MB_ICONWARNING);  // the platform's sound again
  EXPECT_EQ(g_heard.size(), 2u);
}

}  // namespace
