#include "sampexvalue.h"

#include <cmath>

namespace {

// A float truncated toward zero into 32 bits; outside the range of a signed
// or unsigned 32-bit integer it is held at the nearer end (NaN gives 0), so
// that no value makes the conversion undefined.
DWORD Truncated(double v) {
  if (std::isnan(v)) return 0;
  if (v <= -2147483648.0) return 0x80000000u;
  if (v >= 4294967295.0) return 0xFFFFFFFFu;
  return v < 0 ? static_cast<DWORD>(static_cast<LONG>(v)) : static_cast<DWORD>(v);
}

}  // namespace

double SlotAsDouble(const QPI_VALUE& slot) {
  const QPI_VALUEDATA& d = slot.data;
  switch (slot.type) {
    case QPT_INT8: return d.i8;
    case QPT_UINT8: return d.u8;
    case QPT_INT16: return d.i16;
    case QPT_UINT16: return d.u16;
    case QPT_INT32: return d.i32;
    case QPT_UINT32: return d.u32;
    case QPT_FLOAT32: return d.f32;
    case QPT_INT64: return static_cast<double>(d.i64);
    case QPT_FLOAT64: return d.f64;
    default: return d.u32;
  }
}

DWORD SlotAs32(const QPI_VALUE& slot) {
  const QPI_VALUEDATA& d = slot.data;
  switch (slot.type) {
    case QPT_INT8: return static_cast<DWORD>(static_cast<LONG>(d.i8));
    case QPT_UINT8: return d.u8;
    case QPT_INT16: return static_cast<DWORD>(static_cast<LONG>(d.i16));
    case QPT_UINT16: return d.u16;
    case QPT_INT32:
    case QPT_UINT32: return d.u32;
    case QPT_INT64: return static_cast<DWORD>(d.i64 & 0xFFFFFFFF);
    case QPT_FLOAT32: return Truncated(d.f32);
    case QPT_FLOAT64: return Truncated(d.f64);
    default: return d.u32;
  }
}
