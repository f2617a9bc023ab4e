// The golden picture: one picture holding an object of every class that a
// picture file stores (every draw-object class and every link class), most
// fields away from their defaults, saved as the editor saves a picture file
// and compared byte for byte with picture/testdata/everyclass.pic.
//
// Pictures written by either flavour are read by both, so both must write
// the same bytes. The golden file is written by the 32-bit flavour (the
// deliverables) and committed; the 64-bit flavour runs this same test
// against it. After a deliberate change of the stored form, write it anew
// with the 32-bit build (the 64-bit flavour refuses to write it):
//
//   QEL_WRITE_GOLDEN=1 tools/wine-env.sh build ctest --test-dir build -R GoldenPicture
//
// The picture holds nothing that changes from run to run: no time, no
// address, no font or colour taken from the system.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "actkinds.h"
#include "activex/drawctrlocx.h"
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
#include "linkclasses.h"
#include "memfile.h"
#include "picfile.h"
#include "picobj.h"
#include "pictureclasses.h"
#include "plugin/drawplugin.h"
#include "qel/layout.h"
#include "storedbytes.h"
#include "testfolders.h"

namespace {

const char kGoldenFile[] = "picture\\testdata\\everyclass.pic";

// Every class a picture file stores: the draw objects, then the links.
const char* const kStoredClasses[] = {
    "CDrawObj",        "CDrawPoly",    "CDrawLine",     "CDrawArrow",   "CDrawPolygon", "CDrawBezier",
    "CDrawBezierFill", "CDrawPipe",    "CDrawRect",     "CDrawEllipse", "CDrawBitmap",  "CDrawText",
    "CDrawMtext",      "CDrawTagVal",  "CDrawGroup",    "CDrawCell",    "CDrawCtrl",    "CDrawPushBt",
    "CDrawCheckBt",    "CDrawRadioBt", "CDrawCtrlEdit", "CDrawPlugin",  "CDrawCtrlOcx", "CAction",
    "CActTagVal",      "CActColor",    "CActFillColor", "CActFlash",    "CActShowHide", "CActRoll",
    "CActMove",        "CActPerFill",  "CActPointer",   "CActEvent",
};

// ---- the picture ------------------------------------------------------------------

// The fields every object stores first, each away from its default and
// different from object to object (n is the object's place in the picture).
template <class Obj>
Obj* Styled(Obj* obj, const char* name, int n) {
  obj->m_strName = name;
  obj->m_strComment = n % 2 ? "注释" : "comment";
  obj->m_clrLine = RGB(10 * n, 255 - n, 3 * n);
  obj->m_clrText = RGB(n, 7 * n, 200);
  obj->m_nLineWidth = 1 + n % 4;
  obj->m_nLineStyle = n % 5;
  obj->m_nFillStyle = n % 6;
  obj->m_clrFill1 = RGB(250 - n, 5 * n, 100);
  obj->m_clrFill2 = RGB(4 * n, 30, 255 - 2 * n);
  obj->m_bVisible = n % 7 != 3;
  obj->m_nReserved[0] = n;
  obj->m_nReserved[1] = -n;
  obj->m_nReserved[2] = 1000 + n;
  obj->m_strReserved = n % 3 ? "" : "备用";
  return obj;
}

// Objects that keep their rectangle as it is given (not computed from points).
template <class Obj>
Obj* Placed(Obj* obj, double x, double y, double w, double h) {
  obj->m_rect = CRectD(x, y, x + w, y + h);
  return obj;
}

template <class Poly>
Poly* WithPoints(Poly* poly, std::initializer_list<CPointD> points) {
  for (const CPointD& p : points) poly->AddPoint(p);
  return poly;
}

// A rectangle turned about 37 degrees: sides (40, 30) and (-15, 20), square
// at every corner, every coordinate exact in a double.
RectCorners TurnedCorners(double x, double y) {
  RectCorners c;
  c.p[0] = CPointD(x, y);
  c.p[1] = CPointD(x + 40, y + 30);
  c.p[2] = CPointD(x + 25, y + 50);
  c.p[3] = CPointD(x - 15, y + 20);
  return c;
}

template <class Rect>
Rect* Turned(Rect* rect, double x, double y) {
  rect->SetCorners(TurnedCorners(x, y));
  return rect;
}

template <class Rect>
Rect* Upright(Rect* rect, double x, double y) {
  rect->SetCorners(CRectD(x, y, x + 60, y + 25));
  return rect;
}

// A font of its own (the default follows the system's GUI font).
LOGFONTA Font(int height, const char* face) {
  LOGFONTA f = {};
  f.lfHeight = height;
  f.lfWeight = height > 16 ? FW_BOLD : FW_NORMAL;
  f.lfItalic = height % 2;
  f.lfCharSet = GB2312_CHARSET;
  f.lfQuality = PROOF_QUALITY;
  f.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
  std::strcpy(f.lfFaceName, face);
  return f;
}

// ---- links ------------------------------------------------------------------------

// The fields every link stores, away from their defaults (n tells links apart).
template <class Link>
Link* Linked(Link* link, int n) {
  link->m_nMode = 1 + n % 2;
  link->m_nTrigger = n % 2 ? AT_OWN_PERIOD : AT_PICTURE_CYCLE;
  link->m_nPeriod = 100 * (n + 2);
  link->m_strReserved = n % 2 ? "保留" : "";
  link->m_strExpression = ("TV(泵" + std::to_string(n) + ")+1").c_str();
  link->m_script.m_strFirst = "first";
  link->m_script.m_strSource = ("int main() { return " + std::to_string(n) + "; }").c_str();
  link->m_script.m_strSecond = n % 3 ? "" : "second";
  const BYTE code[] = {0x5A, 0xA5, static_cast<BYTE>(n), 0x01, 0x00, 0xFF, 0x80};
  link->m_script.m_code.SetData(code, static_cast<int>(sizeof code) - n % 3);
  return link;
}

CActEvent* Event(int event, int n, const char* command = "") {
  auto* link = Linked(new CActEvent, n);
  link->m_nEvent = event;
  link->m_strCommand = command;
  return link;
}

CActColor* ColourLink(CActColor* link, int n) {
  Linked(link, n);
  link->m_nLevels = 3;
  link->m_colors[0] = RGB(1, 2, 3);
  link->m_colors[9] = RGB(250, 128, 7);
  link->SetThresholdText("-1.5\t10\t20\t");
  return link;
}

CActRoll* RollLink(int n) {
  auto* link = Linked(new CActRoll, n);
  link->m_nSwing = 1;
  link->m_nStep = -45;
  return link;
}

CActPointer* PointerLink(int n) {
  auto* link = Linked(new CActPointer, n);
  link->m_dMinimum = -10.5;
  link->m_dMaximum = 1e300;
  link->m_nStartAngle = -90;
  link->m_nEndAngle = 90;
  return link;
}

CActPerFill* PerFillLink(int n) {
  auto* link = Linked(new CActPerFill, n);
  link->m_dMinimum = 0.125;
  link->m_dMaximum = 75.5;
  link->m_nDirection = 3;
  link->m_clrFill = RGB(0, 128, 255);
  return link;
}

CActFlash* FlashLink(int n) {
  auto* link = Linked(new CActFlash, n);
  link->m_nOption = 7;
  return link;
}

CActTagVal* TagValueLink(int n) {
  auto* link = Linked(new CActTagVal, n);
  link->m_nDecimals = 4;
  return link;
}

CActMove* MoveLink(int n) {
  auto* link = Linked(new CActMove, n);
  link->m_strOption = "移动";
  return link;
}

template <class Obj>
Obj* With(Obj* obj, std::initializer_list<CAction*> links) {
  for (CAction* link : links) obj->AddAction(link);
  return obj;
}

// ---- objects ----------------------------------------------------------------------

// A 2 x 2 picture of 24-bit pixels in the platform's bitmap file form.
std::vector<BYTE> TinyBitmapFile() {
  const BYTE file[] = {
      'B', 'M', 70,  0,   0,    0,    0, 0, 0,    0,    54, 0, 0, 0,                     // file header
      40,  0,   0,   0,   2,    0,    0, 0, 2,    0,    0,  0, 1, 0, 24, 0, 0, 0, 0, 0,  // information
      16,  0,   0,   0,   0x13, 0x0B, 0, 0, 0x13, 0x0B, 0,  0, 0, 0, 0,  0, 0, 0, 0, 0,
      0,   0,   255, 0,   255,  0,    0, 0,  // bottom row, padded
      255, 0,   0,   255, 255,  255,  0, 0,  // top row, padded
  };
  return std::vector<BYTE>(file, file + sizeof file);
}

// A text of 300 bytes: stored with the 16-bit length that follows a length
// byte of 255.
std::string LongText() {
  std::string text;
  while (text.size() < 300) text += "长注释 " + std::to_string(text.size()) + ";";
  return text.substr(0, 300);
}

// Kept bytes longer than the pieces in which they are written and read
// (storedbytes.h), every byte telling its place.
std::vector<BYTE> PieceSpanningState() {
  std::vector<BYTE> state(kStoredBytesPiece + 476);
  for (size_t i = 0; i < state.size(); ++i) state[i] = static_cast<BYTE>(i * 7 + i / 256);
  return state;
}

CDrawBitmap* Bitmap(int n) {
  auto* bitmap = Turned(Styled(new CDrawBitmap, "bitmap", n), 20, 150);
  std::vector<BYTE> image = TinyBitmapFile();
  CMemFile file(image.data(), static_cast<UINT>(image.size()));
  EXPECT_TRUE(bitmap->LoadFromFile(&file)) << "the image decodes";
  return bitmap;
}

CDrawText* Text(const char* name, int n, const char* text, const CPointD& a, const CPointD& b) {
  auto* obj = Styled(new CDrawText, name, n);
  obj->SetFont(Font(18, "宋体"));
  obj->SetText(text);
  obj->SetPoints(a, b);
  return obj;
}

template <class Mtext>
Mtext* MultiLine(Mtext* obj, const char* text, int height) {
  obj->SetFont(Font(height, "黑体"));
  obj->SetText(text);
  return obj;
}

CDrawTagVal* TagValue(const char* name, int n, double x, double y) {
  auto* value = MultiLine(Turned(Styled(new CDrawTagVal, name, n), x, y), "#.###", 14);
  value->m_nAlign = 1;
  return value;
}

// A group holding a rectangle and a group of a line and a text. Each group
// takes its rectangle from its children once they are in, as the editor's
// grouping does and as loading does.
CDrawGroup* NestedGroups(int n) {
  auto* inner = Styled(new CDrawGroup, "group.inner", n + 2);
  EXPECT_TRUE(inner->AddChild(
      WithPoints(Styled(new CDrawLine, "inner.line", n + 3), {CPointD(300, 10), CPointD(340.5, 30.25)})));
  EXPECT_TRUE(inner->AddChild(Text("inner.text", n + 4, "组内", CPointD(300, 40), CPointD(360, 40))));
  inner->ResetReferenceRect();
  auto* outer = With(Styled(new CDrawGroup, "group", n), {MoveLink(n)});
  EXPECT_TRUE(outer->AddChild(Upright(Styled(new CDrawRect, "group.rect", n + 1), 280, 60)));
  EXPECT_TRUE(outer->AddChild(inner));
  outer->ResetReferenceRect();
  return outer;
}

CDrawCell* SubPicture(int n) {
  auto* cell = With(Styled(new CDrawCell, "cell", n), {Linked(new CActShowHide, n)});
  EXPECT_TRUE(cell->AddChild(Upright(Styled(new CDrawEllipse, "cell.ellipse", n + 1), 300, 200)));
  EXPECT_TRUE(cell->AddChild(TagValue("cell.tagval", n + 2, 300, 240)));
  cell->m_id = GUID{0x11223344, 0x5566, 0x7788, {1, 2, 3, 4, 5, 6, 7, 8}};
  cell->m_strFirst = "一";
  cell->m_strSecond = "二";
  cell->ResetReferenceRect();
  return cell;
}

// Shapes made of points: lines, curves, polygons, a pipe.
void AddPointShapes(CObList& shapes) {
  shapes.AddTail(With(WithPoints(Styled(new CDrawPoly, "poly", 2),
                                 {CPointD(5, 5), CPointD(15.5, 12.25), CPointD(26, 5), CPointD(36.5, 12.25)}),
                      {ColourLink(new CActColor, 2)}));
  shapes.AddTail(
      With(WithPoints(Styled(new CDrawLine, "line", 3), {CPointD(50, 5), CPointD(80, 25)}), {RollLink(3)}));
  auto* arrow = WithPoints(Styled(new CDrawArrow, "arrow", 4), {CPointD(90, 5), CPointD(130.5, 40.25)});
  arrow->m_nHeadSize = 25;
  arrow->m_nHeadAngle = 20;
  shapes.AddTail(With(arrow, {PointerLink(4)}));
  shapes.AddTail(With(WithPoints(Styled(new CDrawPolygon, "polygon", 5),
                                 {CPointD(5, 50), CPointD(40, 55), CPointD(30, 90), CPointD(8, 80)}),
                      {ColourLink(new CActFillColor, 5)}));
  shapes.AddTail(WithPoints(Styled(new CDrawBezier, "bezier", 6),
                            {CPointD(50, 50), CPointD(60, 80), CPointD(75, 45), CPointD(90, 70)}));
  shapes.AddTail(With(WithPoints(Styled(new CDrawBezierFill, "bezierfill", 7),
                                 {CPointD(100, 50), CPointD(110, 90), CPointD(130, 40), CPointD(140, 80),
                                  CPointD(120, 95), CPointD(105, 85), CPointD(100, 50)}),
                      {FlashLink(7)}));
  auto* pipe =
      WithPoints(Styled(new CDrawPipe, "pipe", 8), {CPointD(5, 100), CPointD(50, 101.5), CPointD(50, 140)});
  pipe->m_nPipeWidth = 22;
  shapes.AddTail(pipe);
}

// Shapes in a rectangle, upright or turned: rectangles, ellipses, the image
// and the texts (the single-line text between its two points).
void AddFramedShapes(CObList& shapes) {
  shapes.AddTail(With(Turned(Styled(new CDrawRect, "rect", 9), 80, 100), {PerFillLink(9)}));
  shapes.AddTail(Upright(Styled(new CDrawEllipse, "ellipse", 10), 140, 100));
  shapes.AddTail(Bitmap(11));
  shapes.AddTail(With(Text("text", 12, "单行文字", CPointD(70, 150), CPointD(140, 165.5)),
                      {Event(AK_MOUSE_CLICK, 12, "link\n主画面")}));
  auto* mtext = MultiLine(Turned(Styled(new CDrawMtext, "mtext", 13), 160, 150), "多行\r\n文本", 20);
  mtext->m_strComment = LongText().c_str();
  shapes.AddTail(With(mtext, {Event(AK_LBUTTON_DOWN, 13)}));
  shapes.AddTail(With(TagValue("tagval", 14, 230, 150), {TagValueLink(14), Event(AK_RBUTTON_UP, 14)}));
}

// The shapes layer: every drawn shape, a group inside a group, a sub-picture.
void AddShapes(CObList& shapes) {
  shapes.AddTail(With(Placed(Styled(new CDrawObj, "base", 1), 0, 0, 12, 8), {Linked(new CAction, 1)}));
  AddPointShapes(shapes);
  AddFramedShapes(shapes);
  shapes.AddTail(NestedGroups(15));
  shapes.AddTail(SubPicture(20));
}

template <class Button>
Button* Captioned(Button* button, const char* caption) {
  button->m_strCaption = caption;
  button->m_font = Font(12, "宋体");
  return button;
}

// The controls layer: the window-hosting objects, the plug-in and ActiveX
// objects with the bytes they keep, never attached (no library or control is
// loaded to write them).
void AddControls(CObList& controls) {
  controls.AddTail(Placed(Styled(new CDrawCtrl, "ctrl", 30), 10, 10, 40, 30));
  controls.AddTail(With(Placed(Captioned(Styled(new CDrawPushBt, "push", 31), "启动"), 60, 10, 48, 24),
                        {Event(AK_CLICKED, 31)}));
  controls.AddTail(Placed(Captioned(Styled(new CDrawCheckBt, "check", 32), "选中"), 110, 10, 48, 24));
  controls.AddTail(Placed(Captioned(Styled(new CDrawRadioBt, "radio", 33), "单选"), 160, 10, 48, 24));
  auto* edit = Placed(Styled(new CDrawCtrlEdit, "edit", 34), 210, 10, 80, 24);
  edit->m_strText = "输入";
  edit->m_dwStyle = 0x824;
  edit->m_font = Font(13, "宋体");
  controls.AddTail(With(edit, {Event(AK_CHANGE, 34), Event(AK_SETFOCUS, 35), Event(AK_KILLFOCUS, 36)}));
  auto* plugin = Placed(Styled(new CDrawPlugin("Sampex.dll"), "plugin", 37), 300, 10, 80, 60);
  const BYTE blob[] = {1, 2, 3, 0, 0xFF, 0x80, 7};
  plugin->SetBlob(blob, sizeof blob);
  controls.AddTail(plugin);
  const CLSID clsid = {0x0C0C0C0C, 1, 2, {3, 4, 5, 6, 7, 8, 9, 10}};
  auto* ocx = Placed(Styled(new CDrawCtrlOcx(clsid), "ocx", 38), 390, 10, 80, 60);
  const std::vector<BYTE> state = PieceSpanningState();
  ocx->SetState(state.data(), static_cast<UINT>(state.size()));
  controls.AddTail(ocx);
}

std::unique_ptr<CPicObj> GoldenPicture() {
  std::unique_ptr<CPicObj> picture(new CPicObj);
  picture->m_strName = "全部对象";
  picture->m_clrBack = RGB(0xD4, 0xD0, 0xC8);
  picture->m_nWidth = 1024;
  picture->m_nHeight = 768;
  picture->m_strReserved = "r";
  picture->m_nReserved1 = 1;
  picture->m_nReserved2 = -2;
  picture->m_nPeriod = 500;
  picture->m_nReserved3 = 3;
  picture->m_strStructName = "结构";
  auto* shapes = new CPicLayer;
  shapes->m_strName = "shapes";
  AddShapes(shapes->m_objects);
  auto* controls = new CPicLayer;
  controls->m_strName = "controls";
  controls->m_strSecond = "2";
  AddControls(controls->m_objects);
  picture->m_layers.AddTail(shapes);
  picture->m_layers.AddTail(controls);
  return picture;
}

// ---- walking a picture ------------------------------------------------------------

// Calls fn for every draw object in stored order: a group before its children.
void ForEachObject(CDrawObj* obj, const std::function<void(CDrawObj*)>& fn) {
  fn(obj);
  if (!obj->IsKindOf(RUNTIME_CLASS(CDrawGroup))) return;
  const CObList& children = static_cast<CDrawGroup*>(obj)->GetChildren();
  for (POSITION pos = children.GetHeadPosition(); pos;)
    ForEachObject(static_cast<CDrawObj*>(children.GetNext(pos)), fn);
}

void ForEachLayer(CPicObj& picture, const std::function<void(CPicLayer*)>& fn) {
  for (POSITION pos = picture.m_layers.GetHeadPosition(); pos;)
    fn(static_cast<CPicLayer*>(picture.m_layers.GetNext(pos)));
}

void ForEachObject(CPicLayer* layer, const std::function<void(CDrawObj*)>& fn) {
  for (POSITION pos = layer->m_objects.GetHeadPosition(); pos;)
    ForEachObject(static_cast<CDrawObj*>(layer->m_objects.GetNext(pos)), fn);
}

// The classes of the picture's objects and of their links.
std::set<std::string> ClassesIn(CPicObj& picture) {
  std::set<std::string> classes;
  ForEachLayer(picture, [&](CPicLayer* layer) {
    ForEachObject(layer, [&](CDrawObj* obj) {
      classes.insert(obj->GetRuntimeClass()->m_lpszClassName);
      for (int i = 0; i < obj->GetActions().GetSize(); ++i)
        classes.insert(obj->GetActions().GetAt(i)->GetRuntimeClass()->m_lpszClassName);
    });
  });
  return classes;
}

// ---- telling where bytes differ ---------------------------------------------------

// Where a layer's or an object's stored part starts: its name, the first
// field it stores (a length byte and the text), found in stored order.
struct Landmark {
  size_t offset;
  std::string what;
};

std::vector<Landmark> Landmarks(CPicObj& picture, const std::vector<BYTE>& bytes) {
  std::vector<Landmark> marks;
  auto from = bytes.begin();
  auto mark = [&](const CString& name, const std::string& what) {
    std::vector<BYTE> stored(1, static_cast<BYTE>(name.GetLength()));
    stored.insert(stored.end(), name.GetString(), name.GetString() + name.GetLength());
    auto at = std::search(from, bytes.end(), stored.begin(), stored.end());
    if (at == bytes.end()) return;
    marks.push_back({static_cast<size_t>(at - bytes.begin()), what});
    from = at + 1;
  };
  ForEachLayer(picture, [&](CPicLayer* layer) {
    mark(layer->m_strName, "layer '" + std::string(layer->m_strName.GetString()) + "'");
    ForEachObject(layer, [&](CDrawObj* obj) {
      mark(obj->m_strName,
           std::string(obj->GetRuntimeClass()->m_lpszClassName) + " '" + obj->m_strName.GetString() + "'");
    });
  });
  return marks;
}

std::string Hex(const std::vector<BYTE>& bytes, size_t at) {
  std::ostringstream out;
  const size_t first = at < 8 ? 0 : at - 8;
  for (size_t i = first; i < bytes.size() && i < at + 8; ++i) {
    char cell[8];
    std::snprintf(cell, sizeof cell, i == at ? "[%02X]" : " %02X", bytes[i]);
    out << cell;
  }
  return out.str();
}

// Empty when the bytes are the same; else where the first difference lies
// and the stored part (of the expected bytes) that holds it.
std::string Difference(const std::vector<BYTE>& expected, const std::vector<BYTE>& written,
                       const std::vector<Landmark>& marks) {
  if (expected == written) return "";
  const auto split = std::mismatch(expected.begin(), expected.end(), written.begin(), written.end());
  const size_t at = static_cast<size_t>(split.first - expected.begin());
  std::string where = "the picture's own fields";
  for (const Landmark& mark : marks)
    if (mark.offset <= at) where = mark.what + " (from byte " + std::to_string(mark.offset) + ")";
  std::ostringstream out;
  out << "the bytes differ first at byte " << at << " (" << expected.size() << " expected, " << written.size()
      << " written), in " << where << "\n  expected:" << Hex(expected, at)
      << "\n  written: " << Hex(written, at);
  return out.str();
}

// ---- files ------------------------------------------------------------------------

std::vector<BYTE> ReadBytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return std::vector<BYTE>(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// A picture file of this process's own in the temporary folder, removed with it.
class ScratchPicture {
 public:
  ScratchPicture() {
    char dir[MAX_PATH];
    ::GetTempPathA(MAX_PATH, dir);
    m_path = std::string(dir) + "qel_golden_" + std::to_string(::GetCurrentProcessId()) + ".pic";
  }
  ~ScratchPicture() { ::DeleteFileA(m_path.c_str()); }
  ScratchPicture(const ScratchPicture&) = delete;
  ScratchPicture& operator=(const ScratchPicture&) = delete;

  // The bytes of the picture saved as the editor saves a picture file.
  std::vector<BYTE> Save(CPicObj& picture) {
    SavePictureFile(picture, m_path.c_str());
    return ReadBytes(m_path);
  }

 private:
  std::string m_path;
};

bool WritingGolden() {
  const char* value = std::getenv("QEL_WRITE_GOLDEN");
  return value && std::strcmp(value, "1") == 0;
}

// Writes the golden file from the 32-bit flavour; the 64-bit one only reads it.
void WriteGolden(const std::string& path, const std::vector<BYTE>& bytes) {
  ASSERT_EQ(QEL_FLAVOUR_BITS, 32) << "the golden picture is written by the 32-bit flavour only";
  ::CreateDirectoryA(path.substr(0, path.rfind('\\')).c_str(), nullptr);
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  ASSERT_TRUE(file.good()) << "cannot write " << path;
  std::printf("wrote the golden picture, %u bytes, to %s\n", static_cast<unsigned>(bytes.size()),
              path.c_str());
}

class GoldenPictureTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterPictureClasses();
    RegisterLinkClasses();
    m_goldenPath = progtest::SourceFile(kGoldenFile);
    ASSERT_FALSE(m_goldenPath.empty());
  }

