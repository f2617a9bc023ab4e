// Tag references answered by a real window: a window class of the test
// answers the service requests from small maps, as a picture window does,
// after checking the check word.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <map>
#include <string>

#include "qel/picmsg.h"
#include "qel/checkword.h"
#include "experror.h"
#include "expression.h"
#include "hostrequest.h"

namespace {

struct TagWindowState {
  std::map<std::string, CScriptValue> database;
  std::map<std::string, CScriptValue> local;
  std::map<std::string, std::string> databaseText;
  std::map<std::string, std::string> localText;
  std::map<std::string, CScriptValue> written;
  int requests = 0;
  int rejected = 0;
  UINT lastMessage = 0;
  WPARAM lastCheckWord = 0;
  std::string lastName;
  // When set, a read of this expression's first tag evaluates it once more
  // before answering, as a host that lets the window tick inside a read.
  CExpression* reenter = nullptr;
  HWND reenterWindow = nullptr;
  int reenteredRc = -1;
  CExpValue reenteredResult;
};

TagWindowState g_state;

LRESULT AnswerNumeric(const std::map<std::string, CScriptValue>& values, const NumTagRequest* r) {
  auto it = values.find(r->name);
  if (it == values.end()) return 1;
  memcpy(r->value, &it->second, sizeof(QB_VALUE));
  return 0;
}

LRESULT AnswerVariable(const std::map<std::string, std::string>& values, const VarTagRequest* r) {
  auto it = values.find(r->name);
  if (it == values.end()) return 1;
  memset(r->value, 0, sizeof(VarReply));
  r->value->type = QB_TYPE_STRING;
  r->value->length = static_cast<int32_t>(it->second.size());
  memcpy(r->value->data, it->second.data(), it->second.size());
  return 0;
}

LRESULT OnServiceRequest(UINT message, WPARAM wParam, LPARAM lParam) {
  g_state.lastMessage = message;
  g_state.lastCheckWord = wParam;
  if (!IsHostParamValid(static_cast<DWORD>(wParam)) || !lParam) {
    ++g_state.rejected;
    return 1;
  }
  ++g_state.requests;
  const NumTagRequest* num = reinterpret_cast<const NumTagRequest*>(lParam);
  const VarTagRequest* var = reinterpret_cast<const VarTagRequest*>(lParam);
  g_state.lastName = num->name ? num->name : "";
  if (message == QSM_READTAG && g_state.reenter) {
    CExpression* again = g_state.reenter;
    g_state.reenter = nullptr;
    g_state.reenteredRc = again->Calculate(g_state.reenteredResult, g_state.reenterWindow);
  }
  switch (message) {
    case QSM_READTAG: return AnswerNumeric(g_state.database, num);
    case QSM_READLOCAL: return AnswerNumeric(g_state.local, num);
    case QSM_READREALVAR: return AnswerVariable(g_state.databaseText, var);
    case QSM_READLOCALVAR: return AnswerVariable(g_state.localText, var);
    case QSM_WRITELOCAL:
      memcpy(static_cast<void*>(&g_state.written[num->name]), num->value, sizeof(QB_VALUE));
      return 0;
    default: return 1;
  }
}

LRESULT CALLBACK TagWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message >= QSM_TAGGETATTR && message <= QSM_WRITELOCALVAR)
    return OnServiceRequest(message, wParam, lParam);
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

CScriptValue Number(BYTE type, double v) {
  CScriptValue s;
  switch (type) {
    case SV_FLOAT: s.SetFloat(static_cast<float>(v)); break;
    case SV_DOUBLE: s.SetDouble(v); break;
    case SV_INT64: s.SetInt64(static_cast<int64_t>(v)); break;
    default: s.SetInt(static_cast<int32_t>(v), type); break;
  }
  return s;
}

class ExpressionTagTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = TagWindowProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "QelScriptTagTestWnd";
    RegisterClassA(&wc);
  }

  void SetUp() override {
    g_state = TagWindowState();
    window_ = CreateWindowA("QelScriptTagTestWnd", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                            GetModuleHandleA(nullptr), nullptr);
    ASSERT_TRUE(window_ != nullptr);
    // A window of the system's standard class answers every request 0 and fills nothing.
    silent_ =
        CreateWindowA("STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_TRUE(silent_ != nullptr);
    g_state.database["level"] = Number(SV_INT32, 21);
    g_state.database["switch"] = Number(SV_DIGITAL, 5);
    g_state.database["temp"] = Number(SV_FLOAT, 1.5);
    g_state.database["flow"] = Number(SV_DOUBLE, 2.25);
    g_state.database["wide"] = Number(SV_INT64, 4294967299.0);  // 0x100000003
    g_state.database["neg"] = Number(SV_DOUBLE, -16);
    CScriptValue stale = Number(SV_INT32, 7);
    stale.m_status = 'C';
    g_state.database["stale"] = stale;
    g_state.local["count"] = Number(SV_INT32, 9);
    g_state.local["ratio"] = Number(SV_DOUBLE, 0.5);
    g_state.databaseText["name"] = "泵1";
    g_state.databaseText["long"] = std::string(300, 'q');
    g_state.localText["note"] = "ok";
  }

  void TearDown() override {
    DestroyWindow(window_);
    DestroyWindow(silent_);
  }

  int Eval(const char* text, CExpValue& result, HWND window) {
    CExpression e;
    const int rc = e.CheckText(text);
    if (rc != EXP_OK) return 100 + rc;
    return e.Calculate(result, window);
  }

  HWND window_ = nullptr;
  HWND silent_ = nullptr;
};

