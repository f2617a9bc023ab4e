#include "qbstartup.h"

#include <winsock.h>

const char kQbSocketInitFailedText[] = "Windows 通信端口初始化失败。";

bool QbStartSockets(int (*startup)(), void (*notify)(const char* text)) {
  if (startup() == 0) return true;
  notify(kQbSocketInitFailedText);
  return false;
}

int QbWinsockStartup() {
  WSADATA data;
  if (WSAStartup(MAKEWORD(1, 1), &data) != 0) return -1;
  if (LOBYTE(data.wVersion) != 1 || HIBYTE(data.wVersion) != 1) {
    WSACleanup();
    return -1;
  }
  return 0;
}

void QbShowStartupFailure(const char* text) {
  MessageBoxA(nullptr, text, "qel3api", MB_OK | MB_ICONEXCLAMATION);
}

void QbWinsockCleanup() { WSACleanup(); }
