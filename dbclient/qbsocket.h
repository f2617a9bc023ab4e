// Small helpers over Windows Sockets 1.1 for the client (internal).
#pragma once
#include <winsock.h>

#include <cstdint>

// Waits for the socket to become readable (or writable): 1 ready, 0 time-out,
// -1 error.
int QbWaitReadable(SOCKET s, int limitMs);
int QbWaitWritable(SOCKET s, int limitMs);

inline SOCKET QbSocketOf(uintptr_t s) { return static_cast<SOCKET>(s); }
