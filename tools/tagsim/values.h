// Conversions of 16-byte values between the numeric type codes.
#pragma once
#include "tagsim.h"

namespace tagsim {

inline bool IsNumericType(uint8_t type) { return type >= kTypeDigital && type <= kTypeFloat64; }
inline bool IsVarType(uint8_t type) { return type == kTypeString || type == kTypeBlob; }
inline bool IsKnownType(uint8_t type) { return IsNumericType(type) || IsVarType(type); }

// The value converted to a numeric type (time, quality and status kept).
Value16 ConvertValue(const Value16& v, uint8_t type);

// The type code of a type name as the tag lists show it ("digital", "int32",
// ... "blob": GetTagTypeName of the client's types); false for any other.
bool TypeFromName(const std::string& name, uint8_t* type);

}  // namespace tagsim
