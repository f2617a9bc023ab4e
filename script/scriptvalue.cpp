#include "scriptvalue.h"

#include <climits>
#include <cmath>

#include "crtformat.h"

int32_t TruncToInt32(double v) {
  // The range test is false for NaN as well.
  if (v > -2147483649.0 && v < 2147483648.0) return static_cast<int32_t>(v);
  return INT32_MIN;
}

int64_t TruncToInt64(double v) {
  if (v >= -9223372036854775808.0 && v < 9223372036854775808.0) return static_cast<int64_t>(v);
  return INT64_MIN;
}

void CScriptValue::SetInt(int32_t v, BYTE type) {
  m_type = (type == SV_DIGITAL) ? SV_DIGITAL : SV_INT32;
  m_value.i64 = 0;
  m_value.i32 = v;
}

void CScriptValue::SetInt64(int64_t v) {
  m_type = SV_INT64;
  m_value.i64 = v;
}

void CScriptValue::SetFloat(float v) {
  m_type = SV_FLOAT;
  m_value.i64 = 0;
  m_value.f = v;
}

void CScriptValue::SetDouble(double v) {
  m_type = SV_DOUBLE;
  m_value.d = v;
}

int32_t CScriptValue::GetInt() const {
  switch (m_type) {
    case SV_DIGITAL:
    case SV_INT32: return m_value.i32;
    case SV_FLOAT: return TruncToInt32(m_value.f);
    case SV_INT64: return static_cast<int32_t>(static_cast<uint32_t>(m_value.i64));
    case SV_DOUBLE: return TruncToInt32(m_value.d);
    default: return 0;
  }
}

int64_t CScriptValue::GetInt64() const {
  switch (m_type) {
    case SV_DIGITAL:
    case SV_INT32: return m_value.i32;
    case SV_FLOAT: return TruncToInt64(m_value.f);
    case SV_INT64: return m_value.i64;
    case SV_DOUBLE: return TruncToInt64(m_value.d);
    default: return 0;
  }
}

float CScriptValue::GetFloat() const {
  switch (m_type) {
    case SV_DIGITAL:
    case SV_INT32: return static_cast<float>(m_value.i32);
    case SV_FLOAT: return m_value.f;
    case SV_INT64: return static_cast<float>(m_value.i64);
    case SV_DOUBLE: return static_cast<float>(m_value.d);
    default: return 0.0f;
  }
}

double CScriptValue::GetDouble() const {
  switch (m_type) {
    case SV_DIGITAL:
    case SV_INT32: return m_value.i32;
    case SV_FLOAT: return m_value.f;
    case SV_INT64: return static_cast<double>(m_value.i64);
    case SV_DOUBLE: return m_value.d;
    default: return 0.0;
  }
}

int CScriptValue::ChangeType(int type) {
  if (m_type > SV_BLOB) {
    Clear();
    return 0;
  }
  switch (type) {
    case SV_DIGITAL:
    case SV_INT32: SetInt(GetInt(), static_cast<BYTE>(type)); break;
    case SV_FLOAT: SetFloat(GetFloat()); break;
    case SV_INT64: SetInt64(GetInt64()); break;
    case SV_DOUBLE: SetDouble(GetDouble()); break;
    default: break;  // no conversion to that type: the record stays
  }
  return 1;
}

CString CScriptValue::Format() const {
  switch (m_type) {
    case SV_DIGITAL:
    case SV_INT32: return CString(qel::FormatStr("%d", m_value.i32).c_str());
    case SV_INT64: return CString(qel::FormatStr("%I64d", m_value.i64).c_str());
    case SV_FLOAT: return CString(qel::FormatStr("%G", static_cast<double>(m_value.f)).c_str());
    case SV_DOUBLE: return CString(qel::FormatStr("%G", m_value.d).c_str());
    default: return CString();
  }
}
