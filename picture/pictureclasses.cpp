#include "pictureclasses.h"

#include "groupclasses.h"
#include "objectclasses.h"
#include "shapeclasses.h"

void RegisterPictureClasses() {
  RegisterObjectClasses();
  RegisterShapeClasses();
  RegisterGroupAndControlClasses();
}
