// The picture host's functions: named objects, opening a picture, tags
// through a picture window that answers the service requests, ActiveX calls.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <map>
#include <memory>
#include <string>

#include "qel/picmsg.h"
#include "drawrect.h"
#include "drawtext.h"
#include "pichost.h"
#include "scriptvalue.h"
#include "picobj.h"
#include "vm_test_util.h"
#include "vmcodes.h"

namespace {

// A picture window stand-in: answers the tag requests from maps and records
// the picture names it is asked to open.
struct FakeWindow {
  std::map<std::string, CScriptValue> tags;
  std::map<std::string, CScriptValue> locals;
  std::map<std::string, std::string> texts;  // string tags, real-time and local
  std::string opened;
  std::string written_text;
  int written_type = 0;
  HWND hwnd = nullptr;

  static LRESULT CALLBACK Proc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    auto* self = reinterpret_cast<FakeWindow*>(GetWindowLongPtrA(h, GWLP_USERDATA));
    if (!self) return DefWindowProcA(h, msg, wp, lp);
    auto* req = reinterpret_cast<NumTagRequest*>(lp);
    switch (msg) {
      case QCN_LINKPICTURE: self->opened = reinterpret_cast<const char*>(lp); return 0;
      case QSM_READTAG: return self->ReadNum(self->tags, req);
      case QSM_READLOCAL: return self->ReadNum(self->locals, req);
      case QSM_WRITELOCAL: self->locals[req->name] = *reinterpret_cast<CScriptValue*>(req->value); return 0;
      case QSM_READLOCALVAR:
      case QSM_READREALVAR: {
        auto* v = reinterpret_cast<VarReply*>(reinterpret_cast<VarTagRequest*>(lp)->value);
        auto it = self->texts.find(reinterpret_cast<VarTagRequest*>(lp)->name);
        if (it == self->texts.end()) return 1;
        v->status = 0;
        v->length = static_cast<int32_t>(it->second.size());
        std::memcpy(v->data, it->second.data(), it->second.size());
        return 0;
      }
      case QSM_WRITELOCALVAR: {
        auto* v = reinterpret_cast<VarReply*>(reinterpret_cast<VarTagRequest*>(lp)->value);
        self->written_type = v->type;
        self->written_text.assign(v->data, v->length);
        return 0;
      }
      default: return DefWindowProcA(h, msg, wp, lp);
    }
  }

  LRESULT ReadNum(std::map<std::string, CScriptValue>& from, NumTagRequest* req) {
    auto it = from.find(req->name);
    if (it == from.end()) return 1;
    *reinterpret_cast<CScriptValue*>(req->value) = it->second;
    return 0;
  }

  FakeWindow() {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = Proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "QelVmTestWindow";
    RegisterClassA(&wc);
    hwnd = CreateWindowA("QelVmTestWindow", "", WS_OVERLAPPEDWINDOW, 0, 0, 200, 200, nullptr, nullptr,
                         wc.hInstance, nullptr);
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  }
  ~FakeWindow() { DestroyWindow(hwnd); }
};

// A check box stand-in: a draw object of type 102 over a system check box.
class FakeCheckBox : public CDrawObj {
 public:
  FakeCheckBox() {
    wnd = CreateWindowA("BUTTON", "c", WS_POPUP | BS_AUTOCHECKBOX, 0, 0, 50, 20, nullptr, nullptr,
                        GetModuleHandleA(nullptr), nullptr);
  }
  ~FakeCheckBox() override { DestroyWindow(wnd); }
  DrawObjType GetObjType() override { return DOT_CHECKBT; }
  HWND GetCtrlWnd() override { return wnd; }
  void EnableWnd(BOOL bEnable) override { enabled = bEnable; }
  HWND wnd;
  int enabled = -1;
};

class HostTest : public ::testing::Test {
 protected:
  HostTest() {
    picture.EnsureLayer();
    box = new CDrawRect();
    box->m_strName = "box";
    box->SetCorners(CRectD(0, 0, 100, 50));
    label = new CDrawText();
    label->m_strName = "label";
    label->SetText("old");
    check = new FakeCheckBox();
    check->m_strName = "check";
    picture.GetLayer(0)->m_objects.AddTail(box);
    picture.GetLayer(0)->m_objects.AddTail(label);
    picture.GetLayer(0)->m_objects.AddTail(check);
  }

  // Loads a script into a host whose owner is the box.
  int Run(const std::string& source, bool with_window = true) {
    DrawViewContext context;
    context.pPicture = &picture;
    context.pObject = box;
    context.hView = with_window ? window.hwnd : nullptr;
    context.pUpdateRect = &update;
    host.reset(new CPicScriptHost(context));
    std::vector<uint8_t> code = CompileScript(source);
    int rc = host->Load(code.data(), code.size());
    EXPECT_EQ(rc, 0);
    return rc ? rc : host->Run();
  }

  // The real-time tag T1 holds 2.75, the local tag L1 holds 300.
  void SampleTags() {
    CScriptValue v;
    v.SetDouble(2.75);
    window.tags["T1"] = v;
    CScriptValue w;
    w.SetInt(300);
    window.locals["L1"] = w;
  }