TEST_F(ExpressionTagTest, NumericReferences) {
  struct Case {
    const char* text;
    int type;
    double value;
  } cases[] = {
      {"TV(level)*2", EV_INT, 42},
      {"tv(switch)", EV_INT, 5},
      {"TV(temp)", EV_DOUBLE, 1.5},
      {"TV(flow)+1", EV_DOUBLE, 3.25},
      {"TV(wide)", EV_INT, 3},  // read as a 32-bit integer
      {"LV(count)+1", EV_INT, 10},
      {"Lv(ratio)*4", EV_DOUBLE, 2.0},
      {"sqrt(abs(TV(neg)))", EV_DOUBLE, 4.0},
      {"TV(level)>20&&LV(count)<10", EV_INT, 1},
      {"TV(level)-LV(count)-2", EV_INT, 10},  // from the left
      {"210/TV(level)/5", EV_INT, 2},
      {"TV(level)%LV(count)*2", EV_INT, 6},
      {"TV(level)+LV(count)*2", EV_INT, 39},
      {"TV(temp)*LV(count)", EV_DOUBLE, 13.5},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    CExpValue result;
    ASSERT_EQ(EXP_OK, Eval(c.text, result, window_));
    ASSERT_EQ(c.type, result.GetType());
    EXPECT_DOUBLE_EQ(c.value, result.AsDouble());
  }
}

TEST_F(ExpressionTagTest, RequestsCarryTheCheckWordAndTheName) {
  CExpValue result;
  ASSERT_EQ(EXP_OK, Eval("TV(level)", result, window_));
  EXPECT_EQ(static_cast<UINT>(QSM_READTAG), g_state.lastMessage);
  EXPECT_EQ(0xC9DD00DBu, static_cast<DWORD>(g_state.lastCheckWord));
  EXPECT_EQ("level", g_state.lastName);
  ASSERT_EQ(EXP_OK, Eval("LV(count)", result, window_));
  EXPECT_EQ(static_cast<UINT>(QSM_READLOCAL), g_state.lastMessage);
  ASSERT_EQ(EXP_OK, Eval("TVV(name)", result, window_));
  EXPECT_EQ(static_cast<UINT>(QSM_READREALVAR), g_state.lastMessage);
  ASSERT_EQ(EXP_OK, Eval("LVV(note)", result, window_));
  EXPECT_EQ(static_cast<UINT>(QSM_READLOCALVAR), g_state.lastMessage);
  EXPECT_EQ(4, g_state.requests);
  EXPECT_EQ(0, g_state.rejected);
}

TEST_F(ExpressionTagTest, StringReferences) {
  CExpValue result;
  ASSERT_EQ(EXP_OK, Eval("TVV(name)+\"号\"", result, window_));
  EXPECT_STREQ("泵1号", result.GetString());
  ASSERT_EQ(EXP_OK, Eval("LVV(note)", result, window_));
  EXPECT_STREQ("ok", result.GetString());
  ASSERT_EQ(EXP_OK, Eval("TVV(long)", result, window_));
  EXPECT_EQ(std::string(255, 'q'), result.GetString());  // at most 255 bytes
}

TEST_F(ExpressionTagTest, FailedReadsAreError9) {
  const char* texts[] = {"TV(missing)",  "LV(missing)", "TVV(missing)",
                         "LVV(missing)", "TV(stale)",   "1+TV(missing)"};
  for (const char* text : texts) {
    SCOPED_TRACE(text);
    CExpValue result;
    EXPECT_EQ(EXP_ERR_TAGREAD, Eval(text, result, window_));
    EXPECT_EQ(EV_INT, result.GetType());
  }
}

TEST_F(ExpressionTagTest, ADivisorOfZeroReadFromATagIsError5) {
  g_state.local["zero"] = Number(SV_INT32, 0);
  CExpValue result;
  EXPECT_EQ(EXP_ERR_ARGUMENT, Eval("TV(level)/LV(zero)", result, window_));
  EXPECT_EQ(EXP_ERR_ARGUMENT, Eval("TV(level)%LV(zero)", result, window_));
  ASSERT_EQ(EXP_OK, Eval("TV(flow)/LV(zero)", result, window_));  // doubles: infinite
  EXPECT_TRUE(std::isinf(result.GetDouble()));
}

TEST_F(ExpressionTagTest, AWindowThatFillsNothing) {
  CExpValue result;
  // A numeric record stays as sent: zero, valid.
  ASSERT_EQ(EXP_OK, Eval("TV(level)", result, silent_));
  EXPECT_EQ(0, result.GetInt());
  // The variable read's status byte was set to 1 before sending: not read.
  EXPECT_EQ(EXP_ERR_TAGREAD, Eval("TVV(name)", result, silent_));
}

