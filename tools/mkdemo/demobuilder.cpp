#include "demobuilder.h"

#include <cstring>

#include "activex/drawctrlocx.h"
#include "actkinds.h"
#include "crtformat.h"
#include "drawbutton.h"
#include "drawellipse.h"
#include "drawline.h"
#include "drawmtext.h"
#include "drawpipe.h"
#include "drawpolygon.h"
#include "drawrect.h"
#include "drawtext.h"
#include "picobj.h"

namespace demo {

namespace {

const char kLinkVerb[] = "link\n";

LOGFONTA DemoFont(int height, int weight) {
  LOGFONTA lf = {};
  lf.lfHeight = height;
  lf.lfWeight = weight;
  lf.lfCharSet = GB2312_CHARSET;
  std::strcpy(lf.lfFaceName, "宋体");
  return lf;
}

template <class T>
T* Attach(CDrawObj* obj, T* link) {
  obj->AddAction(link);
  return link;
}

void SetTwoColours(CActColor* link, double threshold, COLORREF low, COLORREF high) {
  link->m_nLevels = 2;
  link->m_colors[0] = low;
  link->m_colors[1] = high;
  // Level 0 up to the threshold, level 1 up to a value no demo tag reaches.
  link->SetThresholdText(qel::FormatStr("%g\t1000000000\t", threshold).c_str());
}

}  // namespace

CPicObj* NewPicture(const char* name, int width, int height, COLORREF back, int periodMs) {
  CPicObj* picture = new CPicObj;
  picture->m_strName = name;
  picture->m_nWidth = width;
  picture->m_nHeight = height;
  picture->m_clrBack = back;
  picture->m_nPeriod = periodMs;
  picture->EnsureLayer();
  return picture;
}

CPicLayer* FirstLayer(CPicObj& picture) { return picture.GetLayer(0); }

CDrawObj* LayerBuilder::Add(CDrawObj* obj, const char* name) {
  obj->m_strName = name;
  m_layer.m_objects.AddTail(obj);
  return obj;
}

CDrawObj* LayerBuilder::Rect(const char* name, const CRectD& r, COLORREF fill, COLORREF line, int lineWidth) {
  CDrawRect* obj = new CDrawRect;
  obj->SetCorners(r);
  obj->m_clrFill1 = fill;
  obj->m_clrLine = line;
  obj->m_nLineWidth = lineWidth;
  return Add(obj, name);
}

CDrawObj* LayerBuilder::Ellipse(const char* name, const CRectD& r, COLORREF fill, COLORREF line,
                                int lineWidth) {
  CDrawEllipse* obj = new CDrawEllipse;
  obj->SetCorners(r);
  obj->m_clrFill1 = fill;
  obj->m_clrLine = line;
  obj->m_nLineWidth = lineWidth;
  return Add(obj, name);
}

CDrawObj* LayerBuilder::Polygon(const char* name, const std::vector<CPointD>& points, COLORREF fill,
                                COLORREF line) {
  CDrawPolygon* obj = new CDrawPolygon;
  for (const CPointD& p : points) obj->AddPoint(p);
  obj->m_nFillStyle = 1;
  obj->m_clrFill1 = fill;
  obj->m_clrLine = line;
  return Add(obj, name);
}

CDrawObj* LayerBuilder::Line(const char* name, const CPointD& a, const CPointD& b, COLORREF line, int width) {
  CDrawLine* obj = new CDrawLine;
  obj->AddPoint(a);
  obj->AddPoint(b);
  obj->m_clrLine = line;
  obj->m_nLineWidth = width;
  return Add(obj, name);
}

CDrawObj* LayerBuilder::Pipe(const char* name, const std::vector<CPointD>& points, COLORREF centre,
                             COLORREF edge, int width) {
  CDrawPipe* obj = new CDrawPipe;
  for (const CPointD& p : points) obj->AddPoint(p);
  obj->m_clrFill1 = centre;
  obj->m_clrLine = edge;
  obj->m_nPipeWidth = width;
  return Add(obj, name);
}

CDrawObj* LayerBuilder::Text(const char* name, const CPointD& a, const char* text, COLORREF colour,
                             int height, int weight) {
  CDrawText* obj = new CDrawText;
  obj->SetFont(DemoFont(height, weight));
  obj->SetText(text);
  obj->SetPoints(a, CPointD(a.x + height, a.y));
  obj->SetColors(colour);
  obj->m_clrFill1 = static_cast<COLORREF>(-1);  // no background: the picture shows through
  // Measured like the editor does after typing (at zoom 1): B at the end of
  // the text.
  obj->SetViewTransform(POINT{0, 0}, 1.0);
  obj->CalcExtent(::GetDesktopWindow());
  return Add(obj, name);
}

CDrawObj* LayerBuilder::TagValue(const char* name, const CRectD& r, const char* expression, int decimals,
                                 COLORREF text, COLORREF back, int height) {
  CDrawTagVal* obj = new CDrawTagVal;
  obj->SetCorners(r);
  obj->SetFont(DemoFont(height, FW_BOLD));
  obj->m_clrText = text;
  obj->m_clrFill1 = back;
  obj->m_clrLine = RGB(96, 96, 96);
  obj->m_nAlign = 2;
  CActTagVal* link = Attach(obj, new CActTagVal);
  link->m_strExpression = expression;
  link->m_nDecimals = decimals;
  return Add(obj, name);
}

CDrawObj* LayerBuilder::LinkButton(const char* name, const CRectD& r, const char* caption,
                                   const char* picture) {
  CDrawPushBt* obj = new CDrawPushBt;
  obj->m_rect = r;
  obj->SetText(caption);
  obj->m_font = DemoFont(16, FW_BOLD);
  CActEvent* link = Attach(obj, new CActEvent);
  link->m_nMode = AM_DIRECT;
  link->m_nEvent = link->m_nTrigger = AK_CLICKED;
  link->m_strCommand = (std::string(kLinkVerb) + picture).c_str();
  return Add(obj, name);
}

CDrawObj* LayerBuilder::ActiveX(const char* name, const CRectD& r, const CLSID& clsid) {
  CDrawCtrlOcx* obj = new CDrawCtrlOcx(clsid);
  obj->m_rect = r;
  return Add(obj, name);
}

CAction* AddPercentFill(CDrawObj* obj, const char* expression, double minimum, double maximum,
                        COLORREF fill) {
  CActPerFill* link = Attach(obj, new CActPerFill);
  link->m_strExpression = expression;
  link->m_dMinimum = minimum;
  link->m_dMaximum = maximum;
  link->m_nDirection = 0;  // from the bottom up
  link->m_clrFill = fill;
  return link;
}

CAction* AddFillColor(CDrawObj* obj, const char* expression, double threshold, COLORREF low, COLORREF high) {
  CActFillColor* link = Attach(obj, new CActFillColor);
  link->m_nMode = AM_DIRECT;
  link->m_strExpression = expression;
  SetTwoColours(link, threshold, low, high);
  return link;
}

CAction* AddLineColor(CDrawObj* obj, const char* expression, double threshold, COLORREF low, COLORREF high) {
  CActColor* link = Attach(obj, new CActColor);
  link->m_nMode = AM_DIRECT;
  link->m_strExpression = expression;
  SetTwoColours(link, threshold, low, high);
  return link;
}

CAction* AddRotation(CDrawObj* obj, const char* expression, int stepDegrees, int periodMs) {
  CActRoll* link = Attach(obj, new CActRoll);
  link->m_nMode = AM_DIRECT;
  link->m_nTrigger = AT_OWN_PERIOD;
  link->m_nPeriod = periodMs;
  link->m_nStep = stepDegrees;
  link->m_strExpression = expression;
  return link;
}

CAction* AddFlash(CDrawObj* obj, const char* expression, int periodMs) {
  CActFlash* link = Attach(obj, new CActFlash);
  link->m_nMode = AM_DIRECT;
  link->m_nTrigger = AT_OWN_PERIOD;
  link->m_nPeriod = periodMs;
  link->m_strExpression = expression;
  return link;
}

CAction* AddPointer(CDrawObj* obj, const char* expression, double minimum, double maximum, int startAngle,
                    int endAngle) {
  CActPointer* link = Attach(obj, new CActPointer);
  link->m_strExpression = expression;
  link->m_dMinimum = minimum;
  link->m_dMaximum = maximum;
  link->m_nStartAngle = startAngle;
  link->m_nEndAngle = endAngle;
  return link;
}

CAction* AddClickLink(CDrawObj* obj, const char* picture) {
  CActEvent* link = Attach(obj, new CActEvent);
  link->m_nMode = AM_DIRECT;
  link->m_nEvent = link->m_nTrigger = AK_MOUSE_CLICK;
  link->m_strCommand = (std::string(kLinkVerb) + picture).c_str();
  return link;
}

namespace {

// The link in script mode with the code, on its own period.
CAction* WithScript(CAction* link, const char* source, const std::vector<BYTE>& code, int periodMs) {
  link->m_nMode = AM_SCRIPT;
  link->m_nTrigger = AT_OWN_PERIOD;
  link->m_nPeriod = periodMs;
  link->m_script.m_strSource = source;
  link->m_script.m_code.SetData(code.empty() ? nullptr : code.data(), static_cast<int>(code.size()));
  return link;
}

}  // namespace

CAction* AddMoveScript(CDrawObj* obj, const char* source, const std::vector<BYTE>& code, int periodMs) {
  return WithScript(Attach(obj, new CActMove), source, code, periodMs);
}

CAction* AddCustomScript(CDrawObj* obj, const char* source, const std::vector<BYTE>& code, int periodMs) {
  return WithScript(Attach(obj, new CAction), source, code, periodMs);
}

}  // namespace demo
