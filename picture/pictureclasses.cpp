#include "pictureclasses.h"

#include "activex/activexclasses.h"
#include "groupclasses.h"
#include "objectclasses.h"
#include "plugin/pluginclasses.h"
#include "shapeclasses.h"

void RegisterPictureClasses() {
  RegisterObjectClasses();
  RegisterShapeClasses();
  RegisterGroupAndControlClasses();
  RegisterPluginClasses();
  RegisterActiveXClasses();
}
