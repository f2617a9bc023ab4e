#include "values.h"

#include <cmath>
#include <cstring>

#include "qel/qbtypes.h"

namespace tagsim {
namespace {

int32_t GetI32(const Value16& v) {
  int32_t x;
  std::memcpy(&x, v.value, 4);
  return x;
}

// Doubles beyond the int64 range are clamped rather than left undefined.
int64_t TruncToInt64(double d) {
  if (std::isnan(d)) return 0;
  if (d >= 9.2233720368547758e18) return INT64_MAX;
  if (d <= -9.2233720368547758e18) return INT64_MIN;
  return int64_t(d);
}

}  // namespace

Value16 MakeInt64Value(int64_t v, uint32_t time) {
  Value16 out{};
  out.type = kTypeInt64;
  out.time = time;
  std::memcpy(out.value, &v, 8);
  return out;
}

Value16 MakeValue(uint8_t type, double v, uint32_t time) {
  Value16 out{};
  out.type = type;
  out.time = time;
  switch (type) {
    case kTypeDigital:
    case kTypeInt32: {
      int32_t x = int32_t(uint32_t(uint64_t(TruncToInt64(v))));  // low 32 bits
      std::memcpy(out.value, &x, 4);
      break;
    }
    case kTypeFloat32: {
      float f = float(v);
      std::memcpy(out.value, &f, 4);
      break;
    }
    case kTypeInt64: {
      int64_t x = TruncToInt64(v);
      std::memcpy(out.value, &x, 8);
      break;
    }
    case kTypeFloat64: std::memcpy(out.value, &v, 8); break;
    default: break;
  }
  return out;
}

double ValueAsDouble(const Value16& v) {
  switch (v.type) {
    case kTypeDigital:
    case kTypeInt32: return GetI32(v);
    case kTypeFloat32: {
      float f;
      std::memcpy(&f, v.value, 4);
      return f;
    }
    case kTypeInt64: {
      int64_t x;
      std::memcpy(&x, v.value, 8);
      return double(x);
    }
    case kTypeFloat64: {
      double d;
      std::memcpy(&d, v.value, 8);
      return d;
    }
    default: return 0;
  }
}

int64_t ValueAsInt64(const Value16& v) {
  if (v.type == kTypeInt64) {
    int64_t x;
    std::memcpy(&x, v.value, 8);
    return x;
  }
  if (v.type == kTypeDigital || v.type == kTypeInt32) return GetI32(v);
  return TruncToInt64(ValueAsDouble(v));
}

Value16 ConvertValue(const Value16& v, uint8_t type) {
  if (v.type == type) return v;
  Value16 out;
  bool integral = v.type == kTypeDigital || v.type == kTypeInt32 || v.type == kTypeInt64;
  if (type == kTypeInt64 && integral)
    out = MakeInt64Value(ValueAsInt64(v), v.time);
  else if ((type == kTypeInt32 || type == kTypeDigital) && v.type == kTypeInt64)
    out = MakeValue(type, double(int32_t(uint32_t(uint64_t(ValueAsInt64(v))))), v.time);
  else
    out = MakeValue(type, ValueAsDouble(v), v.time);
  out.quality = v.quality;
  out.status = v.status;
  return out;
}

bool TypeFromName(const std::string& name, uint8_t* type) {
  for (uint8_t code = kTypeDigital; code <= kTypeBlob; ++code)
    if (name == GetTagTypeName(code)) {
      *type = code;
      return true;
    }
  return false;
}

}  // namespace tagsim
