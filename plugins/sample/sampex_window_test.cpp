// A Sampex control in a window of the test program: interface calls,
// property sets and gets with their check word, and the mouse report to the
// parent (the property sheet: sampex_sheet_test.cpp).
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "qel/picmsg.h"
#include "qel/checkword.h"
#include "qel/qpi.h"
#include "sampex_testutil.h"

namespace {

constexpr int kControlId = 7;

// What the parent saw of the last QPM_FIREEVENT, copied while it was sent.
struct FiredEvent {
  WPARAM checkWord;
  QPI_CALL record;
  POINT point;
};
std::vector<FiredEvent> g_fired;

LRESULT CALLBACK ParentProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == QPM_FIREEVENT) {
    FiredEvent e = {wp, *reinterpret_cast<const QPI_CALL*>(lp), {}};
    if (e.record.slot[0].data.ptr) e.point = *static_cast<const POINT*>(e.record.slot[0].data.ptr);
    g_fired.push_back(e);
    return 0;
  }
  return ::DefWindowProcA(hwnd, msg, wp, lp);
}

class SampexWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(sampextest::Library(), nullptr);
    WNDCLASSA wc = {};
    wc.lpfnWndProc = ParentProc;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.lpszClassName = "SampexTestParent";
    ::RegisterClassA(&wc);
    parent_ = ::CreateWindowA("SampexTestParent", "", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr, nullptr,
                              wc.hInstance, nullptr);
    ASSERT_NE(parent_, nullptr);
    control_ = ::CreateWindowA("Sampxe_1.0", "", WS_CHILD | WS_VISIBLE, 10, 10, 200, 100, parent_,
                               reinterpret_cast<HMENU>(kControlId), wc.hInstance, nullptr);
    ASSERT_NE(control_, nullptr);
    g_fired.clear();
  }
  void TearDown() override { ::DestroyWindow(parent_); }

  LRESULT Send(UINT msg, void* record, DWORD checkWord = MakeHostParam(12345)) const {
    return ::SendMessageA(control_, msg, checkWord, reinterpret_cast<LPARAM>(record));
  }
  // The back colour as "backcolor" reads it.
  COLORREF BackColor() const {
    QPI_CALL get = {};
    get.id = 257;
    EXPECT_EQ(Send(QPM_GETPROPERTY, &get), QPI_DONE);
    EXPECT_EQ(get.slot[0].type, QPT_COLOR);
    return get.slot[0].data.color;
  }
  LRESULT SetBack(WORD type, QPI_VALUEDATA value, DWORD checkWord = MakeHostParam(0)) const {
    QPI_CALL set = {};
    set.id = 257;
    set.slot[0].type = type;
    set.slot[0].data = value;
    return Send(QPM_SETPROPERTY, &set, checkWord);
  }

  HWND parent_ = nullptr;
  HWND control_ = nullptr;
};

QPI_VALUE Value(WORD type, QPI_VALUEDATA data) {
  QPI_VALUE v = {};
  v.type = type;
  v.data = data;
  return v;
}
QPI_VALUEDATA F64(double d) {
  QPI_VALUEDATA v = {};
  v.f64 = d;
  return v;
}
QPI_VALUEDATA F32(float f) {
  QPI_VALUEDATA v = {};
  v.f32 = f;
  return v;
}
QPI_VALUEDATA I64(LONGLONG i) {
  QPI_VALUEDATA v = {};
  v.i64 = i;
  return v;
}
QPI_VALUEDATA U32(UINT32 u) {
  QPI_VALUEDATA v = {};
  v.u32 = u;
  return v;
}

// A call of function id with two arguments.
QpiCallRecord<3> Call(WORD id, QPI_VALUE a, QPI_VALUE b) {
  QpiCallRecord<3> r = {};
  r.call.id = id;
  r.call.count = 3;
  r.Slot(1) = a;
  r.Slot(2) = b;
  return r;
}

TEST_F(SampexWindowTest, AddAndDecReturnADoubleOfType9) {
  const QPI_VALUE a = Value(QPT_FLOAT64, F64(1.5));
  const QPI_VALUE b = Value(QPT_INT32, U32(2));
  const struct {
    WORD id;
    double expected;
  } cases[] = {{257, 3.5}, {258, -0.5}};
  for (const auto& c : cases) {
    QpiCallRecord<3> call = Call(c.id, a, b);
    EXPECT_EQ(Send(QPM_CALLINTERFACE, &call), QPI_DONE);
    EXPECT_EQ(call.Slot(0).type, QPT_FLOAT64);
    EXPECT_DOUBLE_EQ(call.Slot(0).data.f64, c.expected);
  }
}

