// The rows of the per-language message tables.
#pragma once
#include <cstddef>
#include <iterator>

#include "messages.h"

namespace tarnic {

struct MessageRow {
  int code;
  const char* text;
};

extern const MessageRow CompilerErrorTableEnglish[];
extern const size_t CompilerErrorTableEnglishSize;
extern const MessageRow CompilerErrorTableChinese[];
extern const size_t CompilerErrorTableChineseSize;
extern const MessageRow DriverMessageTableEnglish[];
extern const size_t DriverMessageTableEnglishSize;
extern const MessageRow DriverMessageTableChinese[];
extern const size_t DriverMessageTableChineseSize;

}  // namespace tarnic
