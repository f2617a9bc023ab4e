// The ActiveX controls registered on the machine, as the control picker
// lists them: the controls this system offers (framework/ole/
// offeredcontrols.h, the rule by which a picture's ActiveX objects are
// created too), each with its full user-type name.
#pragma once
#include <windows.h>

#include <vector>

#include "offeredcontrols.h"

using OcxCatalogEntry = OfferedControl;

// In the order the categories manager enumerates them; empty when there is
// no categories manager.
inline std::vector<OcxCatalogEntry> ListRegisteredControls() { return ListOfferedControls(); }
