#include "tagvalue.h"

#include <climits>
#include <cstdlib>
#include <cstring>

#include "crtformat.h"

namespace {

// Buffers bigger than this are refused like a failed allocation, so that
// TagBufferSize can never wrap around.
constexpr DWORD kMaxBufferData = 0x7FFFFFF0u;

// A zero-filled buffer by the buffer rule, or null when it cannot be had.
char* AllocBuffer(DWORD n) {
  if (n > kMaxBufferData) return nullptr;
  return static_cast<char*>(std::calloc(TagBufferSize(n), 1));
}

// Out-of-range and NaN give the minimum integer (what x86 conversion
// instructions produce) instead of undefined behaviour.
int32_t TruncateToInt32(double d) {
  if (d > -2147483649.0 && d < 2147483648.0) return static_cast<int32_t>(d);
  return INT32_MIN;
}

int64_t TruncateToInt64(double d) {
  if (d >= -9223372036854775808.0 && d < 9223372036854775808.0) return static_cast<int64_t>(d);
  return INT64_MIN;
}

bool IsTextType(DWORD type) { return type == TT_STRING || type == TT_BLOB; }

// The value of a numeric or empty source read as the wider kinds; a text
// source is parsed, a blob reads as zero.
struct NumberView {
  int32_t i32;
  int64_t i64;
  double d;
  float f;
};

NumberView ReadNumber(const CTagValue& v) {
  const CTagValue::Value& x = v.m_value;
  switch (v.m_type) {
    case TT_DIGITAL:
    case TT_INT32: return {x.i32, x.i32, static_cast<double>(x.i32), static_cast<float>(x.i32)};
    case TT_FLOAT: return {TruncateToInt32(x.f), TruncateToInt64(x.f), x.f, x.f};
    case TT_INT64:
      return {static_cast<int32_t>(static_cast<uint32_t>(x.i64)), x.i64, static_cast<double>(x.i64),
              static_cast<float>(x.i64)};
    case TT_DOUBLE: return {TruncateToInt32(x.d), TruncateToInt64(x.d), x.d, static_cast<float>(x.d)};
    case TT_STRING:
      if (x.buffer) {
        const double d = std::atof(x.buffer);
        return {std::atoi(x.buffer), _atoi64(x.buffer), d, static_cast<float>(d)};
      }
      return {0, 0, 0.0, 0.0f};
    default:  // empty, blob
      return {0, 0, 0.0, 0.0f};
  }
}

// The text of a numeric source in the platform runtime's printf form.
int FormatNumber(const CTagValue& v, char* out, size_t size) {
  const CTagValue::Value& x = v.m_value;
  switch (v.m_type) {
    case TT_DIGITAL:
    case TT_INT32: return qel::Format(out, size, "%d", x.i32);
    case TT_FLOAT: return qel::Format(out, size, "%G", static_cast<double>(x.f));
    case TT_INT64: return qel::Format(out, size, "%I64d", x.i64);
    case TT_DOUBLE: return qel::Format(out, size, "%G", x.d);
    default: out[0] = '\0'; return 0;
  }
}

}  // namespace

CTagValue::CTagValue() : CTagValue(TT_EMPTY) {}

CTagValue::CTagValue(int type)
    : m_type(static_cast<WORD>(type)), m_typeHigh(0), m_length(0), m_time(0), m_status1(0), m_status2(0) {
  m_value.i64 = 0;
}

CTagValue::CTagValue(const CTagValue& src) : CTagValue() { Copy(src); }

CTagValue::~CTagValue() {
  ReleaseBuffer();
  ZeroValue();
  m_status1 = m_status2 = 0;
}

bool CTagValue::HoldsBuffer() const { return IsTextType(TypeCode()) && m_value.buffer; }

void CTagValue::ReleaseBuffer() {
  if (HoldsBuffer()) std::free(m_value.buffer);
  m_value.buffer = nullptr;
}

void CTagValue::ZeroValue() {
  m_length = 0;
  m_value.i64 = 0;
}

void CTagValue::Clear() {
  ReleaseBuffer();
  ZeroValue();
  m_status1 = m_status2 = 0;
  m_type = TT_EMPTY;
  m_typeHigh = 0;
}

void CTagValue::SetType(int type) {
  Clear();
  m_type = static_cast<WORD>(type & 0xFFFF);
}

void CTagValue::FreePayload() {
  ReleaseBuffer();
  ZeroValue();
}