  int32_t Global(uint32_t i) {
    int64_t v = 0;
    CellToInt64(*host->State().globals->Cell(i), &v);
    return static_cast<int32_t>(v);
  }
  double GlobalDouble(uint32_t i) {
    double v = 0;
    CellToDouble(*host->State().globals->Cell(i), &v);
    return v;
  }
  std::string GlobalText(uint32_t i) {
    uint32_t a = Low32(host->State().globals->Cell(i)->value);
    return reinterpret_cast<const char*>(static_cast<uintptr_t>(a));
  }

  FakeWindow window;
  CPicObj picture;
  CDrawRect* box;
  CDrawText* label;
  FakeCheckBox* check;
  RECT update = {};
  std::unique_ptr<CPicScriptHost> host;
};

TEST_F(HostTest, ViewFlagOfANamedObjectAndOfTheOwner) {
  char* none = nullptr;
  (void)none;
  ASSERT_EQ(
      Run("int a; int b; int c; char *me; int main() { a = SetViewFlag(\"label\", 0); b = GetViewFlag(\"label\");"
          " c = GetViewFlag(me); return 0; }"),
      kVmNormalEnd);
  EXPECT_EQ(Global(0), 1);  // the previous flag
  EXPECT_EQ(Global(1), 0);
  EXPECT_EQ(Global(2), 1);  // a null name is the script's own object
  EXPECT_FALSE(label->m_bVisible);
}

TEST_F(HostTest, AMissingNameDoesNothingAndTheRunGoesOn) {
  ASSERT_EQ(
      Run("int a; int main() { a = 5; a = GetViewFlag(\"nobody\"); SetViewText(\"nobody\", \"x\"); return 0; }"),
      kVmNormalEnd);
  EXPECT_EQ(Global(0), 0);
}

TEST_F(HostTest, TextCentreAndMove) {
  ASSERT_EQ(Run("double x; double y; int r; int main() { SetViewText(\"label\", \"new\");"
                " r = MoveTo(\"box\", 200.0, 100.0); GetCenterPoint(\"box\", &x, &y); return 0; }"),
            kVmNormalEnd);
  EXPECT_EQ(std::string(label->GetText().GetString()), "new");
  EXPECT_EQ(Global(2), 1);
  EXPECT_DOUBLE_EQ(GlobalDouble(0), 200.0);
  EXPECT_DOUBLE_EQ(GlobalDouble(1), 100.0);
}

TEST_F(HostTest, OpenPicSendsTheNameToThePictureWindow) {
  ASSERT_EQ(Run("int main() { OpenPic(\"sub\\\\next.pic\"); return 0; }"), kVmNormalEnd);
  EXPECT_EQ(window.opened, "sub\\next.pic");
}

TEST_F(HostTest, ReadingTagsIntoEachDestinationType) {
  SampleTags();
  ASSERT_EQ(
      Run("int i; double d; char c; char s[16]; int ok; int bad; int64 q; char *p; int main() {"
          " p = s; ok = dbr_GetDbVal(\"T1\", &i) + dbr_GetDbVal(\"T1\", &d) + dbr_GetLoaclVal(\"L1\", &c)"
          " + dbr_GetDbVal(\"T1\", p) + dbr_GetLoaclVal(\"L1\", &q);"
          " bad = dbr_GetDbVal(\"missing\", &i); return 0; }"),
      kVmNormalEnd);
  EXPECT_EQ(Global(4), 5);
  EXPECT_EQ(Global(0), 2);
  EXPECT_DOUBLE_EQ(GlobalDouble(1), 2.75);
  EXPECT_EQ(Global(2), 44);  // the low byte of 300
  EXPECT_EQ(GlobalText(3), "2.75");
  EXPECT_EQ(Global(6), 300);
  EXPECT_EQ(Global(5), 0);
}

// A character array arrives through "..." with the address bit only; like a
// character pointer it receives the value's text, cut to its room. The
// address of a char variable has the same type and still takes the low byte.
TEST_F(HostTest, ACharacterArrayReceivesTheValuesText) {
  SampleTags();
  ASSERT_EQ(Run("char s[16]; char t[16]; char small[3]; char c; int ok; int main() {"
                " ok = dbr_GetDbVal(\"T1\", s) + dbr_GetLoaclVal(\"L1\", t) + dbr_GetDbVal(\"T1\", small)"
                " + dbr_GetLoaclVal(\"L1\", &c); return 0; }"),
            kVmNormalEnd);
  EXPECT_EQ(Global(4), 4);
  EXPECT_EQ(GlobalText(0), "2.75");
  EXPECT_EQ(GlobalText(1), "300");
  EXPECT_EQ(GlobalText(2), "2.7");
  EXPECT_EQ(Global(3), 44);  // the low byte of 300
}

// The edit text's buffer starts empty: a name that finds no object leaves it
// empty, not as it was.
TEST_F(HostTest, EditTextOfAMissingObjectEmptiesTheBuffer) {
  ASSERT_EQ(Run("char b[8]; int n; int main() { strcpy(b, \"keep\"); n = 5; n = ed_GetText(\"nobody\", b, 8);"
                " return 0; }"),
            kVmNormalEnd);
  EXPECT_EQ(GlobalText(0), "");
  EXPECT_EQ(Global(1), 0);
}

