#include "oleambient.h"

#include <olectl.h>

namespace {

// How each property's value is made.
enum AmbientKind { AK_BOOL, AK_COLOR, AK_LOCALE, AK_USERMODE };

struct AmbientRow {
  DISPID id;
  AmbientKind kind;
  int value;  // AK_BOOL: the value; AK_COLOR: the system colour index
};

const AmbientRow kAmbients[] = {
    {DISPID_AMBIENT_USERMODE, AK_USERMODE, 0},
    {DISPID_AMBIENT_UIDEAD, AK_BOOL, FALSE},
    {DISPID_AMBIENT_SHOWHATCHING, AK_BOOL, FALSE},
    {DISPID_AMBIENT_SHOWGRABHANDLES, AK_BOOL, FALSE},
    {DISPID_AMBIENT_DISPLAYASDEFAULT, AK_BOOL, FALSE},
    {DISPID_AMBIENT_MESSAGEREFLECT, AK_BOOL, FALSE},
    {DISPID_AMBIENT_SUPPORTSMNEMONICS, AK_BOOL, FALSE},
    {DISPID_AMBIENT_AUTOCLIP, AK_BOOL, TRUE},
    {DISPID_AMBIENT_LOCALEID, AK_LOCALE, 0},
    {DISPID_AMBIENT_BACKCOLOR, AK_COLOR, COLOR_WINDOW},
    {DISPID_AMBIENT_FORECOLOR, AK_COLOR, COLOR_WINDOWTEXT},
};

void SetBool(VARIANT* v, bool b) {
  v->vt = VT_BOOL;
  v->boolVal = b ? VARIANT_TRUE : VARIANT_FALSE;
}

}  // namespace

HRESULT GetAmbientProperty(DISPID id, const OleAmbientState& state, VARIANT* value) {
  for (const AmbientRow& row : kAmbients) {
    if (row.id != id) continue;
    ::VariantInit(value);
    switch (row.kind) {
      case AK_BOOL: SetBool(value, row.value != 0); break;
      case AK_USERMODE: SetBool(value, state.userMode); break;
      case AK_LOCALE:
        value->vt = VT_I4;
        value->lVal = static_cast<LONG>(::GetUserDefaultLCID());
        break;
      case AK_COLOR:
        value->vt = VT_I4;  // an OLE_COLOR: the system colour's RGB value
        value->lVal = static_cast<LONG>(::GetSysColor(row.value));
        break;
    }
    return S_OK;
  }
  return DISP_E_MEMBERNOTFOUND;
}
