// The host's tag functions: real-time and local tags through the picture
// window's service requests, answered before the request returns.
#include <ctime>
#include <cstring>

#include "hostrequest.h"
#include "pichost.h"
#include "vmargs.h"
#include "vmcodes.h"

namespace {

constexpr int32_t kMaxVarData = 3999;

// A value delivered into a script destination by the destination's base
// type; a text destination takes the value's text, cut to the room of the
// variable it points into, any other 8-bit destination the low byte.
int Deliver(VmState& s, const VmCell& dest, const CScriptValue& value) {
  uint32_t address = Low32(dest.value);
  if (TakesText(s, dest)) {
    CString text = value.Format();
    size_t room = s.memory.Room(address);
    if (room == 0) return kSysBadString;
    size_t n = static_cast<size_t>(text.GetLength()) < room ? text.GetLength() : room - 1;
    return WriteTextCharged(s, address, text.GetString(), n);
  }
  bool written;
  switch (BaseOf(dest.type)) {
    case VB_I8:
    case VB_U8: {
      uint8_t v = static_cast<uint8_t>(value.GetInt());
      written = WriteBytes(s, address, &v, 1);
      break;
    }
    case VB_I16:
    case VB_U16: {
      uint16_t v = static_cast<uint16_t>(value.GetInt());
      written = WriteBytes(s, address, &v, 2);
      break;
    }
    case VB_I32:
    case VB_U32: {
      int32_t v = value.GetInt();
      written = WriteBytes(s, address, &v, 4);
      break;
    }
    case VB_F32: {
      float v = value.GetFloat();
      written = WriteBytes(s, address, &v, 4);
      break;
    }
    case VB_I64: {
      int64_t v = value.GetInt64();
      written = WriteBytes(s, address, &v, 8);
      break;
    }
    case VB_F64: {
      double v = value.GetDouble();
      written = WriteBytes(s, address, &v, 8);
      break;
    }
    default:
      written = false;
  }
  return written ? 0 : kSysBadString;
}

// A script value as a tag value; false for a text, which is not written.
bool ToTagValue(const VmCell& c, CScriptValue* value) {
  if (HasKind(c.type) && BaseOf(c.type) == VB_I8) return false;
  int64_t i = 0;
  double d = 0;
  CellToInt64(c, &i);
  CellToDouble(c, &d);
  switch (HasKind(c.type) ? uint8_t(VB_U32) : BaseOf(c.type)) {
    case VB_F32: value->SetFloat(static_cast<float>(d)); break;
    case VB_I64: value->SetInt64(i); break;
    case VB_F64: value->SetDouble(d); break;
    default: value->SetInt(static_cast<int32_t>(i)); break;
  }
  value->m_time = static_cast<DWORD>(_time64(nullptr));
  return true;
}

using NumRead = int (*)(HWND, const char*, CScriptValue*);
using VarRead = int (*)(HWND, const char*, VarReply*);

}  // namespace

int CPicScriptHost::CallTagFunction(int id) {
  VmState& s = *m_state;
  bool counted = id == 1500 || id == 1501 || id == 1504;
  bool known = counted || (id >= 1502 && id <= 1503) || (id >= 1505 && id <= 1508);
  if (!known || !m_hWnd) return kSysUnknown;

  int rc;
  if (counted) {
    int args;
    rc = PopCountedArguments(s, 3, 3, &args);
    if (rc == kSysFormatCount) return 2;
  } else {
    rc = PopArguments(s, id == 1505 ? 2 : 3);
  }
  if (rc) return rc;
  if (!IsPointerArg(s, 0) || (id != 1504 && !IsPointerArg(s, 1))) return kSysTagPointer;
  const char* name;
  size_t name_length;
  rc = TextArg(s, 0, &name, &name_length);
  if (rc) return rc;

  if (id == 1500 || id == 1501) {
    NumRead read = id == 1500 ? HostReadTag : HostReadLocal;
    CScriptValue value;
    if (read(m_hWnd, name, &value) != 0) return 0;
    rc = Deliver(s, Arg(s, 1), value);
    if (!rc) SetIntResult(s, 1);
    return rc;
  }
  if (id == 1504) {
    CScriptValue value;
    if (!ToTagValue(Arg(s, 1), &value)) return 0;
    SetIntResult(s, HostWriteLocal(m_hWnd, name, &value) == 0 ? 1 : 0);
    return 0;
  }
  if (id == 1505 || id == 1506) {
    VarReply value = {};
    value.type = id == 1505 ? SV_STRING : SV_BLOB;
    value.time = static_cast<int32_t>(_time64(nullptr));
    int32_t n;
    if (id == 1505) {
      const char* text;
      size_t length;
      rc = TextArg(s, 1, &text, &length);
      if (rc) return rc;
      n = static_cast<int32_t>(length < size_t(kMaxVarData) ? length : kMaxVarData);
      std::memcpy(value.data, text, n);
    } else {
      n = ArgInt(s, 2);
      n = n < 0 ? 0 : (n > kMaxVarData ? kMaxVarData : n);
      if (n > 0 && !s.memory.Read(ArgAddress(s, 1), value.data, n)) return kSysBadString;
    }
    value.length = n;
    SetIntResult(s, HostWriteLocalVar(m_hWnd, name, &value) == 0 ? 1 : 0);
    return 0;
  }
  // 1502, 1503, 1507, 1508: a string or blob into a buffer of nbufsize bytes.
  int32_t room = ArgInt(s, 2);
  if (room < 1) return 0;
  VarRead read = id >= 1507 ? HostReadRealVar : HostReadLocalVar;
  VarReply value = {};
  if (read(m_hWnd, name, &value) != 0) return 0;
  int32_t length = value.length < 0 ? 0 : (value.length > kMaxVarData ? kMaxVarData : value.length);
  int32_t n = length < room - 1 ? length : room - 1;
  rc = WriteTextCharged(s, ArgAddress(s, 1), value.data, static_cast<size_t>(n));
  if (!rc) SetIntResult(s, n);
  return rc;
}
