#include "expvalue.h"

#include <cstdlib>
#include <cstring>
#include <new>

#include "crtformat.h"
#include "gbkcut.h"
#include "scriptvalue.h"

namespace {

char* CopyText(const char* text, size_t available, DWORD* length) {
  const size_t n = GbkFitLength(text, available, kExpStringMax);
  char* copy = new char[n + 1];
  if (n) memcpy(copy, text, n);
  copy[n] = 0;
  *length = static_cast<DWORD>(n);
  return copy;
}

}  // namespace

CExpValue::CExpValue(const CExpValue& src) : CExpValue() { *this = src; }

CExpValue::CExpValue(CExpValue&& src) noexcept : CExpValue() { *this = static_cast<CExpValue&&>(src); }

CExpValue& CExpValue::operator=(const CExpValue& src) {
  if (this == &src) return *this;
  if (src.m_type == EV_STRING) {
    SetString(src.m_value.s);
  } else {
    Clear();
    m_type = src.m_type;
    m_length = src.m_length;
    m_value = src.m_value;
  }
  return *this;
}

CExpValue& CExpValue::operator=(CExpValue&& src) noexcept {
  if (this == &src) return *this;
  Clear();
  m_length = src.m_length;
  m_type = src.m_type;
  m_value = src.m_value;
  src.m_type = EV_INT;  // the string now belongs here
  src.m_length = 0;
  src.m_value.d = 0.0;
  src.m_value.i = 0;
  return *this;
}

void CExpValue::Clear() {
  if (m_type == EV_STRING) delete[] m_value.s;
  m_type = EV_INT;
  m_length = 0;
  m_value.d = 0.0;
  m_value.i = 0;
}

void CExpValue::SetInt(int32_t v) {
  Clear();
  m_value.i = v;
}

void CExpValue::SetDouble(double v) {
  Clear();
  m_type = EV_DOUBLE;
  m_value.d = v;
}

void CExpValue::SetString(const char* text, int length) {
  const size_t available = length < 0 ? static_cast<size_t>(-1) : static_cast<size_t>(length);
  DWORD kept = 0;
  char* copy = CopyText(text, available, &kept);  // before Clear: text may be our own
  Clear();
  m_type = EV_STRING;
  m_length = kept;
  m_value.s = copy;
}

const char* CExpValue::GetString() const {
  if (m_type != EV_STRING) return nullptr;
  return m_value.s ? m_value.s : "";
}

int32_t CExpValue::AsInt() const {
  switch (m_type) {
    case EV_INT: return m_value.i;
    case EV_DOUBLE: return TruncToInt32(m_value.d);
    case EV_STRING: return m_value.s ? atoi(m_value.s) : 0;
    default: return 0;
  }
}

double CExpValue::AsDouble() const {
  switch (m_type) {
    case EV_INT: return m_value.i;
    case EV_DOUBLE: return m_value.d;
    case EV_STRING: return m_value.s ? atof(m_value.s) : 0.0;
    default: return 0.0;
  }
}

bool CExpValue::IsTrue() const {
  switch (m_type) {
    case EV_INT: return m_value.i != 0;
    case EV_DOUBLE: return m_value.d != 0.0;
    case EV_STRING: return m_value.s != nullptr;
    default: return false;
  }
}

void CExpValue::ChangeType(int type) {
  if (type == m_type) return;
  switch (type) {
    case EV_INT: SetInt(AsInt()); break;
    case EV_DOUBLE: SetDouble(AsDouble()); break;
    case EV_STRING: {
      char text[64];
      if (m_type == EV_DOUBLE)
        qel::Format(text, sizeof text, "%G", m_value.d);
      else
        qel::Format(text, sizeof text, "%d", m_value.i);
      SetString(text);
      break;
    }
    default: break;
  }
}
