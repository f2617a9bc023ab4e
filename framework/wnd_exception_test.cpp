// No exception leaves a window procedure.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "exceptions.h"
#include "wndtest/wndtest_util.h"

namespace {

using wndtest::PlainClass;

struct Report {
  HWND hwnd;
  UINT msg;
  std::string what;
};
std::vector<Report> g_reports;

void RecordReport(HWND hwnd, UINT msg, const char* what) { g_reports.push_back({hwnd, msg, what}); }

class WndException : public ::testing::Test {
 protected:
  QelExceptionReporter previous = nullptr;
  void SetUp() override {
    g_reports.clear();
    previous = QelSetExceptionReporter(RecordReport);
  }
  void TearDown() override { QelSetExceptionReporter(previous); }
};

enum : UINT { kThrowStd = WM_APP + 1, kThrowOther, kThrowFramework };

class CThrowingWnd : public CWnd {
 public:
  bool throwInCreate = false;
  bool throwInPaint = false;
  int paints = 0;

  LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override {
    switch (msg) {
      case WM_CREATE: return OnCreate();
      case WM_PAINT: OnPaint(); return 0;
      case kThrowStd: throw std::runtime_error("处理失败");
      case kThrowOther: throw 42;
      case kThrowFramework: throw CArchiveException(CArchiveException::endOfFile);
    }
    return CWnd::WindowProc(msg, wp, lp);
  }

 private:
  LRESULT OnCreate() {
    if (throwInCreate) throw std::runtime_error("创建失败");
    return 0;
  }
  void OnPaint() {
    ++paints;
    if (throwInPaint) throw std::runtime_error("绘制失败");
    PAINTSTRUCT ps;
    ::BeginPaint(m_hWnd, &ps);
    ::EndPaint(m_hWnd, &ps);
  }
};

TEST_F(WndException, AHandlersExceptionIsReportedNotPassedOn) {
  CThrowingWnd wnd;
  ASSERT_TRUE(wnd.CreateEx(0, PlainClass(), "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
  EXPECT_EQ(wnd.SendMessage(kThrowStd), 0);
  EXPECT_EQ(wnd.SendMessage(kThrowOther), 0);
  EXPECT_EQ(wnd.SendMessage(kThrowFramework), 0);
  ASSERT_EQ(g_reports.size(), 3u);
  EXPECT_EQ(g_reports[0].hwnd, wnd.m_hWnd);
  EXPECT_EQ(g_reports[0].msg, static_cast<UINT>(kThrowStd));
  EXPECT_EQ(g_reports[0].what, "处理失败");
  EXPECT_FALSE(g_reports[1].what.empty());
  EXPECT_EQ(g_reports[2].what,
            std::string(CArchiveException(CArchiveException::endOfFile).GetErrorMessage()));
  // The window goes on working.
  wnd.SetWindowText("仍可用");
  char text[16];
  wnd.GetWindowText(text, sizeof text);
  EXPECT_STREQ(text, "仍可用");
}

TEST_F(WndException, AFailedPaintIsNotAskedForAgainAndAgain) {
  CThrowingWnd wnd;
  wnd.throwInPaint = true;
  ASSERT_TRUE(wnd.CreateEx(0, PlainClass(), "", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr));
  wnd.Invalidate();
  wnd.UpdateWindow();
  EXPECT_TRUE(wndtest::PumpPastTheQueue()) << "a paint keeps coming back";
  EXPECT_EQ(wnd.paints, 1);
  EXPECT_EQ(g_reports.size(), 1u);
  EXPECT_FALSE(::GetUpdateRect(wnd.m_hWnd, nullptr, FALSE));
}

TEST_F(WndException, AnExceptionInCreationRefusesTheWindow) {
  size_t attachedBefore = CWnd::GetAttachedCount();
  CThrowingWnd wnd;
  wnd.throwInCreate = true;
  EXPECT_FALSE(wnd.CreateEx(0, PlainClass(), "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
  EXPECT_EQ(wnd.m_hWnd, nullptr);
  EXPECT_EQ(CWnd::GetAttachedCount(), attachedBefore);
  ASSERT_EQ(g_reports.size(), 1u);
  EXPECT_EQ(g_reports[0].msg, static_cast<UINT>(WM_CREATE));
}

// An object whose construction fails: its window is not made at all.
int g_unbuildableTries = 0;
class CUnbuildableWnd : public CWnd {
 public:
  CUnbuildableWnd() {
    ++g_unbuildableTries;
    throw std::runtime_error("无法构造");
  }
};

TEST_F(WndException, AGlobalClassWhoseObjectCannotBeMadeMakesNoWindow) {
  QelRegisterGlobalClass<CUnbuildableWnd>("QelWndTestUnbuildable", 0, nullptr);
  size_t attachedBefore = CWnd::GetAttachedCount();
  HWND hwnd = ::CreateWindowExA(0, "QelWndTestUnbuildable", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                ::GetModuleHandleA(nullptr), nullptr);
  EXPECT_EQ(hwnd, nullptr);
  EXPECT_GE(g_unbuildableTries, 1);
  EXPECT_FALSE(g_reports.empty());
  EXPECT_EQ(CWnd::GetAttachedCount(), attachedBefore);
}

}  // namespace
