// The ActiveX host functions: 1200 ocx_GetVal, 1201 ocx_SetVal and 1202
// ocx_Invoke call a member of the control of an ActiveX object through a
// bridge of their own (COcxDispatch), made for this one call: the control's
// type information is read again every time.
#include <vector>

#include "activex/drawctrlocx.h"
#include "activex/ocxdispatch.h"
#include "ocxresult.h"
#include "pichost.h"
#include "vmargs.h"
#include "vmcodes.h"

namespace {

// The fixed arguments: the object's name, the member's name, the destination.
constexpr int kMemberArg = 1;
constexpr int kResultArg = 2;
constexpr int kFirstValueArg = 3;

// Argument i as the bridge takes it: the text of a character pointer or
// array, any other cell by its base type with its value.
int ValueOfArg(VmState& s, int i, OcxValue* value) {
  const VmCell& cell = Arg(s, i);
  if (!TakesText(s, cell)) {
    *value = {static_cast<OcxValueType>(BaseOf(cell.type)), cell.value, CString()};
    return 0;
  }
  const char* text;
  size_t length;
  int rc = TextArg(s, i, &text, &length);
  if (!rc) *value = {OVT_TEXT, 0, CString(text, static_cast<int>(length))};
  return rc;
}

// The returned value into the destination of argument kResultArg.
int DeliverResult(VmState& s, const VARIANT& result) {
  const VmCell& dest = Arg(s, kResultArg);
  const uint32_t address = Low32(dest.value);
  const bool text = TakesText(s, dest);
  const size_t room = s.memory.Room(address);
  if (text && room == 0) return kSysBadString;
  std::vector<BYTE> bytes;
  int rc = OcxResultBytes(result, BaseOf(dest.type), text, room, &bytes);
  return rc ? rc : WriteCharged(s, address, bytes.data(), bytes.size());
}

}  // namespace

int CPicScriptHost::CallOcx(CDrawCtrlOcx* ocx, int kind, int args) {
  VmState& s = *m_state;
  COcxDispatch bridge(ocx->GetControlWnd());
  bridge.Attach();
  if (!bridge.HasDispatch()) return kSysNoDispatch;
  const char* member;
  size_t length;
  int rc = TextArg(s, kMemberArg, &member, &length);
  if (rc) return rc;
  std::vector<OcxValue> values(static_cast<size_t>(args - kFirstValueArg));
  for (int i = kFirstValueArg; i < args; ++i)
    if ((rc = ValueOfArg(s, i, &values[static_cast<size_t>(i - kFirstValueArg)]))) return rc;
  if (!bridge.Prepare(member, values.data(), static_cast<int>(values.size()), kind)) return kSysOcxUnresolved;
  if (!bridge.Invoke()) return kSysOcxCallFailed;
  rc = DeliverResult(s, bridge.GetResult());
  if (!rc) SetIntResult(s, 1);
  return rc;
}
