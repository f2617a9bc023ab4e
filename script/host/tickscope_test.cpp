// During its tick a window answers the requests addressed to it itself;
// every other request goes by the platform's message as before.
#include "tickscope.h"

#include <gtest/gtest.h>

#include <vector>

#include "qel/picmsg.h"
#include "qel/checkword.h"
#include "hostrequest.h"
#include "tickrepaint.h"

namespace {

const char kClass[] = "QelTickScopeTest";

// A message-only window that answers QSM_READTAG with 7 and counts the
// requests its procedure received.
class RequestWindow {
 public:
  RequestWindow() {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = Proc;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.lpszClassName = kClass;
    ::RegisterClassA(&wc);  // fails harmlessly when registered before
    m_hwnd = ::CreateWindowA(kClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
    ::SetWindowLongPtrA(m_hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  }
  ~RequestWindow() { ::DestroyWindow(m_hwnd); }
  HWND hwnd() const { return m_hwnd; }
  int received = 0;

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto* self = reinterpret_cast<RequestWindow*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (self && msg == QSM_READTAG) {
      ++self->received;
      reinterpret_cast<const NumTagRequest*>(lp)->value->data.i32 = 7;
      return 0;
    }
    return ::DefWindowProcA(hwnd, msg, wp, lp);
  }
  HWND m_hwnd;
};

// What the window's own answer received; it answers with the value 42 and
// the result `result`.
class RecordingAnswerer : public CTickScope::Answerer {
 public:
  struct Call {
    UINT msg;
    WPARAM wp;
    const char* name;
    void* value;
  };
  LRESULT AnswerRequest(UINT msg, WPARAM wp, LPARAM lp) override {
    const auto* request = reinterpret_cast<const NumTagRequest*>(lp);
    calls.push_back({msg, wp, request->name, request->value});
    if (msg == QSM_READTAG) request->value->data.i32 = 42;
    if (msg == QSM_READREALVAR) reinterpret_cast<VarReply*>(request->value)->status = 0;
    return result;
  }
  std::vector<Call> calls;
  LRESULT result = 0;
};

// A window whose tick may run, another window, and the ticking window's own answer.
class TickScopeTest : public ::testing::Test {
 protected:
  RequestWindow ticking_, other_;
  RecordingAnswerer own_;
  CTickRepaint repaint_;
  CScriptValue value_;
};

TEST_F(TickScopeTest, TheTickingWindowAnswersItsOwnRequestsWithTheSameRecord) {
  VarReply reply = {};
  reply.status = 9;
  {
    CTickScope tick(ticking_.hwnd(), repaint_, own_);
    EXPECT_EQ(HostReadTag(ticking_.hwnd(), "level", &value_), 0);
    EXPECT_EQ(value_.m_value.i32, 42);
    own_.result = 1;
    EXPECT_EQ(HostReadLocal(ticking_.hwnd(), "local", &value_), 1);
    // A variable read gives the status that the answer left in the reply.
    EXPECT_EQ(HostReadRealVar(ticking_.hwnd(), "text", &reply), 0);
  }
  EXPECT_EQ(ticking_.received, 0);
  ASSERT_EQ(own_.calls.size(), 3u);
  EXPECT_EQ(own_.calls[0].msg, static_cast<UINT>(QSM_READTAG));
  EXPECT_EQ(own_.calls[0].wp, static_cast<WPARAM>(MakeHostParam(QSM_CHECKCODE)));
  EXPECT_STREQ(own_.calls[0].name, "level");
  EXPECT_EQ(own_.calls[0].value, &value_);
  EXPECT_EQ(own_.calls[1].msg, static_cast<UINT>(QSM_READLOCAL));
  EXPECT_EQ(own_.calls[2].msg, static_cast<UINT>(QSM_READREALVAR));
  EXPECT_EQ(own_.calls[2].value, &reply);
}

TEST_F(TickScopeTest, OtherWindowsAndTimesOutsideTheTickGetTheMessage) {
  {
    CTickScope tick(ticking_.hwnd(), repaint_, own_);
    EXPECT_EQ(HostReadTag(other_.hwnd(), "level", &value_), 0);
    EXPECT_EQ(value_.m_value.i32, 7);
    EXPECT_EQ(HostReadTag(nullptr, "level", &value_), 1);  // no window: no request at all
  }
  EXPECT_EQ(HostReadTag(ticking_.hwnd(), "level", &value_), 0);
  EXPECT_TRUE(own_.calls.empty());
  EXPECT_EQ(other_.received, 1);
  EXPECT_EQ(ticking_.received, 1);
}

}  // namespace
