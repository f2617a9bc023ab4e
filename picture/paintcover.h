// Where a paint of many objects starts: an object that hides the whole area
// being painted under pixels of its own makes the drawing of every object
// before it work for nothing, and of what the window paints under the
// objects (the editor's grid).
//
// A damaged picture held screen-wide filled rectangles after objects that
// take the platform seconds to draw; a valid picture often starts with a
// background panel over the whole window. Every paint loop that draws a list
// of objects (the runtime window, the editing window, a group's children)
// asks a cut which of them to draw:
//
//   std::vector<CDrawObj*> objects;  // in drawing order
//   ForEachVisibleObject(picture, [&](CDrawObj* obj) { objects.push_back(obj); });
//   const CCoverCut cut(hdc, objects);
//   if (!cut.HidesBackground()) DrawGrid(...);
//   for (size_t i = 0; i < objects.size(); ++i)
//     if (cut.Draws(i, objects[i])) objects[i]->Draw(pDC, 0);
//
// What is left out must make no difference but to pixels that the cover
// sets again, so both halves are conservative: an object hides the area
// only when its own class proves it from the state its Draw reads
// (CDrawRect::HidesArea), and an object under the cover is left out only
// when its Draw does nothing but set pixels and keep its drawings
// (paintcover.cpp lists what every class does). A DC that records
// (a metafile), prints, mixes what is drawn with what lies under it or maps
// more than a translation leaves everything in.
#pragma once
#include <windows.h>

#include <vector>

#include "collections.h"

class CDrawObj;

class CCoverCut {
 public:
  // For the objects in drawing order, as they would be drawn on hdc now.
  CCoverCut(HDC hdc, const std::vector<CDrawObj*>& objects);
  // For a list of CDrawObj (a group's children).
  CCoverCut(HDC hdc, const CObList& objects);

  // Whether an object hides the area: what is painted before the objects
  // is hidden too.
  bool HidesBackground() const { return m_hidden; }
  // Whether the object at index (in drawing order) is to be drawn: it is
  // the last object that hides the area or comes after it, or its drawing
  // does more than set pixels.
  bool Draws(size_t index, CDrawObj* obj) const;

  // Whether the drawing of obj does nothing but set pixels and keep what it
  // drew (CPaintCache), so that leaving it out under a cover changes
  // nothing else.
  static bool OnlyPaints(CDrawObj* obj);

 private:
  bool m_hidden = false;
  size_t m_first = 0;  // the last object that hides the area
};
