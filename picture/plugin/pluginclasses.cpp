#include "pluginclasses.h"

#include "drawplugin.h"

void RegisterPluginClasses() {
  static CRuntimeClass* const classes[] = {RUNTIME_CLASS(CDrawPlugin)};
  CRuntimeClass::RegisterAll(classes);
}
