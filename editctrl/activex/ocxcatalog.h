// The ActiveX controls registered on the machine, as the control picker
// lists them: the classes of the Control category that need of their
// container no more than the categories this container accepts, each with
// its full user-type name; a class without a name (or with an empty one) is
// left out.
#pragma once
#include <windows.h>

#include <vector>

#include "qstring.h"

struct OcxCatalogEntry {
    CString name;  // the full user-type name (GBK)
    CLSID clsid;
};

// In the order the categories manager enumerates them; empty when there is
// no categories manager.
std::vector<OcxCatalogEntry> ListRegisteredControls();
