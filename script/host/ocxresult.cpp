#include "ocxresult.h"

#include <cstring>

#include "gbkcut.h"
#include "oletext.h"
#include "vmcodes.h"

namespace {

struct Destination {
  VARTYPE vt;    // what the value is converted to
  size_t bytes;  // what is written
};

// By base type 0..8: I8, U8, I16, U16, I32, U32, F32, I64, F64.
const Destination kDestinations[] = {
    {VT_I1, 1},  {VT_UI1, 1}, {VT_I2, 2}, {VT_UI2, 2}, {VT_I4, 4},
    {VT_UI4, 4}, {VT_R4, 4},  {VT_I4, 8}, {VT_R8, 8},
};
constexpr uint8_t kI64 = 7;

int TextBytes(BSTR text, size_t room, std::vector<BYTE>* bytes) {
  bytes->clear();
  if (room == 0) return 0;
  const CString gbk = TextFromBstr(text);
  const size_t n = GbkFitLength(gbk.GetString(), static_cast<size_t>(gbk.GetLength()), room - 1);
  bytes->assign(gbk.GetString(), gbk.GetString() + n);
  bytes->push_back(0);
  return 0;
}

}  // namespace

int OcxResultBytes(const VARIANT& result, uint8_t base, bool textDestination, size_t room,
                   std::vector<BYTE>* bytes) {
  if (base >= sizeof kDestinations / sizeof kDestinations[0]) return kSysOcxBadResult;
  if (textDestination && base <= 1 && result.vt == VT_BSTR) return TextBytes(result.bstrVal, room, bytes);
  const Destination& to = kDestinations[base];
  VARIANT value;
  ::VariantInit(&value);
  if (FAILED(::VariantChangeType(&value, const_cast<VARIANT*>(&result), 0, to.vt))) return kSysOcxBadResult;
  bytes->resize(to.bytes);
  if (base == kI64) {
    const int64_t widened = value.lVal;
    std::memcpy(bytes->data(), &widened, sizeof widened);
  } else {
    std::memcpy(bytes->data(), &value.bVal, to.bytes);  // the value's first bytes, in its own width
  }
  ::VariantClear(&value);
  return 0;
}
