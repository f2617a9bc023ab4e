// The ambient properties that a control site offers its control through the
// site's IDispatch: what the container tells every control about its
// surroundings (design or user mode, colours, locale).
#pragma once
#include <windows.h>
#include <oaidl.h>

struct OleAmbientState {
  bool userMode;  // false while an editor shows the control (design mode)
};

// The value of an ambient property into *value: S_OK, or
// DISP_E_MEMBERNOTFOUND for a property this container does not offer.
HRESULT GetAmbientProperty(DISPID id, const OleAmbientState& state, VARIANT* value);
