#include "checkword.h"

namespace {

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

const Crc16Table& Table() {
  static const Crc16Table table;
  return table;
}

}  // namespace

WORD Crc16(const void* bytes, int count) {
  if (!bytes || count < 1) return 0;
  const BYTE* p = static_cast<const BYTE*>(bytes);
  const WORD* entry = Table().entry;
  WORD crc = 0;
  for (int i = 0; i < count; ++i)
    crc = static_cast<WORD>((crc << 8) ^ entry[((crc >> 8) ^ p[i]) & 0xFF]);
  return crc;
}

DWORD MakeHostParam(DWORD value) {
  const WORD low = static_cast<WORD>(value & 0xFFFF);
  const BYTE pair[2] = {static_cast<BYTE>(low & 0xFF), static_cast<BYTE>(low >> 8)};
  return (static_cast<DWORD>(Crc16(pair, 2)) << 16) | low;
}

bool IsHostParamValid(DWORD param) { return MakeHostParam(param & 0xFFFF) == param; }
