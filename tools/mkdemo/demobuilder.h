// Small helpers that put draw objects with their links into a picture layer,
// the way an engineer would draw them in the editor.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "drawobj.h"
#include "geometry.h"

class CAction;
class CPicLayer;
class CPicObj;

namespace demo {

// A new picture with one layer and the given size, background and period.
CPicObj* NewPicture(const char* name, int width, int height, COLORREF back, int periodMs);
CPicLayer* FirstLayer(CPicObj& picture);

class LayerBuilder {
 public:
  explicit LayerBuilder(CPicLayer& layer) : m_layer(layer) {}

  CDrawObj* Rect(const char* name, const CRectD& r, COLORREF fill, COLORREF line, int lineWidth = 1);
  CDrawObj* Ellipse(const char* name, const CRectD& r, COLORREF fill, COLORREF line, int lineWidth = 1);
  CDrawObj* Polygon(const char* name, const std::vector<CPointD>& points, COLORREF fill, COLORREF line);
  CDrawObj* Line(const char* name, const CPointD& a, const CPointD& b, COLORREF line, int width);
  CDrawObj* Pipe(const char* name, const std::vector<CPointD>& points, COLORREF centre, COLORREF edge,
                 int width);
  // A single-line text from a to the right, as long as the text is.
  CDrawObj* Text(const char* name, const CPointD& a, const char* text, COLORREF colour, int height,
                 int weight = FW_NORMAL);
  // A tag-value display in r showing the expression's value.
  CDrawObj* TagValue(const char* name, const CRectD& r, const char* expression, int decimals, COLORREF text,
                     COLORREF back, int height = 16);
  // A push button whose click opens the named picture.
  CDrawObj* LinkButton(const char* name, const CRectD& r, const char* caption, const char* picture);
  // An ActiveX control of that class in r, in its default state.
  CDrawObj* ActiveX(const char* name, const CRectD& r, const CLSID& clsid);

 private:
  CDrawObj* Add(CDrawObj* obj, const char* name);
  CPicLayer& m_layer;
};

// Links, each returned added to the object.
CAction* AddPercentFill(CDrawObj* obj, const char* expression, double minimum, double maximum, COLORREF fill);
// Two colours: the first up to and including threshold, the second above it.
CAction* AddFillColor(CDrawObj* obj, const char* expression, double threshold, COLORREF low, COLORREF high);
CAction* AddLineColor(CDrawObj* obj, const char* expression, double threshold, COLORREF low, COLORREF high);
CAction* AddRotation(CDrawObj* obj, const char* expression, int stepDegrees, int periodMs);
CAction* AddFlash(CDrawObj* obj, const char* expression, int periodMs);
CAction* AddPointer(CDrawObj* obj, const char* expression, double minimum, double maximum, int startAngle,
                    int endAngle);
// A click (kind 101) on the object opens the named picture.
CAction* AddClickLink(CDrawObj* obj, const char* picture);
// A movement link running compiled code bytes on its own period.
CAction* AddMoveScript(CDrawObj* obj, const char* source, const std::vector<BYTE>& code, int periodMs);
// A custom script link (kind 0) running compiled code bytes on its own period.
CAction* AddCustomScript(CDrawObj* obj, const char* source, const std::vector<BYTE>& code, int periodMs);

}  // namespace demo
