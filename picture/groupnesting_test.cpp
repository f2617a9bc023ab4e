// Groups nested to the bound and past it. The picture readers refuse a deeper
// picture with the archive exception and leave nothing behind; the model
// refuses to build one; a picture at the bound loads, draws, is hit, clones
// and saves its bytes again. The stack that one level of each walk through
// the groups takes is measured, so that the bound stays far inside a stack.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "drawcell.h"
#include "drawgroup.h"
#include "drawrect.h"
#include "file.h"
#include "groupclasses.h"
#include "picfile.h"
#include "picobj.h"
#include "render_surface.h"
#include "streamtest_util.h"

namespace {

using streamtest::Bytes;

using streamtest::kBackground;
using streamtest::kLeafRect;
using streamtest::NestedPictureBytes;

// The class of each level of groups, outermost first: groups, with every
// third level a sub-picture.
std::vector<const char*> Levels(int depth) {
  std::vector<const char*> levels;
  for (int i = 0; i < depth; ++i) levels.push_back(i % 3 == 2 ? "CDrawCell" : "CDrawGroup");
  return levels;
}

// Groups only: every walk goes down to the leaf (a sub-picture keeps its
// children from the shallow search and has no windows to count).
std::vector<const char*> GroupLevels(int depth) { return std::vector<const char*>(depth, "CDrawGroup"); }

CDrawGroup* NewLevel(const char* className) {
  return std::string(className) == "CDrawCell" ? new CDrawCell : new CDrawGroup;
}

// The same picture built with the model (up to the bound).
std::unique_ptr<CPicObj> NestedPicture(const std::vector<const char*>& levels, CDrawObj* leaf) {
  leaf->m_strName = "leaf";
  leaf->m_rect = kLeafRect;
  CDrawObj* inner = leaf;
  for (auto it = levels.rbegin(); it != levels.rend(); ++it) {
    CDrawGroup* group = NewLevel(*it);
    EXPECT_TRUE(group->AddChild(inner));
    inner = group;
  }
  if (!levels.empty()) static_cast<CDrawGroup*>(inner)->ResetReferenceRect();  // every level's rectangle
  std::unique_ptr<CPicObj> picture(new CPicObj);
  picture->m_clrBack = kBackground;
  picture->EnsureLayer();
  picture->GetLayer(0)->m_objects.AddTail(inner);
  return picture;
}

CDrawObj* TopObject(CPicObj& picture) {
  return static_cast<CDrawObj*>(picture.GetLayer(0)->m_objects.GetHead());
}

CDrawGroup* TopGroup(CPicObj& picture) { return static_cast<CDrawGroup*>(TopObject(picture)); }

CDrawGroup* InnermostGroup(CDrawGroup* group) {
  for (;;) {
    CObject* child = group->GetChildren().GetHead();
    if (!child->IsKindOf(RUNTIME_CLASS(CDrawGroup))) return group;
    group = static_cast<CDrawGroup*>(child);
  }
}

CPicObj* Load(const std::vector<BYTE>& bytes) {
  return LoadPictureBuffer(bytes.data(), static_cast<UINT>(bytes.size()));
}

std::string TempPath(const char* name) {
  char dir[MAX_PATH];
  ::GetTempPathA(MAX_PATH, dir);
  return std::string(dir) + name;
}

void WriteFileBytes(const std::string& path, const std::vector<BYTE>& bytes) {
  CFile file(path.c_str(), CFile::modeCreate | CFile::modeWrite | CFile::typeBinary);
  file.Write(bytes.data(), static_cast<UINT>(bytes.size()));
  file.Close();
}

// The cause of the archive exception that loading throws, or -1 when the
// picture loads (it is deleted again).
int LoadFailure(const std::function<CPicObj*()>& load) {
  try {
    delete load();
  } catch (CArchiveException& e) {
    return e.m_cause;
  }
  return -1;
}

class GroupNestingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterObjectClasses();
    RegisterGroupAndControlClasses();
    live_ = CObject::GetLiveCount();
  }
  void TearDown() override { EXPECT_EQ(CObject::GetLiveCount(), live_) << "objects leaked"; }
  LONG live_ = 0;
};

