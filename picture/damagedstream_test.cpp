// A picture with an object of every draw-object class of the model, links of
// every kind on objects at every level (in a group inside a group, in a
// sub-picture, on controls), cut at every byte: each cut fails with the
// archive exception and leaves no object alive; the whole picture loads.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "actkinds.h"
#include "drawbezier.h"
#include "drawbitmap.h"
#include "drawbutton.h"
#include "drawcell.h"
#include "drawctrledit.h"
#include "drawellipse.h"
#include "drawgroup.h"
#include "drawline.h"
#include "drawmtext.h"
#include "drawpipe.h"
#include "drawpolygon.h"
#include "drawtext.h"
#include "file.h"
#include "activex/drawctrlocx.h"
#include "plugin/drawplugin.h"
#include "linkclasses.h"
#include "links_test_util.h"
#include "memfile.h"
#include "picfile.h"
#include "picobj.h"
#include "pictureclasses.h"

namespace {

// An event link for that event (the link tests' set has one event only).
CActEvent* NewEvent(int event) {
  auto* link = new CActEvent;
  link->m_nEvent = event;
  link->m_strCommand = "link\n主画面";
  link->m_script.m_strSource = "int main() { return 0; }";
  return link;
}

// The order of linktest::LinksOfEveryKind.
enum LinkSlot { kScript, kTagVal, kColor, kFill, kFlash, kShow, kRoll, kMove, kPerFill, kPointer, kEvent };

template <class Obj>
Obj* Named(Obj* obj, const char* name, double x, double y) {
  obj->m_strName = name;
  obj->m_rect = CRectD(x, y, x + 40, y + 30);
  return obj;
}

template <class Obj>
Obj* With(Obj* obj, std::initializer_list<CAction*> links) {
  for (CAction* link : links) obj->AddAction(link);
  return obj;
}

template <class Poly>
Poly* WithPoints(Poly* poly, int count, double x, double y) {
  for (int i = 0; i < count; ++i) poly->AddPoint(CPointD(x + 10.5 * i, y + (i % 2) * 7.25));
  return poly;
}

template <class Rect>
Rect* WithCorners(Rect* rect, double x, double y) {
  rect->SetCorners(CRectD(x, y, x + 60, y + 25));
  return rect;
}

// Every draw-object class, each kind of link on some object, two layers,
// a group inside a group and a sub-picture.
std::unique_ptr<CPicObj> PictureOfEverything() {
  std::unique_ptr<CPicObj> picture(new CPicObj);
  picture->m_strName = "全部";
  picture->m_strStructName = "结构";
  picture->m_strReserved = "r";
  picture->EnsureLayer();
  auto* controls = new CPicLayer;
  controls->m_strName = "控件";
  controls->m_strSecond = "2";
  picture->m_layers.AddTail(controls);
  CObList& shapes = picture->GetLayer(0)->m_objects;
  // One link of each class, every stored field set, each on its own object.
  const std::vector<CAction*> links = linktest::LinksOfEveryKind();

  shapes.AddTail(With(Named(new CDrawObj, "base", 0, 0), {links[kScript]}));
  shapes.AddTail(With(WithPoints(Named(new CDrawPoly, "poly", 0, 0), 4, 5, 5), {links[kColor]}));
  shapes.AddTail(With(WithPoints(Named(new CDrawLine, "line", 0, 0), 2, 50, 5), {links[kRoll]}));
  shapes.AddTail(With(WithPoints(Named(new CDrawArrow, "arrow", 0, 0), 2, 90, 5), {links[kMove]}));
  shapes.AddTail(With(WithPoints(Named(new CDrawPolygon, "polygon", 0, 0), 3, 5, 50), {links[kFill]}));
  shapes.AddTail(WithPoints(Named(new CDrawBezier, "bezier", 0, 0), 5, 50, 50));
  shapes.AddTail(
      With(WithPoints(Named(new CDrawBezierFill, "bezierfill", 0, 0), 4, 90, 50), {links[kFlash]}));
  shapes.AddTail(WithPoints(Named(new CDrawPipe, "pipe", 0, 0), 3, 5, 100));
  shapes.AddTail(With(WithCorners(Named(new CDrawRect, "rect", 0, 0), 50, 100), {links[kPerFill]}));
  shapes.AddTail(With(WithCorners(Named(new CDrawEllipse, "ellipse", 0, 0), 120, 100), {links[kPointer]}));
  auto* bitmap = WithCorners(Named(new CDrawBitmap, "bitmap", 0, 0), 5, 150);
  const BYTE image[] = {'B', 'M', 1, 2, 3, 4, 5, 6, 7, 8, 9};
  CMemFile imageFile(const_cast<BYTE*>(image), sizeof image);
  bitmap->LoadFromFile(&imageFile);
  shapes.AddTail(bitmap);
  auto* text = Named(new CDrawText, "text", 0, 0);
  text->SetPoints(CPointD(70, 150), CPointD(140, 160));
  shapes.AddTail(With(text, {NewEvent(AK_MOUSE_CLICK)}));
  shapes.AddTail(
      With(WithCorners(Named(new CDrawMtext, "mtext", 0, 0), 150, 150), {NewEvent(AK_LBUTTON_DOWN)}));
  shapes.AddTail(With(WithCorners(Named(new CDrawTagVal, "tagval", 0, 0), 220, 150),
                      {links[kTagVal], NewEvent(AK_LBUTTON_UP)}));

  // A group holding a rectangle and a group of a line and a text.
  auto* inner = Named(new CDrawGroup, "inner", 0, 0);
  EXPECT_TRUE(inner->AddChild(
      With(WithPoints(Named(new CDrawLine, "innerline", 0, 0), 2, 300, 10), {NewEvent(AK_RBUTTON_DOWN)})));
  auto* innerText = Named(new CDrawText, "innertext", 0, 0);
  innerText->SetPoints(CPointD(300, 40), CPointD(360, 40));
  EXPECT_TRUE(inner->AddChild(With(innerText, {links[kEvent]})));  // right button up
  auto* outer = Named(new CDrawGroup, "outer", 0, 0);
  EXPECT_TRUE(outer->AddChild(WithCorners(Named(new CDrawRect, "grouprect", 0, 0), 280, 60)));
  EXPECT_TRUE(outer->AddChild(inner));
  outer->ResetReferenceRect();
  shapes.AddTail(outer);

  // A sub-picture with links of its own.
  auto* cell = With(Named(new CDrawCell, "cell", 0, 0), {links[kShow], NewEvent(AK_MOUSE_CLICK)});
  EXPECT_TRUE(cell->AddChild(WithCorners(Named(new CDrawEllipse, "cellellipse", 0, 0), 300, 200)));
  EXPECT_TRUE(cell->AddChild(WithCorners(Named(new CDrawTagVal, "celltag", 0, 0), 300, 240)));
  cell->m_id = GUID{0x11223344, 0x5566, 0x7788, {1, 2, 3, 4, 5, 6, 7, 8}};
  cell->m_strFirst = "一";
  cell->m_strSecond = "二";
  cell->ResetReferenceRect();
  shapes.AddTail(cell);

  // The controls, with their event links.
  CObList& windows = controls->m_objects;
  windows.AddTail(Named(new CDrawCtrl, "ctrl", 10, 10));
  windows.AddTail(With(Named(new CDrawPushBt, "push", 60, 10), {NewEvent(AK_CLICKED)}));
  windows.AddTail(With(Named(new CDrawCheckBt, "check", 110, 10), {NewEvent(AK_CLICKED)}));
  windows.AddTail(Named(new CDrawRadioBt, "radio", 160, 10));
  windows.AddTail(With(Named(new CDrawCtrlEdit, "edit", 210, 10),
                       {NewEvent(AK_CHANGE), NewEvent(AK_KILLFOCUS), NewEvent(AK_SETFOCUS)}));
  // A plug-in control with a blob of its own (never attached: no library is loaded).
  auto* plugin = Named(new CDrawPlugin("Sampex.dll"), "plugin", 260, 10);
  const BYTE blob[] = {1, 2, 3, 0, 0xFF, 0x80, 7};
  plugin->SetBlob(blob, sizeof blob);
  windows.AddTail(plugin);
  // An ActiveX control with a state of its own (never attached: no control is made).
  auto* ocx = Named(new CDrawCtrlOcx(CLSID{0x0C0C0C0C, 1, 2, {3, 4, 5, 6, 7, 8, 9, 10}}), "ocx", 320, 10);
  const BYTE state[] = {'Q', 0, 0xFE, 9, 8, 7};
  ocx->SetState(state, sizeof state);
  windows.AddTail(ocx);
  return picture;
}

// Calls fn for every draw object of the picture, the children of groups too.
void ForEachObject(CDrawObj* obj, const std::function<void(CDrawObj*)>& fn) {
  fn(obj);
  if (!obj->IsKindOf(RUNTIME_CLASS(CDrawGroup))) return;
  const CObList& children = static_cast<CDrawGroup*>(obj)->GetChildren();
  for (POSITION pos = children.GetHeadPosition(); pos;)
    ForEachObject(static_cast<CDrawObj*>(children.GetNext(pos)), fn);
}

void ForEachObject(CPicObj& picture, const std::function<void(CDrawObj*)>& fn) {
  for (POSITION lp = picture.m_layers.GetHeadPosition(); lp;) {
    CObList& objects = static_cast<CPicLayer*>(picture.m_layers.GetNext(lp))->m_objects;
    for (POSITION pos = objects.GetHeadPosition(); pos;)
      ForEachObject(static_cast<CDrawObj*>(objects.GetNext(pos)), fn);
  }
}

// What loading a cut did: -1 loaded, 0 an archive exception, 1 another exception.
int LoadOutcome(const std::function<CPicObj*()>& load) {
  try {
    delete load();
    return -1;
  } catch (CArchiveException&) {
    return 0;
  } catch (...) {
    return 1;
  }
}

class DamagedStreamTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterPictureClasses();
    RegisterLinkClasses();
  }
};

