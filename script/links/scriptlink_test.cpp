// Script links on real draw objects: sources compiled by the real compiler
// through the objects' CompileScripts, prepared with a picture window that
// answers tag requests, fired, and run by the machine; and a picture with
// scripts stored and loaded again running the same.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "qel/picmsg.h"
#include "action.h"
#include "qel/checkword.h"
#include "drawrect.h"
#include "linkclasses.h"
#include "picfile.h"
#include "picobj.h"
#include "pichost.h"
#include "pictureclasses.h"
#include "scriptvalue.h"
#include "vmcodes.h"

namespace {

// A copy of the real compiler in a folder of this test's own (tests run side
// by side, and compilations in one folder share their temporary files).
std::string TestFolder() {
  std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
  for (char& c : name)
    if (c == '/') c = '_';
  return "script links\\" + name;
}

std::string CompilerForThisTest() {
  const std::string folder = TestFolder();
  CreateDirectoryA("script links", nullptr);
  CreateDirectoryA(folder.c_str(), nullptr);
  EXPECT_TRUE(CopyFileA("..\\out\\sc\\Tarnic.exe", (folder + "\\Tarnic.exe").c_str(), FALSE));
  EXPECT_TRUE(CopyFileA("..\\out\\sc\\stdlib.txt", (folder + "\\stdlib.txt").c_str(), FALSE));
  return folder + "\\Tarnic.exe";
}

// The picture window of the run (tags from a map, picture names recorded)
// and the editor's output window (texts recorded).
class FakeWindows {
 public:
  FakeWindows() {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = Proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "QelScriptLinkTestWnd";
    RegisterClassA(&wc);
    for (HWND* h : {&picture, &output}) {
      *h = CreateWindowA(wc.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
      SetWindowLongPtrA(*h, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
  }
  ~FakeWindows() {
    DestroyWindow(picture);
    DestroyWindow(output);
  }

  HWND picture = nullptr;
  HWND output = nullptr;
  std::map<std::string, CScriptValue> tags;
  std::vector<std::string> opened;
  std::vector<std::string> texts;

 private:
  static LRESULT CALLBACK Proc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    auto* self = reinterpret_cast<FakeWindows*>(GetWindowLongPtrA(h, GWLP_USERDATA));
    if (!self) return DefWindowProcA(h, msg, wp, lp);
    if (msg == QCN_LINKPICTURE) {
      self->opened.push_back(reinterpret_cast<const char*>(lp));
      return 0;
    }
    if (msg == QCN_OUTPUTTEXT && wp == 1) {
      self->texts.push_back(reinterpret_cast<const char*>(lp));
      return 0;
    }
    if (msg == QSM_READTAG) {
      const auto* request = reinterpret_cast<const NumTagRequest*>(lp);
      if (!IsHostParamValid(static_cast<DWORD>(wp)) || !request) return 1;
      auto it = self->tags.find(request->name);
      if (it == self->tags.end()) return 1;
      std::memcpy(request->value, &it->second, sizeof(QB_VALUE));
      return 0;
    }
    return DefWindowProcA(h, msg, wp, lp);
  }
};

CScriptValue DoubleTag(double d) {
  CScriptValue v;
  v.SetDouble(d);
  return v;
}

// A picture of two rectangles, "pump" (which owns the script link under
// test) and "lamp".
struct TwoObjectPicture {
  TwoObjectPicture() {
    picture.EnsureLayer();
    pump = AddRect("pump", CRectD(0, 0, 100, 50));
    lamp = AddRect("lamp", CRectD(200, 0, 220, 20));
  }
  CDrawRect* AddRect(const char* name, const CRectD& r) {
    auto* rect = new CDrawRect;
    rect->m_strName = name;
    rect->SetCorners(r);
    picture.GetLayer(0)->m_objects.AddTail(rect);
    return rect;
  }
  CAction* AddScript(CDrawObj* owner, const char* source, int trigger = AT_PICTURE_CYCLE) {
    auto* link = new CAction;
    link->m_nMode = AM_SCRIPT;
    link->m_nTrigger = trigger;
    link->m_script.m_strSource = source;
    owner->AddAction(link);
    return link;
  }
  void Prepare(HWND hView) {
    view.pPicture = &picture;
    view.hView = hView;
    view.pUpdateRect = &dirty;
    for (CDrawObj* obj : {static_cast<CDrawObj*>(pump), static_cast<CDrawObj*>(lamp)}) {
      obj->AttachView(&view, TRUE);
      obj->PrepareActions(&view);
    }
  }

  CPicObj picture;
  CDrawRect* pump;
  CDrawRect* lamp;
  DrawViewContext view;
  RECT dirty = {};
};

int32_t GlobalInt(CAction* link, uint32_t i) {
  CPicScriptHost* machine = link->m_script.GetMachine();
  const VmCell* cell = machine && machine->State().globals ? machine->State().globals->Cell(i) : nullptr;
  int64_t v = -999;
  if (cell) CellToInt64(*cell, &v);
  return static_cast<int32_t>(v);
}

class ScriptLinkTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    RegisterPictureClasses();
    RegisterLinkClasses();
  }
};

struct RunCase {
  const char* name;
  const char* source;
  int firings;
  int end_code;
  std::vector<int32_t> globals;
  std::vector<std::string> opened;
};

class ScriptLinkRun : public ScriptLinkTest, public ::testing::WithParamInterface<RunCase> {};

TEST_P(ScriptLinkRun, EndsWithItsCodeAndLeavesItsGlobals) {
  const RunCase& c = GetParam();
  FakeWindows windows;
  windows.tags["FLOW"] = DoubleTag(12.75);
  TwoObjectPicture pic;
  CAction* link = pic.AddScript(pic.pump, c.source);
  int errors = 0;
  pic.pump->CompileScripts(windows.output, CompilerForThisTest().c_str(), errors);
  ASSERT_EQ(errors, 0) << (windows.texts.empty() ? "" : windows.texts[0]);
  ASSERT_FALSE(link->m_script.m_code.IsEmpty());
  pic.Prepare(windows.picture);
  ASSERT_TRUE(link->m_script.HasMachine());
  for (int i = 0; i < c.firings; ++i) EXPECT_EQ(pic.pump->FireActions(AT_PICTURE_CYCLE, i, nullptr), 1);
  EXPECT_EQ(link->m_script.GetMachine()->LastEndCode(), c.end_code);
  for (size_t i = 0; i < c.globals.size(); ++i) EXPECT_EQ(GlobalInt(link, i), c.globals[i]) << "global " << i;
  EXPECT_EQ(windows.opened, c.opened);
}

INSTANTIATE_TEST_SUITE_P(
    Scripts, ScriptLinkRun,
    ::testing::Values(
        RunCase{"GlobalsKeepCountingFromTheirInitialValue",
                "int count = 10; int main() { count++; return 0; }",
                3,
                kVmNormalEnd,
                {13},
                {}},
        RunCase{"OpensAPictureThroughThePictureWindow",
                "int main() { OpenPic(\"pic\\\\泵站.pic\"); return 0; }",
                1,
                kVmNormalEnd,
                {},
                {"pic\\泵站.pic"}},
        RunCase{"ReadsATagThroughThePictureWindow",
                "double flow; int ok; int missing; int main() { ok = dbr_GetDbVal(\"FLOW\", &flow);"
                " missing = dbr_GetDbVal(\"NONE\", &flow); flow = flow * 4; return 0; }",
                1,
                kVmNormalEnd,
                {51, 1, 0},
                {}},
        RunCase{"AnEndlessLoopEndsWithTheBudgetCode",
                "int spins; int main() { while (1) spins++; return 0; }",
                1,
                kVmBudgetExceeded,
                {},
                {}},
        RunCase{"DivisionByZeroEndsTheRun",
                "int z; int r; int main() { r = 7; r = r / z; return 0; }",
                2,
                kVmDivideByZero,
                {0, 7},
                {}},
        RunCase{"ActiveXCallsOnARectangleEndTheRun",
                "int v; int after; int main() { ocx_GetVal(\"lamp\", \"Value\", &v); after = 1; return 0; }",
                1,
                kVmSystemFailed,
                {0, 0},
                {}},
        RunCase{"WritingPastAnArrayEndsTheRun",
                "int a[2]; int i; int main() { for (i = 0; i < 10; i++) a[i] = i; return 0; }",
                1,
                kVmPointerStore,
                {},
                {}}),
    [](const ::testing::TestParamInfo<RunCase>& info) { return std::string(info.param.name); });

TEST_F(ScriptLinkTest, HostCallsChangeTheNamedObjects) {
  FakeWindows windows;
  TwoObjectPicture pic;
  CAction* link =
      pic.AddScript(pic.pump,
                    "int was; double x; double y; char *me; int main() { was = SetViewFlag(\"lamp\", 0);"
                    " MoveTo(me, 500.0, 300.0); GetCenterPoint(\"lamp\", &x, &y); return 0; }");
  int errors = 0;
  pic.pump->CompileScripts(windows.output, CompilerForThisTest().c_str(), errors);
  ASSERT_EQ(errors, 0);
  pic.Prepare(windows.picture);
  EXPECT_EQ(pic.pump->FireActions(AT_PICTURE_CYCLE, 0, nullptr), 1);
  EXPECT_EQ(link->m_script.GetMachine()->LastEndCode(), kVmNormalEnd);
  EXPECT_EQ(GlobalInt(link, 0), 1);
  EXPECT_FALSE(pic.lamp->m_bVisible);
  EXPECT_DOUBLE_EQ(pic.pump->GetCenter().x, 500.0);
  EXPECT_DOUBLE_EQ(pic.pump->GetCenter().y, 300.0);
  EXPECT_EQ(GlobalInt(link, 1), 210);
  EXPECT_EQ(GlobalInt(link, 2), 10);
}

TEST_F(ScriptLinkTest, OnlyTheTriggerOfTheLinkRunsItsScript) {
  FakeWindows windows;
  TwoObjectPicture pic;
  CAction* click = pic.AddScript(pic.pump, "int n; int main() { n++; return 0; }", AK_LBUTTON_DOWN);
  int errors = 0;
  pic.pump->CompileScripts(windows.output, CompilerForThisTest().c_str(), errors);
  ASSERT_EQ(errors, 0);
  pic.Prepare(windows.picture);
  EXPECT_EQ(pic.pump->FireActions(AT_PICTURE_CYCLE, 0, nullptr), 0);
  EXPECT_EQ(pic.pump->FireActions(AK_LBUTTON_DOWN, 0, nullptr), 1);
  EXPECT_EQ(pic.pump->FireActions(AK_LBUTTON_DOWN, 0, nullptr), 1);
  EXPECT_EQ(GlobalInt(click, 0), 2);
}

TEST_F(ScriptLinkTest, CompileErrorsGoToTheOutputWindowAndKeepNoCode) {
  FakeWindows windows;
  TwoObjectPicture pic;
  CAction* bad = pic.AddScript(pic.pump, "int main() {\r\n  undefined_name = 1;\r\n  return 0;\r\n}\r\n");
  CAction* good = pic.AddScript(pic.pump, "int main() { return 0; }");
  CAction* empty = pic.AddScript(pic.pump, "");
  bad->m_script.m_code.SetData(reinterpret_cast<const BYTE*>("old"), 3);
  int errors = 0;
  pic.pump->CompileScripts(windows.output, CompilerForThisTest().c_str(), errors);
  EXPECT_GE(errors, 1);
  ASSERT_EQ(windows.texts.size(), 1u);
  const std::string& text = windows.texts[0];
  EXPECT_EQ(text.rfind("\n\t矩形(pump@LEFT=0,TOP=0) - ( 自定义脚本):\n\t\t", 0), 0u) << text;
  EXPECT_TRUE(bad->m_script.m_code.IsEmpty());
  EXPECT_FALSE(good->m_script.m_code.IsEmpty());
  EXPECT_TRUE(empty->m_script.m_code.IsEmpty());
  // Without code a script link is not prepared; it still reports that it ran.
  pic.Prepare(windows.picture);
  EXPECT_FALSE(bad->m_script.HasMachine());
  EXPECT_TRUE(good->m_script.HasMachine());
  EXPECT_EQ(pic.pump->FireActions(AT_PICTURE_CYCLE, 0, nullptr), 3);
}

TEST_F(ScriptLinkTest, RefusedCodeBytesStayAttachedAndEndAtOnce) {
  TwoObjectPicture pic;
  CAction* link = pic.AddScript(pic.pump, "int main() { return 0; }");
  const BYTE damaged[] = {0x5A, 0xA5, 0x01, 0x02, 0, 0, 0, 0};
  link->m_script.m_code.SetData(damaged, sizeof damaged);
  pic.Prepare(nullptr);
  ASSERT_TRUE(link->m_script.HasMachine());
  EXPECT_EQ(pic.pump->FireActions(AT_PICTURE_CYCLE, 0, nullptr), 1);
  EXPECT_EQ(link->m_script.GetMachine()->LastEndCode(), kVmNotLoaded);
  // Preparing again keeps the one machine.
  CPicScriptHost* machine = link->m_script.GetMachine();
  link->m_script.Prepare(pic.view);
  EXPECT_EQ(link->m_script.GetMachine(), machine);
}

// Compiled, stored in a picture file, loaded again: the loaded picture runs
// its scripts exactly as the one that was compiled.
TEST_F(ScriptLinkTest, APictureWithScriptsRunsTheSameAfterStoringAndLoading) {
  const char counter[] =
      "int ticks = 100; double level; int main() { ticks = ticks + 2; dbr_GetDbVal(\"FLOW\", &level);"
      " if (ticks > 105) SetViewFlag(\"lamp\", 0); return 0; }";
  const char mover[] = "double x = 10.0; char *me; int main() { x = x * 2; MoveTo(me, x, 25.0); return 0; }";
  const char opener[] =
      "int clicks; int main() { clicks++; if (clicks == 2) OpenPic(\"next.pic\"); return 0; }";

  FakeWindows windows;
  windows.tags["FLOW"] = DoubleTag(3.5);
  const std::string compiler = CompilerForThisTest();
  TwoObjectPicture original;
  original.AddScript(original.pump, counter);
  original.AddScript(original.lamp, mover);
  original.AddScript(original.lamp, opener, AK_LBUTTON_UP);
  int errors = 0;
  original.pump->CompileScripts(windows.output, compiler.c_str(), errors);
  original.lamp->CompileScripts(windows.output, compiler.c_str(), errors);
  ASSERT_EQ(errors, 0) << (windows.texts.empty() ? "" : windows.texts[0]);

  const std::string path = TestFolder() + "\\scripts.pic";
  SavePictureFile(original.picture, path.c_str());
  std::unique_ptr<CPicObj> loaded(LoadPictureFile(path.c_str()));
  ASSERT_TRUE(loaded);
  ASSERT_EQ(StorePictureBytes(*loaded), StorePictureBytes(original.picture));

  struct Outcome {
    std::vector<int32_t> pump_globals;
    BOOL lamp_visible;
    CPointD lamp_center;
    std::vector<std::string> opened;
  };
  auto run = [&](CPicObj& picture) {
    FakeWindows view_windows;
    view_windows.tags["FLOW"] = DoubleTag(3.5);
    RECT dirty = {};
    DrawViewContext view;
    view.pPicture = &picture;
    view.hView = view_windows.picture;
    view.pUpdateRect = &dirty;
    CDrawObj* pump = picture.FindObject("pump", nullptr);
    CDrawObj* lamp = picture.FindObject("lamp", nullptr);
    for (CDrawObj* obj : {pump, lamp}) {
      obj->AttachView(&view, TRUE);
      obj->PrepareActions(&view);
    }
    for (DWORD tick = 0; tick < 3; ++tick) {
      pump->FireActions(AT_PICTURE_CYCLE, tick, nullptr);
      lamp->FireActions(AT_PICTURE_CYCLE, tick, nullptr);
      lamp->FireActions(AK_LBUTTON_UP, tick, nullptr);
    }
    auto* link = static_cast<CAction*>(pump->GetActions().GetAt(0));
    Outcome o{
        {GlobalInt(link, 0), GlobalInt(link, 1)}, lamp->m_bVisible, lamp->GetCenter(), view_windows.opened};
    return o;
  };
  const Outcome first = run(original.picture);
  const Outcome second = run(*loaded);
  EXPECT_EQ(first.pump_globals, (std::vector<int32_t>{106, 3}));
  EXPECT_FALSE(first.lamp_visible);
  EXPECT_DOUBLE_EQ(first.lamp_center.x, 80.0);
  EXPECT_DOUBLE_EQ(first.lamp_center.y, 25.0);
  EXPECT_EQ(first.opened, std::vector<std::string>{"next.pic"});
  EXPECT_EQ(second.pump_globals, first.pump_globals);
  EXPECT_EQ(second.lamp_visible, first.lamp_visible);
  EXPECT_DOUBLE_EQ(second.lamp_center.x, first.lamp_center.x);
  EXPECT_DOUBLE_EQ(second.lamp_center.y, first.lamp_center.y);
  EXPECT_EQ(second.opened, first.opened);
}

}  // namespace
