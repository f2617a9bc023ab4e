#include "activexclasses.h"

#include "drawctrlocx.h"

void RegisterActiveXClasses() {
  static CRuntimeClass* const classes[] = {RUNTIME_CLASS(CDrawCtrlOcx)};
  CRuntimeClass::RegisterAll(classes);
}
