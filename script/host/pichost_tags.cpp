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
    default: written = false;
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

// A number tag's value into the destination of argument 1.
int ReadNumber(VmState& s, HWND window, const char* name, NumRead read) {
  CScriptValue value;
  if (read(window, name, &value) != 0) return 0;
  int rc = Deliver(s, Arg(s, 1), value);
  if (!rc) SetIntResult(s, 1);
  return rc;
}

int WriteNumber(VmState& s, HWND window, const char* name) {
  CScriptValue value;
  if (!ToTagValue(Arg(s, 1), &value)) return 0;
  SetIntResult(s, HostWriteLocal(window, name, &value) == 0 ? 1 : 0);
  return 0;
}

// A string or blob tag into the buffer of argument 1, whose room (nbufsize)
// argument 2 gives.
int ReadBytes(VmState& s, HWND window, const char* name, VarRead read) {
  int32_t room = ArgInt(s, 2);
  if (room < 1) return 0;
  VarReply value = {};
  if (read(window, name, &value) != 0) return 0;
  int32_t length = value.length < 0 ? 0 : (value.length > kMaxVarData ? kMaxVarData : value.length);
  int32_t n = length < room - 1 ? length : room - 1;
  int rc = WriteTextCharged(s, ArgAddress(s, 1), value.data, static_cast<size_t>(n));
  if (!rc) SetIntResult(s, n);
  return rc;
}

// The first n bytes of data (at most a tag's) as the local tag's value.
int WriteLocalVar(VmState& s, HWND window, const char* name, int32_t type, const char* data, int32_t n) {
  VarReply value = {};
  value.type = type;
  value.time = static_cast<int32_t>(_time64(nullptr));
  value.length = n;
  std::memcpy(value.data, data, static_cast<size_t>(n));
  SetIntResult(s, HostWriteLocalVar(window, name, &value) == 0 ? 1 : 0);
  return 0;
}

int WriteString(VmState& s, HWND window, const char* name) {
  const char* text;
  size_t length;
  int rc = TextArg(s, 1, &text, &length);
  if (rc) return rc;
  int32_t n = static_cast<int32_t>(length < size_t(kMaxVarData) ? length : kMaxVarData);
  return WriteLocalVar(s, window, name, SV_STRING, text, n);
}

// The first nbufsize bytes (argument 2) of the buffer of argument 1.
int WriteBlob(VmState& s, HWND window, const char* name) {
  int32_t n = ArgInt(s, 2);
  n = n < 0 ? 0 : (n > kMaxVarData ? kMaxVarData : n);
  char data[kMaxVarData];
  if (n > 0 && !s.memory.Read(ArgAddress(s, 1), data, n)) return kSysBadString;
  return WriteLocalVar(s, window, name, SV_BLOB, data, n);
}

using TagRun = int (*)(VmState& s, HWND window, const char* name);

// The tag's name, then the destination, the source or the buffer; the value
// functions take any destination or source (a counted "..." argument).
constexpr uint32_t kNameAndBuffer = PointerArg(0) | PointerArg(1);
const HostFunction<TagRun> kTagFunctions[] = {
    {1500, "dbr_GetDbVal", CountedArgs(2, 2), kNameAndBuffer,
     [](VmState& s, HWND w, const char* name) { return ReadNumber(s, w, name, HostReadTag); }},
    {1501, "dbr_GetLoaclVal", CountedArgs(2, 2), kNameAndBuffer,
     [](VmState& s, HWND w, const char* name) { return ReadNumber(s, w, name, HostReadLocal); }},
    {1502, "dbr_GetLoaclStr", FixedArgs(3), kNameAndBuffer,
     [](VmState& s, HWND w, const char* name) { return ReadBytes(s, w, name, HostReadLocalVar); }},
    {1503, "dbr_GetLoaclBlob", FixedArgs(3), kNameAndBuffer,
     [](VmState& s, HWND w, const char* name) { return ReadBytes(s, w, name, HostReadLocalVar); }},
    {1504, "dbr_SetLoaclVal", CountedArgs(2, 2), PointerArg(0), WriteNumber},
    {1505, "dbr_SetLoaclStr", FixedArgs(2), kNameAndBuffer, WriteString},
    {1506, "dbr_SetLoaclBlob", FixedArgs(3), kNameAndBuffer, WriteBlob},
    {1507, "dbr_GetDbStr", FixedArgs(3), kNameAndBuffer,
     [](VmState& s, HWND w, const char* name) { return ReadBytes(s, w, name, HostReadRealVar); }},
    {1508, "dbr_GetDbBlob", FixedArgs(3), kNameAndBuffer,
     [](VmState& s, HWND w, const char* name) { return ReadBytes(s, w, name, HostReadRealVar); }},
};

// Pops the function's arguments; a counted function given another count ends
// the run with 2.
int PopTagArguments(VmState& s, const HostArgs& args) {
  if (!args.counted) return PopArguments(s, args.least);
  int popped;
  int rc = PopCountedArguments(s, args.least + 1, args.most + 1, &popped);
  return rc == kSysFormatCount ? 2 : rc;
}

}  // namespace

int CPicScriptHost::CallTagFunction(int id) {
  const auto* f = FindHostFunction(kTagFunctions, id);
  if (!f || !m_hWnd) return kSysUnknown;
  VmState& s = *m_state;
  int rc = PopTagArguments(s, f->args);
  if (rc) return rc;
  if (!PointersGiven(f->pointers)) return kSysTagPointer;
  const char* name;
  size_t name_length;
  rc = TextArg(s, 0, &name, &name_length);
  return rc ? rc : f->run(s, m_hWnd, name);
}
