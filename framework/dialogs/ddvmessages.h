// The texts that the data exchange shows when it refuses a value: one table,
// one box. They are GBK and use the system's titles ("提示" for everything the
// user corrects himself).
#pragma once
#include <windows.h>

enum class QelDdvMessage {
  kNotInteger,         // no integer
  kNotUnsigned,        // no integer of 0 or more
  kNotNumber,          // no number
  kIntegerOutOfRange,  // %1 and %2 are the limits
  kNumberOutOfRange,
  kTooLong,  // %1 is the most bytes allowed
};

// The message's text with its limits put in (limits may be nullptr where the
// text has none).
const char* QelDdvMessageText(QelDdvMessage message);

// Shows the message, owned by the dialog's top-level window.
void QelShowDdvMessage(HWND dialog, QelDdvMessage message, const char* first = nullptr,
                       const char* second = nullptr);
