#include "olepropframe.h"

// The frame stands on the framework's property sheets, which are not part of
// the layer yet: until then no frame can be shown.
HRESULT QelShowPropertyFrame(HWND, const char*, IUnknown*, const CAUUID&, LCID) {
  return E_NOTIMPL;
}
