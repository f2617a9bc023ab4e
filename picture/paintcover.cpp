#include "paintcover.h"

#include <typeinfo>

#include "drawbezier.h"
#include "drawbitmap.h"
#include "drawcell.h"
#include "drawellipse.h"
#include "drawgroup.h"
#include "drawline.h"
#include "drawmtext.h"
#include "drawpipe.h"
#include "drawpolygon.h"
#include "drawrect.h"
#include "knownclip.h"

namespace {

// What the Draw of every class does besides setting pixels, by the exact
// type (a class derived from one of these, in the tree or a plug-in's, is
// never left out, whatever it draws, also when it names no runtime class
// of its own):
// - poly-line, line, arrow, polygon, curve, closed curve, pipe, rectangle,
//   ellipse, multi-line text and tag value: nothing; they only keep their
//   drawings (CPaintCache), which stay as they are when left out.
// - group and sub-picture: what their children do, and nothing of their own.
// - text (CDrawText): stores the escapement of its direction in its font,
//   which is then stored with the picture: never left out.
// - image (CDrawBitmap): decodes its image at its first paint that meets
//   the area, and keeps its drawing; an image left out stays undecoded, as
//   one outside the area does, and decodes when it is next drawn.
// - control, button, check box, radio button, edit box, ActiveX control and
//   plug-in (CDrawCtrl and below): own a child window; never left out, so
//   nothing they do in a paint is lost.
// - CDrawObj itself and every other class: not known, never left out.
const std::type_info* const kOnlyPaintingTypes[] = {
    &typeid(CDrawPoly),    &typeid(CDrawLine),       &typeid(CDrawArrow),  &typeid(CDrawPolygon),
    &typeid(CDrawBezier),  &typeid(CDrawBezierFill), &typeid(CDrawPipe),   &typeid(CDrawRect),
    &typeid(CDrawEllipse), &typeid(CDrawMtext),      &typeid(CDrawTagVal), &typeid(CDrawBitmap)};

bool IsGroup(const std::type_info& type) { return type == typeid(CDrawGroup) || type == typeid(CDrawCell); }

// The area being painted on hdc when what is drawn there can hide it: a
// display or memory DC (a metafile records, a printer's pages are not its
// pixels) that copies what it draws, in logical units that only translate
// device ones, with a clip box that is not empty. The box of a paint that
// knows it (CKnownClipBox) holds the DC's clip, so hiding it hides that.
bool HideableArea(HDC hdc, RECT* area) {
  if (!hdc) return false;
  const DWORD type = ::GetObjectType(hdc);
  if ((type != OBJ_DC && type != OBJ_MEMDC) || ::GetDeviceCaps(hdc, TECHNOLOGY) != DT_RASDISPLAY)
    return false;
  if (::GetROP2(hdc) != R2_COPYPEN || ::GetMapMode(hdc) != MM_TEXT) return false;
  if (::GetGraphicsMode(hdc) != GM_COMPATIBLE) {
    XFORM xf;
    if (!::GetWorldTransform(hdc, &xf) || xf.eM11 != 1.0f || xf.eM12 != 0.0f || xf.eM21 != 0.0f ||
        xf.eM22 != 1.0f || xf.eDx != 0.0f || xf.eDy != 0.0f)
      return false;
  }
  if (const RECT* known = CKnownClipBox::Of(hdc)) {
    *area = *known;
  } else {
    const int kind = ::GetClipBox(hdc, area);
    if (kind != SIMPLEREGION && kind != COMPLEXREGION) return false;
  }
  return !::IsRectEmpty(area);
}

// Whether an object drawn on a DC now hides its area; the DC is asked once,
// when the first object that may hide something comes: a paint of many
// small groups asks it for none of them.
class CHideTest {
 public:
  explicit CHideTest(HDC hdc) : m_hDC(hdc) {}

  bool Hides(CDrawObj* obj) {
    const std::type_info& type = typeid(*obj);
    if (type == typeid(CDrawRect)) return static_cast<CDrawRect*>(obj)->HidesArea([this] { return Area(); });
    // A group draws its children in turn: the last that hides the area
    // hides what the group drew before it, and all before the group. The
    // nesting of groups is bounded (CDrawGroup::kMaxNesting).
    if (!IsGroup(type)) return false;
    const CObList& children = static_cast<CDrawGroup*>(obj)->GetChildren();
    for (POSITION pos = children.GetTailPosition(); pos;)
      if (Hides(ChildAt(children.GetPrev(pos)))) return true;
    return false;
  }

 private:
  const RECT* Area() {
    if (!m_asked) {
      m_asked = true;
      m_hideable = HideableArea(m_hDC, &m_area);
    }
    return m_hideable ? &m_area : nullptr;
  }

  HDC m_hDC;
  bool m_asked = false;
  bool m_hideable = false;
  RECT m_area = {0, 0, 0, 0};
};

}  // namespace

CCoverCut::CCoverCut(HDC hdc, const std::vector<CDrawObj*>& objects) {
  CHideTest test(hdc);
  for (size_t i = objects.size(); i-- > 0;) {
    if (test.Hides(objects[i])) {
      m_hidden = true;
      m_first = i;
      return;
    }
  }
}

CCoverCut::CCoverCut(HDC hdc, const CObList& objects) {
  CHideTest test(hdc);
  size_t index = static_cast<size_t>(objects.GetCount());
  for (POSITION pos = objects.GetTailPosition(); pos;) {
    --index;
    if (test.Hides(ChildAt(objects.GetPrev(pos)))) {
      m_hidden = true;
      m_first = index;
      return;
    }
  }
}

bool CCoverCut::Draws(size_t index, CDrawObj* obj) const {
  return !m_hidden || index >= m_first || !OnlyPaints(obj);
}

bool CCoverCut::OnlyPaints(CDrawObj* obj) {
  const std::type_info& type = typeid(*obj);
  for (const std::type_info* only : kOnlyPaintingTypes)
    if (type == *only) return true;
  if (!IsGroup(type)) return false;
  bool only = true;
  static_cast<CDrawGroup*>(obj)->ForEachChild([&](CDrawObj* child) { only = only && OnlyPaints(child); });
  return only;
}