TEST_F(GroupNestingTest, GeneratedBytesAreTheBytesThatTheModelStores) {
  for (int depth : {1, 3, CDrawGroup::kMaxNesting}) {
    auto* leaf = new CDrawRect;
    leaf->SetCorners(kLeafRect);
    auto picture = NestedPicture(Levels(depth), leaf);
    EXPECT_EQ(StorePictureBytes(*picture), NestedPictureBytes(Levels(depth))) << depth;
  }
}

TEST_F(GroupNestingTest, ModelRefusesToNestPastTheBound) {
  auto picture = NestedPicture(Levels(CDrawGroup::kMaxNesting), new CDrawObj);
  CDrawGroup* top = TopGroup(*picture);
  ASSERT_EQ(CDrawGroup::NestingOf(top), CDrawGroup::kMaxNesting);

  // One more level above or below is refused; the caller keeps the object.
  std::unique_ptr<CDrawGroup> above(new CDrawGroup);
  EXPECT_FALSE(above->AddChild(top));
  EXPECT_TRUE(above->GetChildren().IsEmpty());
  CDrawGroup* innermost = InnermostGroup(top);
  std::unique_ptr<CDrawGroup> below(new CDrawGroup);
  EXPECT_FALSE(innermost->AddChild(below.get()));
  // A leaf adds no level.
  EXPECT_TRUE(innermost->AddChild(new CDrawObj));
  EXPECT_EQ(CDrawGroup::NestingOf(top), CDrawGroup::kMaxNesting);
}

TEST_F(GroupNestingTest, ModelRefusesGroupsThatWouldHoldThemselvesOrHaveTwoHolders) {
  CDrawGroup outer;
  auto* inner = new CDrawGroup;
  ASSERT_TRUE(outer.AddChild(inner));
  EXPECT_FALSE(outer.AddChild(&outer));
  EXPECT_FALSE(inner->AddChild(&outer));
  EXPECT_FALSE(outer.AddChild(inner));  // held already
  CDrawGroup other;
  EXPECT_FALSE(other.AddChild(inner));
  EXPECT_FALSE(outer.AddChild(nullptr));
  EXPECT_EQ(outer.GetChildren().GetCount(), 1);
  EXPECT_EQ(CDrawGroup::NestingOf(&outer), 2);
}

TEST_F(GroupNestingTest, PictureAtTheBoundLoadsDrawsIsHitClonesAndSavesTheSameBytes) {
  const std::vector<BYTE> bytes = NestedPictureBytes(Levels(CDrawGroup::kMaxNesting));
  const std::string path = TempPath("qel_nesting_bound.pic");
  WriteFileBytes(path, bytes);
  std::unique_ptr<CPicObj> fromFile(LoadPictureFile(path.c_str()));
  EXPECT_EQ(StorePictureBytes(*fromFile), bytes);
  ::DeleteFileA(path.c_str());

  std::unique_ptr<CPicObj> picture(Load(bytes));
  CDrawGroup* top = TopGroup(*picture);
  EXPECT_EQ(CDrawGroup::NestingOf(top), CDrawGroup::kMaxNesting);
  CDrawObj* leaf = top->FindByName("leaf");
  ASSERT_NE(leaf, nullptr);
  EXPECT_EQ(leaf->GetObjType(), DOT_RECT);

  // Hitting the leaf's frame selects the leaf, which then draws its frame.
  DrawViewContext context;
  context.pPicture = picture.get();
  top->AttachView(&context, FALSE);
  top->SetViewTransform(POINT{0, 0}, 1.0);
  CDrawObj* hit = nullptr;
  EXPECT_EQ(top->HitTest(CPointD(20, 20), &hit), 0);
  EXPECT_EQ(hit, top);
  EXPECT_TRUE(leaf->m_bSelected);
  // The nested leaf draws as the same rectangle drawn on its own.
  CDrawRect alone;
  alone.SetCorners(kLeafRect);
  alone.SetSelected(TRUE);
  qeltest::RenderSurface nested(60, 60), single(60, 60);
  ASSERT_TRUE(nested.IsValid() && single.IsValid());
  nested.Fill(0x123456);
  single.Fill(0x123456);
  {
    CDC dc(nested.dc());
    top->Draw(&dc, 0);
    CDC singleDc(single.dc());
    alone.Draw(&singleDc, 0);
  }
  EXPECT_NE(nested.CountPixels(0x123456), 60 * 60);
  for (int y = 0; y < 60; ++y)
    for (int x = 0; x < 60; ++x) ASSERT_EQ(nested.Pixel(x, y), single.Pixel(x, y)) << x << "," << y;
  top->SetSelected(FALSE);

  std::unique_ptr<CDrawObj> clone(top->Clone());
  ASSERT_NE(clone, nullptr);
  EXPECT_EQ(CDrawGroup::NestingOf(clone.get()), CDrawGroup::kMaxNesting);
  EXPECT_EQ(objtest::ObjectBytes(clone.get()), objtest::ObjectBytes(top));
  CObList copies;
  top->CopyToList(copies);  // groups copy their children, down to the leaf
  ASSERT_EQ(copies.GetCount(), 1);
  EXPECT_EQ(static_cast<CDrawObj*>(copies.GetHead())->m_strName, "leaf");
  DeleteObjectList(copies);

  EXPECT_EQ(StorePictureBytes(*picture), bytes);
}

