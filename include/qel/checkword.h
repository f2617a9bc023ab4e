// The message check word of the 0xB00 messages (service requests to a picture
// window, plug-in messages): the first parameter carries a 16-bit code in its
// low word and the CRC-16 of that word's two bytes in its high word, so that a
// receiver can tell a genuine request from a stray message with the same
// number. Senders and receivers of every deliverable share this code; it is
// defined here in full, so that a plug-in needs nothing but this folder.
#pragma once
#include <windows.h>

// CRC-16 with polynomial 0x1021, initial value 0, most significant bit first,
// no reflection and no final exclusive-or; a count below 1 gives 0.
inline WORD Crc16(const void* bytes, int count) {
  struct Crc16Table {
    WORD entry[256];
    Crc16Table() {
      for (int i = 0; i < 256; ++i) {
        WORD crc = static_cast<WORD>(i << 8);
        for (int bit = 0; bit < 8; ++bit)
          crc = static_cast<WORD>((crc & 0x8000) ? (crc << 1) ^ 0x1021 : crc << 1);
        entry[i] = crc;
      }
    }
  };
  static const Crc16Table table;
  if (!bytes || count < 1) return 0;
  const BYTE* p = static_cast<const BYTE*>(bytes);
  WORD crc = 0;
  for (int i = 0; i < count; ++i)
    crc = static_cast<WORD>((crc << 8) ^ table.entry[((crc >> 8) ^ p[i]) & 0xFF]);
  return crc;
}

// The first parameter for the code value: value modulo 0x10000 as the low
// word, Crc16 of the low word's two bytes (low byte first) as the high word.
inline DWORD MakeHostParam(DWORD value) {
  const WORD low = static_cast<WORD>(value & 0xFFFF);
  const BYTE pair[2] = {static_cast<BYTE>(low & 0xFF), static_cast<BYTE>(low >> 8)};
  return (static_cast<DWORD>(Crc16(pair, 2)) << 16) | low;
}

// True when the high word is the CRC of the low word; which code the low
// word holds is not tested.
inline bool IsHostParamValid(DWORD param) { return MakeHostParam(param & 0xFFFF) == param; }
