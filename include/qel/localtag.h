// The local tag record: one tag that the engineer defines in the project,
// living in the project rather than in the real-time database. The same 256
// bytes are held in memory, stored in the project file and handed to picture
// windows through the local-tag callbacks.
#pragma once
#include <windows.h>

#include <cstddef>

struct LocalTagRecord {
  char name[32];          // zero-terminated, at most 31 characters
  char description[80];   // at most 79 characters
  char unit[16];          // at most 15 characters
  char initialValue[80];  // initial value as text, at most 79 characters
  BYTE type;              // tag value type code, 1 to 7
  BYTE system;            // 1: a system tag, shown but never changed or deleted
  BYTE rowMark;           // set while the local-tag table has the row selected
  BYTE reserved[45];      // zero
};
static_assert(sizeof(LocalTagRecord) == 256, "local tag record is 256 bytes");
static_assert(offsetof(LocalTagRecord, description) == 32 && offsetof(LocalTagRecord, unit) == 112 &&
                  offsetof(LocalTagRecord, initialValue) == 128 && offsetof(LocalTagRecord, type) == 208 &&
                  offsetof(LocalTagRecord, system) == 209 && offsetof(LocalTagRecord, rowMark) == 210 &&
                  offsetof(LocalTagRecord, reserved) == 211,
              "LocalTagRecord layout");