void CTagValue::Copy(const CTagValue& src) {
  if (&src == this) return;
  const WORD keptType = m_type;
  FreePayload();
  m_time = src.m_time;
  m_status1 = src.m_status1;
  m_status2 = src.m_status2;
  if (IsTextType(src.TypeCode())) {
    // Without a source buffer, or without memory, the old type stays, zeroed.
    char* buffer = src.m_value.buffer ? AllocBuffer(src.m_length) : nullptr;
    if (buffer) {
      std::memcpy(buffer, src.m_value.buffer, src.m_length);
      m_value.buffer = buffer;
      m_length = src.m_length;
      m_type = src.m_type;
      m_typeHigh = 0;
    }
  } else {
    m_value = src.m_value;
    m_type = src.m_type;
    m_typeHigh = src.m_typeHigh;
  }
  if (keptType != TT_EMPTY) ChangeType(keptType);
}

template <class T>
void CTagValue::SetNumber(int type, T Value::*field, T v) {
  CTagValue tmp(type);
  tmp.m_value.*field = v;
  CopyKeepingStamp(tmp);
}

void CTagValue::SetInt32(int32_t v) { SetNumber(TT_INT32, &Value::i32, v); }

void CTagValue::SetInt64(int64_t v) { SetNumber(TT_INT64, &Value::i64, v); }

void CTagValue::SetFloat(float v) { SetNumber(TT_FLOAT, &Value::f, v); }

void CTagValue::SetDouble(double v) { SetNumber(TT_DOUBLE, &Value::d, v); }

void CTagValue::SetString(const char* text) {
  if (!text || !*text) return;
  CTagValue tmp(TT_STRING);
  const size_t length = std::strlen(text);
  if (length > kMaxBufferData) return;
  tmp.m_value.buffer = AllocBuffer(static_cast<DWORD>(length));
  if (tmp.m_value.buffer) {
    std::memcpy(tmp.m_value.buffer, text, length);
    tmp.m_length = static_cast<DWORD>(length);
  }
  CopyKeepingStamp(tmp);
}

void CTagValue::CopyKeepingStamp(CTagValue& fresh) {
  fresh.m_time = m_time;
  fresh.m_status1 = m_status1;
  fresh.m_status2 = m_status2;
  Copy(fresh);
}

int CTagValue::SetStringData(const void* bytes, DWORD n) {
  if (TypeCode() != TT_STRING) return 0;
  FreePayload();
  if (!bytes || n == 0) return 1;
  char* buffer = AllocBuffer(n);
  if (buffer) {
    std::memcpy(buffer, bytes, n);
    m_value.buffer = buffer;
    m_length = n;
  }
  return 1;
}

int CTagValue::SetBlob(const void* bytes, DWORD n) {
  if (!bytes || n == 0) return 0;
  FreePayload();
  m_type = TT_BLOB;
  m_typeHigh = 0;
  char* buffer = AllocBuffer(n);
  if (!buffer) return 0;
  std::memcpy(buffer, bytes, n);
  m_value.buffer = buffer;
  m_length = n;
  return 1;
}

int CTagValue::ChangeType(int type) {
  if (TypeCode() == static_cast<DWORD>(type)) return 1;
  if (TypeCode() > kLastTagType) {
    // Damage: the value bytes may be anything, so nothing is freed.
    m_type = TT_EMPTY;
    m_typeHigh = 0;
    ZeroValue();
    return 0;
  }
  if (type < TT_DIGITAL || type > kLastTagType) return 1;
  const WORD target = static_cast<WORD>(type);
  if (IsTextType(target))
    ToText(target);
  else
    ToNumber(target);
  return 1;
}

void CTagValue::ToNumber(WORD target) {
  const NumberView n = ReadNumber(*this);
  FreePayload();
  switch (target) {
    case TT_DIGITAL:
    case TT_INT32: m_value.i32 = n.i32; break;
    case TT_FLOAT: m_value.f = n.f; break;
    case TT_INT64: m_value.i64 = n.i64; break;
    case TT_DOUBLE: m_value.d = n.d; break;
  }
  m_type = target;
}

void CTagValue::ToText(WORD target) {
  if (IsTextType(m_type)) {
    // String <-> blob keeps the bytes and the length. A blob's buffer always
    // has room after its data, so the text ends right after it.
    if (target == TT_STRING && m_value.buffer) m_value.buffer[m_length] = '\0';
    m_type = target;
    return;
  }
  char text[64];
  const int length = FormatNumber(*this, text, sizeof text);
  FreePayload();
  m_type = target;
  if (length == 0) return;  // an empty source gives the empty text, no buffer
  char* buffer = AllocBuffer(static_cast<DWORD>(length));
  if (!buffer) return;
  std::memcpy(buffer, text, static_cast<size_t>(length));
  m_value.buffer = buffer;
  m_length = static_cast<DWORD>(length);
}