TEST_F(GroupNestingTest, DeeperPicturesFailWithTheArchiveExceptionAndLeaveNothing) {
  const std::string path = TempPath("qel_nesting_deep.pic");
  // Just past the group bound, at and past the archive's bound, and far past.
  for (int depth : {CDrawGroup::kMaxNesting + 1, CArchive::kMaxNesting - 1, CArchive::kMaxNesting, 10000}) {
    const std::vector<BYTE> bytes = NestedPictureBytes(Levels(depth));
    EXPECT_EQ(LoadFailure([&] { return Load(bytes); }), CArchiveException::tooDeep) << depth;
    EXPECT_EQ(CObject::GetLiveCount(), live_) << depth;
    WriteFileBytes(path, bytes);
    EXPECT_EQ(LoadFailure([&] { return LoadPictureFile(path.c_str()); }), CArchiveException::tooDeep)
        << depth;
    EXPECT_EQ(CObject::GetLiveCount(), live_) << depth;
  }
  ::DeleteFileA(path.c_str());
}

// The clipboard and undo copies are object lists read by the same loader.
TEST_F(GroupNestingTest, DeepObjectListFailsWithTheArchiveException) {
  Bytes b;
  streamtest::References refs;
  b.Word(1);
  for (int i = 0; i < 10000; ++i) {
    refs.NewObject(b, "CDrawGroup");
    streamtest::AppendObjPart(b, streamtest::ObjPart()).Word(1);
  }
  refs.NewObject(b, "CDrawObj");
  streamtest::AppendObjPart(b, streamtest::ObjPart());
  CMemFile file(b.v.data(), static_cast<UINT>(b.v.size()));
  CArchive ar(&file, CArchive::load);
  CObList list;
  int cause = -1;
  try {
    LoadObjectList(ar, list, RUNTIME_CLASS(CDrawObj));
  } catch (CArchiveException& e) {
    cause = e.m_cause;
  }
  EXPECT_EQ(cause, CArchiveException::tooDeep);
  EXPECT_TRUE(list.IsEmpty());
}

// ---- stack per level ----

const BYTE* g_deepestFrame = nullptr;

void NoteFrame(const void* frame) {
  const BYTE* p = static_cast<const BYTE*>(frame);
  if (!g_deepestFrame || p < g_deepestFrame) g_deepestFrame = p;
}

#define NOTE_FRAME() NoteFrame(__builtin_frame_address(0))

// A leaf that notes how deep the stack is whenever a walk reaches it.
class CStackProbe : public CDrawObj {
  DECLARE_SERIAL(CStackProbe)

