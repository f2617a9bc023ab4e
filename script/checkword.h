// The message check word of the 0xB00 messages (service requests to a picture
// window, plug-in messages): the first parameter carries a 16-bit code in its
// low word and the CRC-16 of that word's two bytes in its high word, so that a
// receiver can tell a genuine request from a stray message with the same
// number. Senders and receivers of every deliverable share this code.
#pragma once
#include <windows.h>

// CRC-16 with polynomial 0x1021, initial value 0, most significant bit first,
// no reflection and no final exclusive-or; a count below 1 gives 0.
WORD Crc16(const void* bytes, int count);

// The first parameter for the code value: value modulo 0x10000 as the low
// word, Crc16 of the low word's two bytes (low byte first) as the high word.
DWORD MakeHostParam(DWORD value);

// True when the high word is the CRC of the low word; which code the low
// word holds is not tested.
bool IsHostParamValid(DWORD param);