TEST_F(DamagedStreamTest, PictureHoldsEveryClassAndEveryLinkKind) {
  auto picture = PictureOfEverything();
  std::vector<BYTE> bytes = StorePictureBytes(*picture);
  std::unique_ptr<CPicObj> back(LoadPictureBuffer(bytes.data(), static_cast<UINT>(bytes.size())));
  EXPECT_EQ(StorePictureBytes(*back), bytes);
  // The classes of the objects and their links, and the events of the event links.
  std::vector<std::string> classes;
  std::vector<int> events;
  ForEachObject(*back, [&](CDrawObj* obj) {
    classes.push_back(obj->GetRuntimeClass()->m_lpszClassName);
    for (int i = 0; i < obj->GetActions().GetSize(); ++i) {
      CObject* link = obj->GetActions().GetAt(i);
      classes.push_back(link->GetRuntimeClass()->m_lpszClassName);
      if (link->IsKindOf(RUNTIME_CLASS(CActEvent))) events.push_back(static_cast<CActEvent*>(link)->m_nEvent);
    }
  });
  const char* const expected[] = {
      "CDrawObj",        "CDrawPoly",    "CDrawLine",     "CDrawArrow",   "CDrawPolygon", "CDrawBezier",
      "CDrawBezierFill", "CDrawPipe",    "CDrawRect",     "CDrawEllipse", "CDrawBitmap",  "CDrawText",
      "CDrawMtext",      "CDrawTagVal",  "CDrawGroup",    "CDrawCell",    "CDrawCtrl",    "CDrawPushBt",
      "CDrawCheckBt",    "CDrawRadioBt", "CDrawCtrlEdit", "CDrawPlugin",  "CDrawCtrlOcx", "CAction",
      "CActTagVal",      "CActColor",    "CActFillColor", "CActFlash",    "CActShowHide", "CActRoll",
      "CActMove",        "CActPerFill",  "CActPointer",   "CActEvent"};
  for (const char* name : expected)
    EXPECT_NE(std::find(classes.begin(), classes.end(), name), classes.end()) << name;
  for (int kind : {AK_MOUSE_CLICK, AK_LBUTTON_DOWN, AK_LBUTTON_UP, AK_RBUTTON_DOWN, AK_RBUTTON_UP, AK_CLICKED,
                   AK_SETFOCUS, AK_KILLFOCUS, AK_CHANGE})
    EXPECT_NE(std::find(events.begin(), events.end(), kind), events.end()) << kind;
}