 public:
  ~CStackProbe() override { NOTE_FRAME(); }
  void Serialize(CArchive& ar) override {
    NOTE_FRAME();
    CDrawObj::Serialize(ar);
  }
  BOOL AttachView(const DrawViewContext* c, BOOL run) override {
    NOTE_FRAME();
    return CDrawObj::AttachView(c, run);
  }
  void PrepareActions(const DrawViewContext*) override { NOTE_FRAME(); }
  void OnViewChanged() override { NOTE_FRAME(); }
  int HitTestChild(const CPointD&, CDrawObj**) override {
    NOTE_FRAME();
    return -1;
  }
  CRectD GetRect() override {
    NOTE_FRAME();
    return m_rect;
  }
  RECT GetInvalidRect() override {
    NOTE_FRAME();
    return RECT{};
  }
  void Draw(CDC*, DWORD) override { NOTE_FRAME(); }
  void MoveBy(const CPointD&) override { NOTE_FRAME(); }
  void Rotate(const CPointD&, const DirPair&) override { NOTE_FRAME(); }
  void Flip(double, double, int) override { NOTE_FRAME(); }
  void Scale(const CPointD&, double) override { NOTE_FRAME(); }
  void SetSelected(BOOL) override { NOTE_FRAME(); }
  BOOL IsSelected(CDrawObj**) override {
    NOTE_FRAME();
    return FALSE;
  }
  BOOL HasType(DrawObjType) override {
    NOTE_FRAME();
    return FALSE;
  }
  void CopyToList(CObList&) override { NOTE_FRAME(); }
  void CompileScripts(HWND, const char*, int&) override { NOTE_FRAME(); }
  CDrawObj* FindByName(const char*) override {
    NOTE_FRAME();
    return nullptr;
  }
  CDrawObj* FindByNameShallow(const char*) override {
    NOTE_FRAME();
    return nullptr;
  }
  int FireActions(int, DWORD, HWND) override {
    NOTE_FRAME();
    return 0;
  }
  void SetVisible(BOOL) override { NOTE_FRAME(); }
  void CountWindows(int&) override { NOTE_FRAME(); }
  void DeferWindowPos(HDWP&) override { NOTE_FRAME(); }
};

IMPLEMENT_SERIAL(CStackProbe, CDrawObj, 0)

struct Walk {
  const char* name;
  std::function<void(std::unique_ptr<CPicObj>&)> run;
};

std::vector<Walk> Walks() {
  auto top = [](std::unique_ptr<CPicObj>& p) { return TopGroup(*p); };
  return {
      {"load",
       [](std::unique_ptr<CPicObj>& p) {
         std::vector<BYTE> bytes = StorePictureBytes(*p);
         g_deepestFrame = nullptr;  // the loading alone
         CPicObj* loaded = Load(bytes);
         const BYTE* deepest = g_deepestFrame;
         delete loaded;
         g_deepestFrame = deepest;
       }},
      {"store", [](std::unique_ptr<CPicObj>& p) { StorePictureBytes(*p); }},
      {"delete", [](std::unique_ptr<CPicObj>& p) { p.reset(); }},
      {"clone", [=](std::unique_ptr<CPicObj>& p) { delete top(p)->Clone(); }},
      {"attach", [=](std::unique_ptr<CPicObj>& p) { top(p)->AttachView(nullptr, FALSE); }},
      {"prepare", [=](std::unique_ptr<CPicObj>& p) { top(p)->PrepareActions(nullptr); }},
      {"view",
       [=](std::unique_ptr<CPicObj>& p) {
         top(p)->SetViewTransform(POINT{0, 0}, 1.0);
       }},
      {"hit", [=](std::unique_ptr<CPicObj>& p) { top(p)->HitTest(CPointD(20, 20), nullptr); }},
      {"rect", [=](std::unique_ptr<CPicObj>& p) { top(p)->GetRect(); }},
      {"invalid", [=](std::unique_ptr<CPicObj>& p) { top(p)->GetInvalidRect(); }},
      {"draw", [=](std::unique_ptr<CPicObj>& p) { top(p)->Draw(nullptr, 0); }},
      {"move", [=](std::unique_ptr<CPicObj>& p) { top(p)->MoveBy(CPointD(1, 1)); }},
      {"rotate", [=](std::unique_ptr<CPicObj>& p) { top(p)->Rotate(CPointD(), DirPair()); }},
      {"flip", [=](std::unique_ptr<CPicObj>& p) { top(p)->Flip(0, 0, 0); }},
      {"scale", [=](std::unique_ptr<CPicObj>& p) { top(p)->Scale(CPointD(), 2.0); }},
      {"select", [=](std::unique_ptr<CPicObj>& p) { top(p)->SetSelected(TRUE); }},
      {"selected", [=](std::unique_ptr<CPicObj>& p) { top(p)->IsSelected(nullptr); }},
      {"type", [=](std::unique_ptr<CPicObj>& p) { top(p)->HasType(DOT_LINE); }},
      {"copy",
       [=](std::unique_ptr<CPicObj>& p) {
         CObList list;
         top(p)->CopyToList(list);
       }},
      {"compile",
       [=](std::unique_ptr<CPicObj>& p) {
         int errors = 0;
         top(p)->CompileScripts(nullptr, "", errors);
       }},
      {"find", [=](std::unique_ptr<CPicObj>& p) { top(p)->FindByName("x"); }},
      {"shallow", [=](std::unique_ptr<CPicObj>& p) { top(p)->FindByNameShallow("x"); }},
      {"fire", [=](std::unique_ptr<CPicObj>& p) { top(p)->FireActions(1, 0, nullptr); }},
      {"visible", [=](std::unique_ptr<CPicObj>& p) { top(p)->SetVisible(TRUE); }},
      {"windows",
       [=](std::unique_ptr<CPicObj>& p) {
         int n = 0;
         top(p)->CountWindows(n);
       }},
      {"defer",
       [=](std::unique_ptr<CPicObj>& p) {
         HDWP hdwp = nullptr;
         top(p)->DeferWindowPos(hdwp);
       }},
  };
}

