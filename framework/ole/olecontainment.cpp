#include "olecontainment.h"

namespace {
bool g_enabled = false;  // per module: every module links its own copy
}

void QelEnableControlContainer() { g_enabled = true; }

bool QelControlContainerEnabled() { return g_enabled; }
