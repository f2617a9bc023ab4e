#include "ocxresult.h"

#include <cstring>

#include "gbkcut.h"
#include "oletext.h"

namespace {

struct Destination {
    VARTYPE vt;    // what the value is converted to
    size_t bytes;  // what is written
};

// By base type 0..8: I8, U8, I16, U16, I32, U32, F32, I64, F64.
const Destination kDestinations[] = {
    {VT_I1, 1}, {VT_UI1, 1}, {VT_I2, 2}, {VT_UI2, 2}, {VT_I4, 4},
    {VT_UI4, 4}, {VT_R4, 4}, {VT_I4, 8}, {VT_R8, 8},
};
constexpr uint8_t kI64 = 7;

int WriteText(BSTR text, BYTE* dest, size_t room) {
    if (room == 0)
        return 0;
    const CString gbk = TextFromBstr(text);
    const size_t n = GbkFitLength(gbk.GetString(), static_cast<size_t>(gbk.GetLength()), room - 1);
    std::memcpy(dest, gbk.GetString(), n);
    dest[n] = 0;
    return 0;
}

}  // namespace

int WriteOcxResult(const VARIANT& result, uint8_t base, BYTE* dest, size_t room) {
    if (base >= sizeof kDestinations / sizeof kDestinations[0] || !dest)
        return kOcxBadDestination;
    if (base <= 1 && result.vt == VT_BSTR)
        return WriteText(result.bstrVal, dest, room);
    const Destination& to = kDestinations[base];
    if (room < to.bytes)
        return kOcxBadDestination;
    VARIANT value;
    ::VariantInit(&value);
    if (FAILED(::VariantChangeType(&value, const_cast<VARIANT*>(&result), 0, to.vt)))
        return kOcxBadDestination;
    if (base == kI64) {
        const int64_t widened = value.lVal;
        std::memcpy(dest, &widened, sizeof widened);
    } else {
        std::memcpy(dest, &value.bVal, to.bytes);  // the value's first bytes, in its own width
    }
    ::VariantClear(&value);
    return 0;
}