TEST_F(HostTest, WritingLocalTags) {
  ASSERT_EQ(
      Run("int a; int b; int c; int main() { a = dbr_SetLoaclVal(\"L2\", 1.5); b = dbr_SetLoaclVal(\"L3\", \"text\");"
          " c = dbr_SetLoaclStr(\"S1\", \"hello\"); return 0; }"),
      kVmNormalEnd);
  EXPECT_EQ(Global(0), 1);
  EXPECT_EQ(window.locals["L2"].m_type, SV_DOUBLE);
  EXPECT_DOUBLE_EQ(window.locals["L2"].m_value.d, 1.5);
  EXPECT_EQ(Global(1), 0);  // a text is not written as a basic value
  EXPECT_EQ(window.locals.count("L3"), 0u);
  EXPECT_EQ(Global(2), 1);
  EXPECT_EQ(window.written_type, SV_STRING);
  EXPECT_EQ(window.written_text, "hello");
}

TEST_F(HostTest, StringTagsIntoBuffers) {
  window.texts["S"] = "abcdef";
  ASSERT_EQ(Run("char b[16]; int n; int one; int none; int main() { n = dbr_GetDbStr(\"S\", b, 4);"
                " one = dbr_GetLoaclStr(\"S\", b, 1); none = dbr_GetLoaclStr(\"S\", b, 0); return 0; }"),
            kVmNormalEnd);
  EXPECT_EQ(Global(1), 3);
  EXPECT_EQ(Global(2), 0);
  EXPECT_EQ(GlobalText(0), "");
  EXPECT_EQ(Global(3), 0);
}

// A buffer size of 0 or less copies nothing, not even the terminating zero.
TEST_F(HostTest, BufferSizesOfZeroOrLessCopyNothing) {
  window.texts["S"] = "abcdef";
  label->SetText("text");
  ASSERT_EQ(
      Run("char b[8]; int n0; int n1; int n2; int n3; int n4; int n5; int main() {"
          " strcpy(b, \"keep\"); n0 = ed_GetText(\"label\", b, 0); n1 = ed_GetText(\"label\", b, -1);"
          " n2 = dbr_GetDbStr(\"S\", b, -5); n3 = dbr_GetLoaclBlob(\"S\", b, 0);"
          " n4 = dbr_GetDbBlob(\"S\", b, -2147483647 - 1); n5 = dbr_GetLoaclStr(\"S\", b, -1); return 0; }"),
      kVmNormalEnd);
  EXPECT_EQ(GlobalText(0), "keep");
  for (uint32_t i = 1; i <= 6; ++i) EXPECT_EQ(Global(i), 0) << i;
}

TEST_F(HostTest, TagFunctionsNeedAPictureWindow) {
  EXPECT_EQ(Run("int i; int main() { dbr_GetDbVal(\"T\", &i); return 0; }", false), kVmSystemFailed);
}

TEST_F(HostTest, EditTextIsCutToTheBuffer) {
  label->SetText("单行文字");
  ASSERT_EQ(Run("char b[16]; int n; int main() { n = ed_GetText(\"label\", b, 5); return 0; }"),
            kVmNormalEnd);
  EXPECT_EQ(Global(1), 4);
  EXPECT_EQ(GlobalText(0), std::string("单行文字").substr(0, 4));
}

TEST_F(HostTest, CheckStateAndEnablingOfControls) {
  ASSERT_EQ(Run("int before; int after; int other; int main() { before = bt_GetCheck(\"check\");"
                " bt_SetCheck(\"check\", 1); after = bt_GetCheck(\"check\"); other = bt_GetCheck(\"box\");"
                " EnableWindow(\"check\", 0); EnableWindow(\"box\", 0); return 0; }"),
            kVmNormalEnd);
  EXPECT_EQ(Global(0), 0);
  EXPECT_EQ(Global(1), 1);
  EXPECT_EQ(Global(2), 0);  // a rectangle has no check state
  EXPECT_EQ(SendMessageA(check->wnd, BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(check->enabled, 0);
}

TEST_F(HostTest, ActiveXCallsEnd) {
  // On a rectangle the call fails; on an ActiveX object it is not available.
  EXPECT_EQ(Run("int v; int main() { ocx_GetVal(\"box\", \"Value\", &v); return 0; }"), kVmSystemFailed);
  EXPECT_EQ(host->LastSystemCode(), kSysNotActiveX);
}

TEST_F(HostTest, UnknownHostIdsEndTheRun) {
  for (uint32_t id : {1300u, 2000u, 1055u, 1599u}) {
    CPicScriptHost h(DrawViewContext{&picture, box, window.hwnd, &update, 0});
    std::vector<uint8_t> code = CompileScript("int main() { return 0; }");
    ASSERT_EQ(h.Load(code.data(), code.size()), 0);
    EXPECT_EQ(h.CallFunction(static_cast<int>(id)), kSysUnknown) << id;
  }
}

}  // namespace