// Bytes of stack between this call and the deepest probe that the walk reached.
__attribute__((noinline)) long StackReach(const Walk& walk, std::unique_ptr<CPicObj>& picture) {
  g_deepestFrame = nullptr;
  const BYTE* base = static_cast<const BYTE*>(__builtin_frame_address(0));
  walk.run(picture);
  return g_deepestFrame ? static_cast<long>(base - g_deepestFrame) : -1;
}

// Stack per level that the model may take: at the archive's bound, 100
// levels, a walk stays below a tenth of the 1 MB stack of a host program.
constexpr long kStackPerLevelBudget = 1024;

TEST_F(GroupNestingTest, EachLevelOfEveryWalkTakesLittleStack) {
  CRuntimeClass::Register(RUNTIME_CLASS(CStackProbe));
  const int deep = CDrawGroup::kMaxNesting;
  std::string report;
  long worst = 0;
  for (const Walk& walk : Walks()) {
    auto shallow = NestedPicture(GroupLevels(1), new CStackProbe);
    auto nested = NestedPicture(GroupLevels(deep), new CStackProbe);
    const long one = StackReach(walk, shallow);
    const long many = StackReach(walk, nested);
    ASSERT_GT(one, 0) << walk.name << " never reached the leaf";
    ASSERT_GT(many, one) << walk.name;
    const long perLevel = (many - one) / (deep - 1);
    EXPECT_LE(perLevel, kStackPerLevelBudget) << walk.name;
    worst = std::max(worst, perLevel);
    report += std::string(" ") + walk.name + " " + std::to_string(perLevel);
  }
  std::printf("stack bytes per level of groups:%s (worst %ld)\n", report.c_str(), worst);
}

// A worker thread with a small stack loads, walks and deletes a picture at the
// bound, and refuses one far past it.
struct SmallStackRun {
  std::vector<BYTE> atBound;
  std::vector<BYTE> farPast;
  bool boundSaved = false;
  int farCause = -1;
};

DWORD WINAPI SmallStackProc(void* param) {
  auto* run = static_cast<SmallStackRun*>(param);
  try {
    std::unique_ptr<CPicObj> picture(Load(run->atBound));
    CDrawGroup* top = TopGroup(*picture);
    top->AttachView(nullptr, FALSE);
    top->HitTest(CPointD(20, 20), nullptr);
    delete top->Clone();
    run->boundSaved = StorePictureBytes(*picture) == run->atBound;
  } catch (CException&) {
  }
  run->farCause = LoadFailure([&] { return Load(run->farPast); });
  return 0;
}

TEST_F(GroupNestingTest, SmallThreadStackHoldsThePictureAtTheBound) {
  SmallStackRun run;
  run.atBound = NestedPictureBytes(Levels(CDrawGroup::kMaxNesting));
  run.farPast = NestedPictureBytes(Levels(10000));
  constexpr SIZE_T kStack = 128 * 1024;
  HANDLE thread =
      ::CreateThread(nullptr, kStack, SmallStackProc, &run, STACK_SIZE_PARAM_IS_A_RESERVATION, nullptr);
  ASSERT_NE(thread, nullptr);
  ASSERT_EQ(::WaitForSingleObject(thread, 60000), WAIT_OBJECT_0);
  DWORD code = 1;
  ::GetExitCodeThread(thread, &code);
  ::CloseHandle(thread);
  EXPECT_EQ(code, 0u);
  EXPECT_TRUE(run.boundSaved);
  EXPECT_EQ(run.farCause, CArchiveException::tooDeep);
}

}  // namespace
