// The registration function of the test library, written as every library
// with serializable classes writes its own.
#include "framework.h"

CRuntimeClass* LibOnlyItemClass();

void RegisterLibTestClasses() {
  static CRuntimeClass* const classes[] = {LibOnlyItemClass()};
  CRuntimeClass::RegisterAll(classes);
}