  std::string m_goldenPath;
};

TEST_F(GoldenPictureTest, PictureHoldsEveryStoredClass) {
  const std::set<std::string> expected(std::begin(kStoredClasses), std::end(kStoredClasses));
  EXPECT_EQ(ClassesIn(*GoldenPicture()), expected);
}

TEST_F(GoldenPictureTest, SavedPictureIsTheGoldenFile) {
  auto picture = GoldenPicture();
  ScratchPicture scratch;
  const std::vector<BYTE> written = scratch.Save(*picture);
  ASSERT_FALSE(written.empty());
  if (WritingGolden()) {
    WriteGolden(m_goldenPath, written);
    return;
  }
  const std::vector<BYTE> golden = ReadBytes(m_goldenPath);
  ASSERT_FALSE(golden.empty()) << "no golden picture at " << m_goldenPath;
  const std::string difference = Difference(golden, written, Landmarks(*picture, golden));
  EXPECT_TRUE(difference.empty()) << difference << "\n  (the " << QEL_FLAVOUR_BITS << "-bit flavour against "
                                  << m_goldenPath << ")";
}

TEST_F(GoldenPictureTest, GoldenFileLoadsAndSavesBackByteForByte) {
  const std::vector<BYTE> golden = ReadBytes(m_goldenPath);
  ASSERT_FALSE(golden.empty()) << "no golden picture at " << m_goldenPath;
  std::unique_ptr<CPicObj> loaded(LoadPictureFile(m_goldenPath.c_str()));
  const std::set<std::string> expected(std::begin(kStoredClasses), std::end(kStoredClasses));
  EXPECT_EQ(ClassesIn(*loaded), expected);
  ScratchPicture scratch;
  const std::string difference = Difference(golden, scratch.Save(*loaded), Landmarks(*loaded, golden));
  EXPECT_TRUE(difference.empty()) << difference;
}

}  // namespace