TEST_F(ExpressionTagTest, NamesAreCutTo79Characters) {
  const std::string name(85, 'n');
  g_state.database[name.substr(0, 79)] = Number(SV_INT32, 3);
  CExpValue result;
  ASSERT_EQ(EXP_OK, Eval(("TV(" + name + ")").c_str(), result, window_));
  EXPECT_EQ(79u, g_state.lastName.size());
  EXPECT_EQ(3, result.GetInt());
}

TEST_F(ExpressionTagTest, CutsNeverSplitACharacter) {
  // A name of 78 bytes and a double-byte character: the character would end
  // on byte 80, so the name sent is the 78 bytes alone.
  const std::string name78(78, 'n');
  g_state.database[name78] = Number(SV_INT32, 4);
  CExpValue result;
  ASSERT_EQ(EXP_OK, Eval(("TV(" + name78 + "泵)").c_str(), result, window_));
  EXPECT_EQ(name78, g_state.lastName);
  EXPECT_EQ(4, result.GetInt());

  // A text reply of 254 bytes and a character: the character is left out.
  g_state.databaseText["text"] = std::string(254, 'q') + "泵站";
  ASSERT_EQ(EXP_OK, Eval("TVV(text)", result, window_));
  EXPECT_EQ(std::string(254, 'q'), result.GetString());
  EXPECT_EQ(254u, result.m_length);
  g_state.localText["text"] = std::string(253, 'q') + "泵站";
  ASSERT_EQ(EXP_OK, Eval("LVV(text)", result, window_));
  EXPECT_EQ(std::string(253, 'q') + "泵", result.GetString());
}

TEST_F(ExpressionTagTest, NestedParenthesesBelongToTheName) {
  g_state.database["a(1)"] = Number(SV_INT32, 8);
  CExpValue result;
  ASSERT_EQ(EXP_OK, Eval("TV(a(1))/2", result, window_));
  EXPECT_EQ(4, result.GetInt());
}

TEST_F(ExpressionTagTest, AWrongCheckWordIsAnswered1WithoutActing) {
  CScriptValue value;
  value.SetInt(77);
  NumTagRequest request = {"level", reinterpret_cast<QB_VALUE*>(&value)};
  const DWORD wrong = MakeHostParam(QSM_CHECKCODE) ^ 0x00010000;
  EXPECT_EQ(1, SendMessageA(window_, QSM_READTAG, wrong, reinterpret_cast<LPARAM>(&request)));
  EXPECT_EQ(77, value.m_value.i32);
  EXPECT_EQ(0, g_state.requests);
  // Another low word with its own CRC is accepted.
  EXPECT_EQ(0, SendMessageA(window_, QSM_READTAG, MakeHostParam(1234), reinterpret_cast<LPARAM>(&request)));
  EXPECT_EQ(21, value.m_value.i32);
}

TEST_F(ExpressionTagTest, SendersWithoutAWindowReturn1) {
  CScriptValue value;
  VarReply reply = {};
  EXPECT_EQ(1, HostReadTag(nullptr, "level", &value));
  EXPECT_EQ(1, HostReadLocal(nullptr, "count", &value));
  EXPECT_EQ(1, HostReadLocalVar(nullptr, "note", &reply));
  EXPECT_EQ(1, HostReadRealVar(nullptr, "name", &reply));
  EXPECT_EQ(1, HostWriteLocal(nullptr, "count", &value));
  EXPECT_EQ(1, HostWriteLocalVar(nullptr, "note", &reply));
  EXPECT_EQ(0, reply.status);  // nothing was touched
}

TEST_F(ExpressionTagTest, SendersPassTheValueRecord) {
  CScriptValue value;
  value.SetDouble(6.5);
  EXPECT_EQ(0, HostWriteLocal(window_, "ratio", &value));
  EXPECT_EQ(SV_DOUBLE, g_state.written["ratio"].m_type);
  EXPECT_EQ(6.5, g_state.written["ratio"].m_value.d);

  VarReply reply = {};
  EXPECT_EQ(0, HostReadRealVar(window_, "name", &reply));
  EXPECT_STREQ("泵1", reply.data);
  EXPECT_EQ(1, HostReadLocalVar(window_, "missing", &reply));
}

TEST_F(ExpressionTagTest, AnEvaluationInsideATagReadOfTheSameExpressionKeepsBothApart) {
  CExpression e;
  ASSERT_EQ(EXP_OK, e.CheckText("1+TV(level)*(2+pow(TV(level),1))"));
  g_state.reenter = &e;
  g_state.reenterWindow = window_;
  CExpValue outer;
  ASSERT_EQ(EXP_OK, e.Calculate(outer, window_));
  ASSERT_EQ(EXP_OK, g_state.reenteredRc);
  EXPECT_DOUBLE_EQ(1 + 21 * (2 + 21.0), outer.GetDouble());
  EXPECT_DOUBLE_EQ(1 + 21 * (2 + 21.0), g_state.reenteredResult.GetDouble());
}

}  // namespace
