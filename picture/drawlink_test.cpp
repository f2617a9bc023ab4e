// The draw object's side of its links, with a stand-in link class driven
// through the operations table that the script engine installs.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "archive.h"
#include "drawpoly.h"
#include "objtest_util.h"
#include "qel/picmsg.h"

namespace {

class CFakeLink : public CObject {
  DECLARE_SERIAL(CFakeLink)

 public:
  CFakeLink() { ++alive; }
  CFakeLink(int k, int m, const char* src = "") : kind(k), mode(m), source(src) { ++alive; }
  ~CFakeLink() override { --alive; }
  void Serialize(CArchive& ar) override {
    if (ar.IsStoring())
      ar << kind << mode << source;
    else
      ar >> kind >> mode >> source;
  }

  int kind = 0;
  int mode = 2;
  CString source;
  // Run-time only.
  DrawViewContext context;
  int prepared = 0;
  int runs = 0;
  bool runResult = true;
  int compileErrors = 0;

  static int alive;
};

IMPLEMENT_SERIAL(CFakeLink, CObject, 0)
int CFakeLink::alive = 0;

CFakeLink* Fake(CObject* p) { return static_cast<CFakeLink*>(p); }

const DrawLinkOps kFakeOps = {
    [](CObject* p) { return Fake(p)->kind; },
    [](CObject* p) { return Fake(p)->mode; },
    [](CObject* p, const DrawViewContext& c) {
      Fake(p)->context = c;
      ++Fake(p)->prepared;
    },
    [](CObject* p, int kind, DWORD, HWND) -> int {
      if (kind != Fake(p)->kind) return 0;
      ++Fake(p)->runs;
      return Fake(p)->runResult;
    },
    [](CObject* p) { return !Fake(p)->source.IsEmpty(); },
    [](CObject* p, const char*, CString& errors) {
      errors = "line 1: bad\n";
      return Fake(p)->compileErrors;
    },
    RUNTIME_CLASS(CFakeLink),
    nullptr,  // gives no trigger
};

class DrawLinkTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterObjectClasses();
    CRuntimeClass::Register(RUNTIME_CLASS(CFakeLink));
    SetDrawLinkOps(&kFakeOps);
  }
  void TearDown() override { SetDrawLinkOps(nullptr); }
};

TEST_F(DrawLinkTest, PrepareActionsRunsOnceWithTheObjectAsOwner) {
  CDrawObj obj;
  auto* colour = new CFakeLink(2, 1);
  auto* click = new CFakeLink(101, 2);
  obj.AddAction(colour);
  obj.AddAction(click);
  DrawViewContext view;
  RECT dirty = {};
  view.pUpdateRect = &dirty;
  view.dwReserved = 7;
  obj.PrepareActions(&view);
  obj.PrepareActions(&view);
  EXPECT_EQ(colour->prepared, 1);
  EXPECT_EQ(colour->context.pObject, &obj);
  EXPECT_EQ(colour->context.pUpdateRect, &dirty);
  EXPECT_EQ(colour->context.dwReserved, 7u);
  EXPECT_TRUE(obj.m_bHasMouseActions);
  EXPECT_TRUE(obj.m_bActionsPrepared);
}

TEST_F(DrawLinkTest, OnlyMouseKindsMarkMouseLinks) {
  for (int kind : {100, 104, 105, 106, 500}) {
    CDrawObj obj;
    obj.AddAction(new CFakeLink(kind, 2));
    obj.PrepareActions(nullptr);
    EXPECT_EQ(obj.m_bHasMouseActions != FALSE, kind >= 101 && kind <= 105) << kind;
  }
}

TEST_F(DrawLinkTest, FireActionsAsksEveryLinkAndCountsThoseThatRan) {
  CDrawObj obj;
  auto* a = new CFakeLink(1, 2);
  auto* b = new CFakeLink(1, 2);
  auto* c = new CFakeLink(5, 2);
  b->runResult = false;
  obj.AddAction(a);
  obj.AddAction(b);
  obj.AddAction(c);
  EXPECT_EQ(obj.FireActions(1, 11, nullptr), 1);
  EXPECT_EQ(a->runs, 1);
  EXPECT_EQ(b->runs, 1);
  EXPECT_EQ(c->runs, 0);
}

TEST_F(DrawLinkTest, FindGetAndRemoveByKind) {
  CDrawObj obj;
  obj.AddAction(new CFakeLink(2, 2));
  obj.AddAction(new CFakeLink(7, 1));
  EXPECT_EQ(obj.FindAction(7), 1);
  EXPECT_EQ(obj.FindAction(2), 2);
  EXPECT_EQ(obj.FindAction(3), 0);
  EXPECT_EQ(Fake(obj.GetAction(7))->mode, 1);
  int before = CFakeLink::alive;
  EXPECT_TRUE(obj.RemoveAction(2));
  EXPECT_EQ(CFakeLink::alive, before - 1);
  EXPECT_FALSE(obj.RemoveAction(2));
  EXPECT_EQ(obj.GetActions().GetSize(), 1);
}

