#include "toolobjects.h"

#include "dialogs/editdialogs.h"
#include "activex/drawctrlocx.h"
#include "drawbezier.h"
#include "drawbitmap.h"
#include "drawbutton.h"
#include "drawctrledit.h"
#include "drawellipse.h"
#include "drawline.h"
#include "drawmtext.h"
#include "drawpipe.h"
#include "plugin/drawplugin.h"
#include "drawpolygon.h"
#include "drawrect.h"
#include "drawtext.h"
#include "toolchoice.h"

namespace {

constexpr int kNoLimit = 0;
constexpr COLORREF kPipeGrey = 0x666666;

const ToolKind kTools[] = {
    {0, TF_SELECT, kNoLimit, {0, 0}},
    {DOT_POLY, TF_POINTS, 384, {0, 0}},
    {DOT_LINE, TF_POINTS, 2, {0, 0}},
    {DOT_TEXT, TF_TEXT, kNoLimit, {0, 0}},
    {DOT_POLYGON, TF_POINTS, 384, {0, 0}},
    {DOT_RECT, TF_FRAMED, kNoLimit, {0, 0}},
    {DOT_BEZIER, TF_POINTS, 384, {0, 0}},
    {DOT_BEZIERFILL, TF_POINTS, 384, {0, 0}},
    {DOT_ELLIPSE, TF_FRAMED, kNoLimit, {0, 0}},
    {DOT_ARROW, TF_POINTS, 2, {0, 0}},
    {DOT_PIPE, TF_POINTS, 10, {0, 0}},
    {DOT_TAGVAL, TF_FRAMED, kNoLimit, {64, 20}},
    {DOT_BITMAP, TF_FRAMED, kNoLimit, {0, 0}},
    {DOT_MTEXT, TF_FRAMED, kNoLimit, {0, 0}},
    {DOT_PUSHBT, TF_FRAMED, kNoLimit, {60, 24}},
    {DOT_CHECKBT, TF_FRAMED, kNoLimit, {60, 24}},
    {DOT_RADIOBT, TF_FRAMED, kNoLimit, {60, 24}},
    {DOT_CTRLEDIT, TF_FRAMED, kNoLimit, {60, 20}},
    {DOT_CTRLOCX, TF_FRAMED, kNoLimit, {320, 240}},
    {DOT_PLUGIN, TF_FRAMED, kNoLimit, {320, 240}},
};

const ToolKind kNoTool = {-1, TF_NONE, kNoLimit, {0, 0}};

template <class T>
CDrawObj* Filled() {
  T* obj = new T;
  obj->m_nFillStyle = 1;
  return obj;
}

CDrawObj* NewTagValue() {
  auto* obj = new CDrawTagVal;
  obj->SetText("##.##");
  obj->m_nAlign = 2;
  obj->m_nFillStyle = 0;
  return obj;
}

// The object of a kind with the tool's own values, before the colour.
CDrawObj* NewOfKind(int id) {
  switch (id) {
    case DOT_POLY: return new CDrawPoly;
    case DOT_LINE: return new CDrawLine;
    case DOT_TEXT: return new CDrawText;
    case DOT_POLYGON: return Filled<CDrawPolygon>();
    case DOT_RECT: return Filled<CDrawRect>();
    case DOT_BEZIER: return new CDrawBezier;
    case DOT_BEZIERFILL: return Filled<CDrawBezierFill>();
    case DOT_ELLIPSE: return Filled<CDrawEllipse>();
    case DOT_ARROW: return new CDrawArrow;  // head 18, angle 15: the class's own
    case DOT_PIPE: return new CDrawPipe;    // width 15: the class's own
    case DOT_TAGVAL: return NewTagValue();
    case DOT_MTEXT: return new CDrawMtext;
    case DOT_PUSHBT: return new CDrawPushBt;
    case DOT_CHECKBT: return new CDrawCheckBt;  // "check", check-box style
    case DOT_RADIOBT: return new CDrawRadioBt;  // "radio", radio style
    case DOT_CTRLEDIT: return new CDrawCtrlEdit;
    case DOT_CTRLOCX: return new CDrawCtrlOcx(ChosenControlClass());
    case DOT_PLUGIN: return new CDrawPlugin(kToolPluginLibrary);
  }
  return nullptr;
}

}  // namespace

const ToolKind& ToolKindOf(int id) {
  for (const ToolKind& tool : kTools)
    if (tool.id == id) return tool;
  return kNoTool;
}

CDrawObj* NewToolObject(int id, COLORREF color) {
  CDrawObj* obj = NewOfKind(id);
  if (!obj) return nullptr;
  obj->SetColors(color);
  // The pipe keeps its grey edges whatever the drawing colour.
  if (id == DOT_PIPE) obj->m_clrLine = kPipeGrey;
  return obj;
}
