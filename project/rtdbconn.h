// Server connection entries of a project. Only the first entry is used to
// connect; all eight are stored in the project file and edited through the
// connection settings library, which exchanges the 64-byte entries whole.
#pragma once
#include <windows.h>

#include <cstddef>

struct RtdbConnEntry {
  char host[16];      // dotted IPv4 address, zero-terminated
  char account[16];   // at most 15 characters
  char password[16];  // at most 15 characters, clear text
  DWORD port;
  BYTE reserved[12];  // zero
};
static_assert(sizeof(RtdbConnEntry) == 64, "connection entry is 64 bytes");
static_assert(offsetof(RtdbConnEntry, account) == 16 && offsetof(RtdbConnEntry, password) == 32 &&
                  offsetof(RtdbConnEntry, port) == 48 && offsetof(RtdbConnEntry, reserved) == 52,
              "RtdbConnEntry layout");

enum : int { kMaxConnEntries = 8 };

struct CRtdbConnBlock {
  RtdbConnEntry entries[kMaxConnEntries];
  LONG count;      // 0 to 8
  DWORD reserved;  // 0

  // Every slot zero, no entries.
  void Clear();
  // The entry count within 0 to 8 (a damaged count is never trusted).
  int ValidCount() const;
};
static_assert(sizeof(CRtdbConnBlock) == 8 * 64 + 8, "connection block layout");

// A cleared entry with the texts cut to their fields (always terminated).
RtdbConnEntry MakeConnEntry(const char* host, DWORD port, const char* account, const char* password);

// Forces the last byte of every text field to zero.
void TerminateConnEntry(RtdbConnEntry& entry);