TEST_F(DrawLinkTest, DestroyingTheObjectDeletesItsLinks) {
  int before = CFakeLink::alive;
  {
    CDrawObj obj;
    obj.AddAction(new CFakeLink(2, 2));
    obj.AddAction(new CFakeLink(3, 2));
    EXPECT_EQ(CFakeLink::alive, before + 2);
  }
  EXPECT_EQ(CFakeLink::alive, before);
}

TEST_F(DrawLinkTest, ExistingScriptLinkShowsInTheOfferFlags) {
  CDrawPoly poly;
  poly.AddAction(new CFakeLink(2, 2));
  ActionKindDesc kinds[kMaxActionKinds];
  ActionKindList list = {0, kinds};
  ASSERT_EQ(poly.GetActionKinds(&list), 9);
  EXPECT_EQ(kinds[0].kind, 2);
  EXPECT_EQ(kinds[0].flags, 0x0302u);
  EXPECT_EQ(kinds[1].flags, 0x0300u);
}

TEST_F(DrawLinkTest, LinksAreStoredWithTheObjectAndCloned) {
  CDrawPoly poly;
  poly.AddPoint(CPointD(1, 1));
  poly.AddAction(new CFakeLink(2, 1, "a"));
  poly.AddAction(new CFakeLink(0, 2, "main(){}"));
  std::vector<BYTE> bytes = objtest::ObjectBytes(&poly);
  std::unique_ptr<CObject> back(objtest::ReadObjectBytes(bytes));
  EXPECT_EQ(objtest::ObjectBytes(back.get()), bytes);
  std::unique_ptr<CDrawObj> copy(poly.Clone());
  ASSERT_TRUE(copy);
  ASSERT_EQ(copy->GetActions().GetSize(), 2);
  EXPECT_NE(copy->GetActions().GetAt(0), poly.GetActions().GetAt(0));
  EXPECT_EQ(Fake(copy->GetActions().GetAt(1))->source, "main(){}");
  EXPECT_FALSE(copy->m_bActionsPrepared);
}

TEST_F(DrawLinkTest, AnObjectOfAnotherClassInTheLinkArrayIsRejected) {
  CDrawObj obj;
  obj.AddAction(new CDrawObj);  // not a link
  std::vector<BYTE> bytes = objtest::ObjectBytes(&obj);
  EXPECT_THROW(objtest::ReadObjectBytes(bytes), CArchiveException);
}

// Collects the compiler output that the objects send to their output window.
std::vector<std::string> g_output;

LRESULT CALLBACK OutputProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == QCN_OUTPUTTEXT && wParam == 1) {
    g_output.push_back(reinterpret_cast<const char*>(lParam));
    return 0;
  }
  return ::DefWindowProcA(hWnd, msg, wParam, lParam);
}

TEST_F(DrawLinkTest, CompileScriptsReportsOnlyScriptsWithErrors) {
  WNDCLASSA wc = {};
  wc.lpfnWndProc = OutputProc;
  wc.hInstance = ::GetModuleHandleA(nullptr);
  wc.lpszClassName = "QelDrawLinkTestOutput";
  ::RegisterClassA(&wc);
  HWND output =
      ::CreateWindowA(wc.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
  ASSERT_TRUE(output);
  g_output.clear();

  CDrawPoly poly;
  poly.m_strName = "泵";
  poly.AddPoint(CPointD(30.4, 20.6));
  poly.AddPoint(CPointD(10.0, 50.0));
  auto* failing = new CFakeLink(2, 2, "x");
  failing->compileErrors = 2;
  auto* direct = new CFakeLink(3, 1, "x");
  direct->compileErrors = 5;  // a direct link is never compiled
  auto* empty = new CFakeLink(4, 2, "");
  empty->compileErrors = 5;  // nor a script without source
  auto* clean = new CFakeLink(5, 2, "x");
  poly.AddAction(failing);
  poly.AddAction(direct);
  poly.AddAction(empty);
  poly.AddAction(clean);
  int errors = 1;
  poly.CompileScripts(output, "sc\\Tarnic.exe", errors);
  EXPECT_EQ(errors, 3);
  ASSERT_EQ(g_output.size(), 1u);
  EXPECT_EQ(g_output[0], "\n\t多线(泵@LEFT=10,TOP=21) - ( 颜色):\n\t\tline 1: bad\n");
  ::DestroyWindow(output);
}

}  // namespace
