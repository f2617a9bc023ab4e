// Starting Windows Sockets 1.1 when the library loads.
#pragma once

extern const char kQbSocketInitFailedText[];

// Starts the sockets through `startup` (0 on success, as WSAStartup); on
// failure shows the message through `notify` and answers false, so that the
// library refuses to load.
bool QbStartSockets(int (*startup)(), void (*notify)(const char* text));

// The real start and message box.
int QbWinsockStartup();
void QbShowStartupFailure(const char* text);
void QbWinsockCleanup();
