// The value an ActiveX control returned to a script call (ocx_GetVal,
// ocx_SetVal, ocx_Invoke), written into the script's destination by the
// destination's base type.
#pragma once
#include <windows.h>
#include <oaidl.h>

#include <cstddef>
#include <cstdint>
#include <vector>

// The bytes that go into a script destination of base type base (the
// machine's numbering: 0 signed 8-bit ... 8 double) with room bytes:
// - a text destination (a character pointer or array) takes a text result as
//   its text, cut to the room (a character is never split) and ended with a
//   zero; 8-bit destinations take any other result as a signed or unsigned
//   one-byte integer;
// - 16- and 32-bit destinations take two- and four-byte integers, a single
//   float a four-byte float, a double an eight-byte float, a 64-bit
//   destination a four-byte integer sign-extended.
// 0 with the bytes; kSysOcxBadResult for another base type or a value that
// does not convert. A text with no room gives no bytes.
int OcxResultBytes(const VARIANT& result, uint8_t base, bool textDestination, size_t room,
                   std::vector<BYTE>* bytes);
