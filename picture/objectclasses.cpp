#include "objectclasses.h"

#include "drawbezier.h"
#include "drawline.h"
#include "drawpipe.h"
#include "drawpolygon.h"
#include "picobj.h"

void RegisterObjectClasses() {
  static CRuntimeClass* const classes[] = {
      RUNTIME_CLASS(CPicObj),      RUNTIME_CLASS(CPicLayer),   RUNTIME_CLASS(CDrawObj),
      RUNTIME_CLASS(CDrawPoly),    RUNTIME_CLASS(CDrawLine),   RUNTIME_CLASS(CDrawArrow),
      RUNTIME_CLASS(CDrawPolygon), RUNTIME_CLASS(CDrawBezier), RUNTIME_CLASS(CDrawBezierFill),
      RUNTIME_CLASS(CDrawPipe),
  };
  CRuntimeClass::RegisterAll(classes);
}
