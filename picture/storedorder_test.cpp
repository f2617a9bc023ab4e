// The stored field order of the classes whose order a store-load-store round
// trip cannot see (one wrong order used both ways reads back fine): each
// object, every field away from its default, against bytes written out by
// hand from the picture file's field list of its class.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

#include "activex/drawctrlocx.h"
#include "drawbutton.h"
#include "drawcell.h"
#include "drawctrledit.h"
#include "drawgroup.h"
#include "drawline.h"
#include "drawmtext.h"
#include "drawpipe.h"
#include "drawtext.h"
#include "groupclasses.h"
#include "pictureclasses.h"
#include "streamtest_util.h"

namespace {

using streamtest::Bytes;
using streamtest::ObjPart;

// Every base field away from its default and unlike the others.
ObjPart Part(const char* name) {
  ObjPart o;
  o.name = name;
  o.comment = "注释";
  o.left = 1.5;
  o.top = 2.25;
  o.right = 300.125;
  o.bottom = 400.0625;
  o.lineColor = 0x010203;
  o.secondColor = 0x040506;
  o.lineWidth = 7;
  o.lineStyle = 2;
  o.fillStyle = 3;
  o.fill1 = 0x0A0B0C;
  o.fill2 = 0x0D0E0F;
  o.visible = 0;
  o.reserved[0] = 11;
  o.reserved[1] = 12;
  o.reserved[2] = 13;
  o.reservedText = "备";
  return o;
}

void ApplyPart(CDrawObj& obj, const ObjPart& o) {
  obj.m_strName = o.name;
  obj.m_strComment = o.comment;
  obj.m_rect = CRectD(o.left, o.top, o.right, o.bottom);
  obj.m_clrLine = o.lineColor;
  obj.m_clrText = o.secondColor;
  obj.m_nLineWidth = o.lineWidth;
  obj.m_nLineStyle = o.lineStyle;
  obj.m_nFillStyle = o.fillStyle;
  obj.m_clrFill1 = o.fill1;
  obj.m_clrFill2 = o.fill2;
  obj.m_bVisible = o.visible;
  for (int i = 0; i < 3; ++i) obj.m_nReserved[i] = o.reserved[i];
  obj.m_strReserved = o.reservedText;
}

// An object reference to a new object of a new class: the class record first.
Bytes Start(const char* className, const ObjPart& part) {
  Bytes b;
  streamtest::References().NewObject(b, className);
  streamtest::AppendObjPart(b, part);
  return b;
}

LOGFONTA Font() {
  LOGFONTA f = {};
  f.lfHeight = 20;
  f.lfWidth = 3;
  f.lfEscapement = -900;
  f.lfOrientation = 5;
  f.lfWeight = 700;
  f.lfItalic = 1;
  f.lfUnderline = 0;
  f.lfStrikeOut = 1;
  f.lfCharSet = 134;
  f.lfOutPrecision = 2;
  f.lfClipPrecision = 3;
  f.lfQuality = 4;
  f.lfPitchAndFamily = 0x31;
  strcpy(f.lfFaceName, "宋体");
  return f;
}

// The four corners of a turned rectangle, every coordinate different.
RectCorners TurnedCorners() {
  RectCorners c;
  c.p[0] = CPointD(10, 20);
  c.p[1] = CPointD(30, 40);
  c.p[2] = CPointD(15, 55);
  c.p[3] = CPointD(-5, 35);
  return c;
}

Bytes& AppendCorners(Bytes& b) { return b.Doubles({10, 20, 30, 40, 15, 55, -5, 35}); }

class StoredOrderTest : public ::testing::Test {
 protected:
  void SetUp() override { RegisterPictureClasses(); }
};

TEST_F(StoredOrderTest, SingleLineTextStoresItsPointsThenTextThenFont) {
  CDrawText text;
  text.SetFont(Font());
  text.SetText("单行");
  text.SetPoints(CPointD(1.25, 2.75), CPointD(101.5, -3.5));
  ApplyPart(text, Part("t"));
  Bytes expected = Start("CDrawText", Part("t"));
  expected.Doubles({1.25, 2.75, 101.5, -3.5}).Text("单行").Font(Font());
  EXPECT_EQ(objtest::ObjectBytes(&text), expected.v);
}

TEST_F(StoredOrderTest, MultiLineTextStoresItsCornersThenTextThenFont) {
  CDrawMtext text;
  text.SetCorners(TurnedCorners());
  text.SetText("多行\r\n文本");
  text.SetFont(Font());
  ApplyPart(text, Part("m"));
  Bytes expected = Start("CDrawMtext", Part("m"));
  AppendCorners(expected).Text("多行\r\n文本").Font(Font());
  EXPECT_EQ(objtest::ObjectBytes(&text), expected.v);
}

TEST_F(StoredOrderTest, TagValueStoresTheMultiLineTextThenItsAlignment) {
  CDrawTagVal value;
  value.SetCorners(TurnedCorners());
  value.SetText("#.###");
  value.SetFont(Font());
  value.m_nAlign = 1;
  ApplyPart(value, Part("v"));
  Bytes expected = Start("CDrawTagVal", Part("v"));
  AppendCorners(expected).Text("#.###").Font(Font()).Int(1);
  EXPECT_EQ(objtest::ObjectBytes(&value), expected.v);
}

TEST_F(StoredOrderTest, ArrowStoresItsPointsThenHeadSizeThenHeadAngle) {
  CDrawArrow arrow;
  arrow.AddPoint(CPointD(1, 2));
  arrow.AddPoint(CPointD(30.5, 40.25));
  arrow.m_nHeadSize = 25;
  arrow.m_nHeadAngle = 20;
  ApplyPart(arrow, Part("a"));
  Bytes expected = Start("CDrawArrow", Part("a"));
  expected.Int(2).Doubles({1, 2, 30.5, 40.25}).Int(25).Int(20);
  EXPECT_EQ(objtest::ObjectBytes(&arrow), expected.v);
}

TEST_F(StoredOrderTest, PipeStoresItsPointsThenItsWidth) {
  CDrawPipe pipe;
  for (const CPointD& p : {CPointD(0, 1), CPointD(50, 1.5), CPointD(50, 80)}) pipe.AddPoint(p);
  pipe.m_nPipeWidth = 22;
  ApplyPart(pipe, Part("p"));
  Bytes expected = Start("CDrawPipe", Part("p"));
  expected.Int(3).Doubles({0, 1, 50, 1.5, 50, 80}).Int(22);
  EXPECT_EQ(objtest::ObjectBytes(&pipe), expected.v);
}

CDrawObj* Leaf(const char* name) {
  auto* leaf = new CDrawObj;
  ApplyPart(*leaf, Part(name));
  return leaf;
}

TEST_F(StoredOrderTest, GroupStoresItsOwnPartThenItsChildList) {
  CDrawGroup group;
  ASSERT_TRUE(group.AddChild(Leaf("c1")));
  ASSERT_TRUE(group.AddChild(Leaf("c2")));
  ApplyPart(group, Part("g"));
  // Class 1 and object 2 the group, class 3 and object 4 the first child,
  // object 5 the second child by its class index.
  Bytes expected = Start("CDrawGroup", Part("g"));
  expected.Word(2).Word(0xFFFF).Word(0).Word(8).Raw("CDrawObj", 8);
  streamtest::AppendObjPart(expected, Part("c1")).Word(0x8003);
  streamtest::AppendObjPart(expected, Part("c2"));
  EXPECT_EQ(objtest::ObjectBytes(&group), expected.v);
}

TEST_F(StoredOrderTest, SubPictureStoresTheGroupThenIdentifierThenItsTwoStrings) {
  CDrawCell cell;
  ASSERT_TRUE(cell.AddChild(Leaf("c")));
  ApplyPart(cell, Part("s"));
  cell.m_id = GUID{0x01020304, 0x0506, 0x0708, {9, 10, 11, 12, 13, 14, 15, 16}};
  cell.m_strFirst = "一";
  cell.m_strSecond = "二";
  Bytes expected = Start("CDrawCell", Part("s"));
  expected.Word(1).Word(0xFFFF).Word(0).Word(8).Raw("CDrawObj", 8);
  streamtest::AppendObjPart(expected, Part("c"));
  const BYTE id[16] = {4, 3, 2, 1, 6, 5, 8, 7, 9, 10, 11, 12, 13, 14, 15, 16};
  expected.Raw(id, sizeof id).Text("一").Text("二");
  EXPECT_EQ(objtest::ObjectBytes(&cell), expected.v);
}

TEST_F(StoredOrderTest, ButtonsStoreTheirCaptionThenTheirFont) {
  struct Case {
    const char* className;
    std::function<CDrawPushBt*()> make;
  };
  const Case cases[] = {
      {"CDrawPushBt", [] { return new CDrawPushBt; }},
      {"CDrawCheckBt", [] { return new CDrawCheckBt; }},
      {"CDrawRadioBt", [] { return new CDrawRadioBt; }},
  };
  for (const Case& c : cases) {
    std::unique_ptr<CDrawPushBt> button(c.make());
    button->m_strCaption = "启动";
    button->m_font = Font();
    ApplyPart(*button, Part("b"));
    Bytes expected = Start(c.className, Part("b"));
    expected.Text("启动").Font(Font());
    EXPECT_EQ(objtest::ObjectBytes(button.get()), expected.v) << c.className;
  }
}

TEST_F(StoredOrderTest, EditBoxStoresItsTextThenStyleThenFont) {
  CDrawCtrlEdit edit;
  edit.m_strText = "输入";
  edit.m_dwStyle = 0x824;
  edit.m_font = Font();
  ApplyPart(edit, Part("e"));
  Bytes expected = Start("CDrawCtrlEdit", Part("e"));
  expected.Text("输入").Int(0x824).Font(Font());
  EXPECT_EQ(objtest::ObjectBytes(&edit), expected.v);
}

TEST_F(StoredOrderTest, ActiveXObjectStoresItsClassIdThenStateLengthThenState) {
  const CLSID clsid = {0x04030201, 0x0605, 0x0807, {9, 10, 11, 12, 13, 14, 15, 16}};
  CDrawCtrlOcx ocx(clsid);
  const BYTE state[] = {0xA1, 0xB2, 0xC3};
  ocx.SetState(state, sizeof state);
  ApplyPart(ocx, Part("x"));
  Bytes expected = Start("CDrawCtrlOcx", Part("x"));
  for (BYTE b = 1; b <= 16; ++b) expected.Byte(b);
  expected.Int(3).Byte(0xA1).Byte(0xB2).Byte(0xC3);
  EXPECT_EQ(objtest::ObjectBytes(&ocx), expected.v);
}

}  // namespace
