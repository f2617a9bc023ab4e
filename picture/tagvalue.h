// The typed value in which a tag's current value is held: local tags of the
// project, the runtime window's tag cache, and the values scripts read and
// write.
//
// A value keeps its type: once it has one, every assignment converts the
// incoming value to it. An empty value (type 0) takes the type of what is
// assigned. Strings and blobs live in an owned heap buffer; the record itself
// is 24 bytes and its users also copy it as raw bytes.
#pragma once
#include <windows.h>

#include <cstddef>
#include <cstdint>

enum TagType : WORD {
  TT_EMPTY = 0,
  TT_DIGITAL = 1,  // a 32-bit integer like TT_INT32; never reduced to 0 or 1
  TT_INT32 = 2,
  TT_FLOAT = 3,
  TT_INT64 = 4,
  TT_DOUBLE = 5,
  TT_STRING = 6,
  TT_BLOB = 7,
};
constexpr int kLastTagType = TT_BLOB;

// Size of the buffer that holds n bytes: a multiple of 8 with room for at
// least one zero after the data.
constexpr DWORD TagBufferSize(DWORD n) { return (n / 8) * 8 + 8; }

class CTagValue {
 public:
  CTagValue();
  explicit CTagValue(int type);
  CTagValue(const CTagValue& src);
  CTagValue& operator=(const CTagValue& src) {
    Copy(src);
    return *this;
  }
  ~CTagValue();

  // Frees the payload, zeroes value and status words, type 0; time stays.
  void Clear();
  // Clear, then the type (low 16 bits).
  void SetType(int type);
  // Frees the payload and zeroes length and value; type, time and status stay.
  void FreePayload();
  // Takes the source's value, time and status words; a typed destination
  // converts the value to its own type.
  void Copy(const CTagValue& src);

  void SetInt32(int32_t v);
  void SetInt64(int64_t v);
  void SetFloat(float v);
  void SetDouble(double v);
  // A null or empty text changes nothing.
  void SetString(const char* text);
  // For a string value only (else 0): n raw bytes as the string; returns 1.
  int SetStringData(const void* bytes, DWORD n);
  // Makes the value a blob of n bytes; 0 for no bytes or a failed allocation.
  int SetBlob(const void* bytes, DWORD n);

  // Converts to type (1 to 7); 1 also when there is nothing to do, 0 when
  // the value held a damaged type code (it is then cleared).
  int ChangeType(int type);

  // Raw reads of the stored fields, without conversion.
  int GetType() const { return m_type; }
  DWORD GetLength() const { return m_length; }
  int32_t GetInt32() const { return m_value.i32; }
  int64_t GetInt64() const { return m_value.i64; }
  float GetFloat() const { return m_value.f; }
  double GetDouble() const { return m_value.d; }
  const char* GetData() const { return m_value.buffer; }

  union Value {
    int32_t i32;   // types 1 and 2
    float f;       // type 3
    int64_t i64;   // type 4
    double d;      // type 5
    char* buffer;  // types 6 and 7: the owned buffer or null
  };

  WORD m_type;
  WORD m_typeHigh;  // always 0: the type is compared as a 32-bit value
  DWORD m_length;   // string length without its zero, or blob byte count
  Value m_value;
  DWORD m_time;
  WORD m_status1;
  WORD m_status2;

 private:
  DWORD TypeCode() const { return m_type | (static_cast<DWORD>(m_typeHigh) << 16); }
  bool HoldsBuffer() const;
  void ReleaseBuffer();
  void ZeroValue();
  void ToText(WORD target);
  void ToNumber(WORD target);
  // The setters' last step: the fresh value takes this value's time and status
  // words and is copied in, so that a typed value converts it to its own type.
  void CopyKeepingStamp(CTagValue& fresh);
  // The number setters: a fresh value of the type with v in its field.
  template <class T>
  void SetNumber(int type, T Value::*field, T v);
};

static_assert(sizeof(CTagValue) == 24, "CTagValue is copied as raw bytes");
static_assert(offsetof(CTagValue, m_type) == 0, "CTagValue layout");
static_assert(offsetof(CTagValue, m_typeHigh) == 2, "CTagValue layout");
static_assert(offsetof(CTagValue, m_length) == 4, "CTagValue layout");
static_assert(offsetof(CTagValue, m_value) == 8, "CTagValue layout");
static_assert(offsetof(CTagValue, m_time) == 16, "CTagValue layout");
static_assert(offsetof(CTagValue, m_status1) == 20, "CTagValue layout");
static_assert(offsetof(CTagValue, m_status2) == 22, "CTagValue layout");
