#include "qbsocket.h"

namespace {

timeval ToTimeval(int limitMs) {
  timeval tv;
  tv.tv_sec = limitMs / 1000;
  tv.tv_usec = (limitMs % 1000) * 1000;
  return tv;
}

int Wait(SOCKET s, int limitMs, bool forWrite) {
  fd_set set;
  FD_ZERO(&set);
  FD_SET(s, &set);
  timeval tv = ToTimeval(limitMs);
  const int r = select(0, forWrite ? nullptr : &set, forWrite ? &set : nullptr, nullptr, &tv);
  if (r == SOCKET_ERROR) return -1;
  return r > 0 ? 1 : 0;
}

}  // namespace

int QbWaitReadable(SOCKET s, int limitMs) { return Wait(s, limitMs, false); }
int QbWaitWritable(SOCKET s, int limitMs) { return Wait(s, limitMs, true); }
