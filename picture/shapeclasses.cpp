#include "shapeclasses.h"

#include "drawbitmap.h"
#include "drawellipse.h"
#include "drawmtext.h"
#include "drawrect.h"
#include "drawtext.h"

void RegisterShapeClasses() {
  static CRuntimeClass* const classes[] = {
      RUNTIME_CLASS(CDrawRect), RUNTIME_CLASS(CDrawEllipse), RUNTIME_CLASS(CDrawBitmap),
      RUNTIME_CLASS(CDrawText), RUNTIME_CLASS(CDrawMtext),   RUNTIME_CLASS(CDrawTagVal),
  };
  CRuntimeClass::RegisterAll(classes);
}