TEST_F(SampexWindowTest, ArgumentsAreReadByTheirOwnTypeCode) {
  const struct {
    WORD type;
    QPI_VALUEDATA data;
    double expected;
  } cases[] = {
      {QPT_INT8, U32(0xFD), -3},          {QPT_UINT8, U32(0xFA), 250},
      {QPT_INT16, U32(0xFED4), -300},     {QPT_UINT16, U32(60000), 60000},
      {QPT_INT32, U32(0xFFFFFFFE), -2},   {QPT_UINT32, U32(4000000000u), 4000000000.0},
      {QPT_FLOAT32, F32(0.25f), 0.25},    {QPT_INT64, I64(-50000000000LL), -50000000000.0},
      {QPT_FLOAT64, F64(-7.125), -7.125}, {QPT_COLOR, U32(0xFFFFFFFF), 4294967295.0},
      {0x121, I64(0x100000005LL), 5},  // any other code: the first 4 bytes, unsigned
  };
  for (const auto& c : cases) {
    QpiCallRecord<3> call = Call(257, Value(c.type, c.data), Value(QPT_FLOAT64, F64(0)));
    ASSERT_EQ(Send(QPM_CALLINTERFACE, &call), QPI_DONE) << c.type;
    EXPECT_DOUBLE_EQ(call.Slot(0).data.f64, c.expected) << "type " << c.type;
  }
}

TEST_F(SampexWindowTest, CallsThatCannotBeMadeAreAnswered) {
  const QPI_VALUE one = Value(QPT_FLOAT64, F64(1));
  QpiCallRecord<3> twoSlots = Call(257, one, one);
  twoSlots.call.count = 2;
  QpiCallRecord<3> unknown = Call(300, one, one);
  QpiCallRecord<3> fine = Call(257, one, one);
  const struct {
    void* record;
    DWORD checkWord;
    LRESULT expected;
    const char* why;
  } cases[] = {
      {&twoSlots, MakeHostParam(1), QPI_ERR_ARGS, "slot count 2"},
      {&unknown, MakeHostParam(1), QPI_ERR_ID, "id 300"},
      {nullptr, MakeHostParam(1), QPI_ERR_ARGS, "no record"},
      {&fine, MakeHostParam(1) ^ 0x10000, QPI_ERR_CHECKWORD, "wrong check word"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Send(QPM_CALLINTERFACE, c.record, c.checkWord), c.expected) << c.why;
  }
  EXPECT_EQ(fine.Slot(0).type, 0) << "a refused call leaves its record alone";
  EXPECT_EQ(twoSlots.Slot(0).type, 0);
}

TEST_F(SampexWindowTest, BackColorIsSetFromAnyTypeAndReadBackAsAColour) {
  const struct {
    WORD type;
    QPI_VALUEDATA data;
    COLORREF expected;
  } cases[] = {
      {QPT_FLOAT32, F32(255.9f), 255},
      {QPT_FLOAT64, F64(255.9), 255},
      {QPT_FLOAT64, F64(-1.7), 0xFFFFFFFF},
      {QPT_INT8, U32(0xFF), 0xFFFFFFFF},
      {QPT_UINT8, U32(0x1FF), 0xFF},
      {QPT_INT64, I64(0x1000000FFLL), 0xFF},
      {QPT_COLOR, U32(0x00123456), 0x00123456},
  };
  for (const auto& c : cases) {
    ASSERT_EQ(SetBack(c.type, c.data), QPI_DONE) << c.type;
    EXPECT_EQ(BackColor(), c.expected) << "type " << c.type;
  }
}

