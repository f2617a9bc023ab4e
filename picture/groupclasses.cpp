#include "groupclasses.h"

#include "drawbutton.h"
#include "drawcell.h"
#include "drawctrledit.h"
#include "drawgroup.h"

void RegisterGroupAndControlClasses() {
  static CRuntimeClass* const classes[] = {
      RUNTIME_CLASS(CDrawGroup),    RUNTIME_CLASS(CDrawCell),    RUNTIME_CLASS(CDrawCtrl),
      RUNTIME_CLASS(CDrawPushBt),   RUNTIME_CLASS(CDrawCheckBt), RUNTIME_CLASS(CDrawRadioBt),
      RUNTIME_CLASS(CDrawCtrlEdit),
  };
  CRuntimeClass::RegisterAll(classes);
}
