#include "groupclasses.h"

#include "drawcell.h"
#include "drawgroup.h"

void RegisterGroupAndControlClasses() {
    static CRuntimeClass* const classes[] = {
        RUNTIME_CLASS(CDrawGroup),
        RUNTIME_CLASS(CDrawCell),
    };
    CRuntimeClass::RegisterAll(classes);
}
