// One row of the connection list: the four texts the user sees, and the
// entry they stand for.
#pragma once
#include "qstring.h"
#include "rtdbconn.h"

struct ConnRowTexts {
  CString host, port, account, password;
};

// The row of an entry: its texts as stored (cut at their field, terminated or
// not) and the port with "%d".
ConnRowTexts RowTextsOf(const RtdbConnEntry& entry);
// The entry of a row: cleared, each text at most 15 bytes (never half a GBK
// character), the port the decimal value of its text.
RtdbConnEntry EntryOf(const ConnRowTexts& row);
// The port as the edit dialog takes it from a row: the decimal value, cut to 16 bits.
UINT EditPortOf(const CString& portText);
// The text of a port in a row.
CString PortText(UINT port);
