// Which registered classes this system offers as ActiveX controls: the
// classes of the Control category that need of their container no more than
// the categories this container accepts, and that have a full user-type name
// (an empty one counts as none). The control picker lists exactly these, and
// a picture's ActiveX object creates nothing else: a picture or a pasted
// block names any class identifier, and creating an object starts the code
// of the library registered for it.
//
// Only the registry is read (through the component categories manager and
// the user-type name): no library of the class is loaded. COM must be started
// on the thread; without it, or without a categories manager, nothing is
// offered.
#pragma once
#include <windows.h>

#include <vector>

#include "qstring.h"

// The class's full user-type name when it is an offered control; empty
// otherwise.
CString OfferedControlName(const CLSID& clsid);
inline bool IsOfferedControl(const CLSID& clsid) { return !OfferedControlName(clsid).IsEmpty(); }

struct OfferedControl {
  CString name;  // the full user-type name (GBK)
  CLSID clsid;
};
// Every offered control, in the order the categories manager enumerates them.
std::vector<OfferedControl> ListOfferedControls();