TEST_F(SampexWindowTest, RefusedPropertyRequestsChangeNothing) {
  ASSERT_EQ(SetBack(QPT_COLOR, U32(0x00ABCDEF)), QPI_DONE);
  EXPECT_EQ(SetBack(QPT_COLOR, U32(0x0000FF00), MakeHostParam(7) ^ 0x00010000), QPI_ERR_CHECKWORD);

  QPI_CALL adjust = {};
  adjust.id = 259;
  adjust.slot[0].type = QPT_INT32;
  adjust.slot[0].data.u32 = 2;
  EXPECT_EQ(Send(QPM_SETPROPERTY, &adjust), QPI_ERR_ID);
  EXPECT_EQ(Send(QPM_GETPROPERTY, &adjust), QPI_ERR_ID);

  QPI_CALL byPointer = {};
  byPointer.id = 257;
  byPointer.slot[0].type = QPT_COLOR | QPT_BYPOINTER;
  EXPECT_EQ(Send(QPM_GETPROPERTY, &byPointer), QPI_ERR_ARGS);
  EXPECT_EQ(Send(QPM_SETPROPERTY, nullptr), QPI_ERR_ARGS);
  EXPECT_EQ(Send(QPM_GETPROPERTY, nullptr), QPI_ERR_ARGS);
  EXPECT_EQ(Send(QPM_GETPROPERTY, &byPointer, 0x12345678), QPI_ERR_CHECKWORD);
  EXPECT_EQ(BackColor(), 0x00ABCDEFu);
}

TEST_F(SampexWindowTest, TheFontTravelsByPointerAsType38) {
  LOGFONTA font = {};
  font.lfHeight = 30;
  font.lfWeight = FW_BOLD;
  std::strcpy(font.lfFaceName, "Arial");
  QPI_CALL set = {};
  set.id = 258;
  set.slot[0].type = QPT_PLOGFONT;
  set.slot[0].data.ptr = &font;
  ASSERT_EQ(Send(QPM_SETPROPERTY, &set), QPI_DONE);

  LOGFONTA back;
  std::memset(&back, 0xCD, sizeof back);
  QPI_CALL get = {};
  get.id = 258;
  get.slot[0].type = QPT_PLOGFONT;
  get.slot[0].data.ptr = &back;
  ASSERT_EQ(Send(QPM_GETPROPERTY, &get), QPI_DONE);
  EXPECT_EQ(std::memcmp(&back, &font, sizeof font), 0);

  const struct {
    WORD type;
    void* ptr;
  } refused[] = {{QPT_PLOGFONT + QPT_BYPOINTER, &font}, {QPT_INT32, &font}, {QPT_PLOGFONT, nullptr}};
  for (const auto& r : refused) {
    QPI_CALL call = {};
    call.id = 258;
    call.slot[0].type = r.type;
    call.slot[0].data.ptr = r.ptr;
    EXPECT_EQ(Send(QPM_SETPROPERTY, &call), QPI_ERR_ARGS) << r.type;
    EXPECT_EQ(Send(QPM_GETPROPERTY, &call), QPI_ERR_ARGS) << r.type;
  }
}

TEST_F(SampexWindowTest, MouseMovesAreReportedToTheParentAsEvent257) {
  ::SendMessageA(control_, WM_MOUSEMOVE, 0, MAKELPARAM(12, 34));
  ASSERT_EQ(g_fired.size(), 1u);
  const FiredEvent& e = g_fired[0];
  EXPECT_EQ(e.checkWord, MakeHostParam(kControlId));
  EXPECT_EQ(e.record.id, 257);
  EXPECT_EQ(e.record.count, 0) << "the count stays 0 although slot 0 is used";
  EXPECT_EQ(e.record.slot[0].type, QPT_EVENTARG);
  EXPECT_EQ(e.point.x, 12);
  EXPECT_EQ(e.point.y, 34);
  for (BYTE b : e.record.zero) EXPECT_EQ(b, 0);
}

TEST_F(SampexWindowTest, AControlWithoutParentReportsNothing) {
  HWND alone = ::CreateWindowA("Sampxe_1.0", "", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr,
                               ::GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(alone, nullptr);
  ::SendMessageA(alone, WM_MOUSEMOVE, 0, MAKELPARAM(1, 1));
  ::DestroyWindow(alone);
  EXPECT_TRUE(g_fired.empty());
}

TEST_F(SampexWindowTest, ErasingIsLeftToPaintingWhichFillsEverything) {
  EXPECT_EQ(::SendMessageA(control_, WM_ERASEBKGND, 0, 0), 1);
}

}  // namespace