TEST_F(DamagedStreamTest, EveryCutOfTheBufferFailsWithTheArchiveExceptionAndLeavesNothing) {
  std::vector<BYTE> bytes;
  {
    auto picture = PictureOfEverything();
    bytes = StorePictureBytes(*picture);
  }
  const LONG live = CObject::GetLiveCount();
  for (size_t cut = 0; cut < bytes.size(); ++cut) {
    const std::vector<BYTE> part(bytes.begin(), bytes.begin() + cut);
    ASSERT_EQ(LoadOutcome([&] { return LoadPictureBuffer(part.data(), static_cast<UINT>(part.size())); }), 0)
        << "cut at " << cut << " of " << bytes.size();
    ASSERT_EQ(CObject::GetLiveCount(), live) << "leak at cut " << cut;
  }
  EXPECT_EQ(LoadOutcome([&] { return LoadPictureBuffer(bytes.data(), static_cast<UINT>(bytes.size())); }),
            -1);
  EXPECT_EQ(CObject::GetLiveCount(), live);
}

TEST_F(DamagedStreamTest, CutFilesFailWithTheArchiveExceptionAndLeaveNothing) {
  std::vector<BYTE> bytes;
  {
    auto picture = PictureOfEverything();
    bytes = StorePictureBytes(*picture);
  }
  char dir[MAX_PATH];
  ::GetTempPathA(MAX_PATH, dir);
  const std::string path = std::string(dir) + "qel_cut_picture.pic";
  const LONG live = CObject::GetLiveCount();
  // The file reader fills its buffer from the file: cuts on both sides of
  // the first buffer's end, and a spread over the rest.
  std::vector<size_t> cuts = {0, 1, 4095, 4096, 4097, bytes.size() - 1};
  for (size_t cut = 7; cut < bytes.size(); cut += 97) cuts.push_back(cut);
  for (size_t cut : cuts) {
    if (cut >= bytes.size()) continue;
    {
      CFile file(path.c_str(), CFile::modeCreate | CFile::modeWrite | CFile::typeBinary);
      file.Write(bytes.data(), static_cast<UINT>(cut));
    }
    EXPECT_EQ(LoadOutcome([&] { return LoadPictureFile(path.c_str()); }), 0) << "cut at " << cut;
    EXPECT_EQ(CObject::GetLiveCount(), live) << "leak at cut " << cut;
  }
  ::DeleteFileA(path.c_str());
}

}  // namespace
