#include "scriptmessages.h"

#include <cstring>

#include "gbkcut.h"

namespace {
constexpr int kMaxLine = 100000000;  // no script has this many lines
}  // namespace

CString CompilerMessagesToShow(const CString& messages) {
  if (messages.IsEmpty()) return CString("脚本编译失败,编译器没有给出信息!");
  if (messages.GetLength() <= kMaxShownMessageBytes) return messages;
  size_t fit =
      GbkFitLength(messages.GetString(), static_cast<size_t>(messages.GetLength()), kMaxShownMessageBytes);
  // Whole lines where there is one.
  for (size_t end = fit; end > 0; --end)
    if (messages[static_cast<int>(end - 1)] == '\n') {
      fit = end;
      break;
    }
  return CString(messages.GetString(), static_cast<int>(fit)) + "...";
}

int FirstMessageLine(const char* messages) {
  // Each message is "<word> C<code> (<line>): <text>"; messages without a
  // line go "<word> C<code>: <text>".
  for (const char* line = messages; line && *line;) {
    const char* end = std::strchr(line, '\n');
    const char* code = std::strstr(line, " C");
    if (code && (!end || code < end)) {
      const char* after = code + 2;
      while (*after >= '0' && *after <= '9') ++after;
      if (after > code + 2 && after[0] == ' ' && after[1] == '(') {
        int number = 0;
        for (const char* digit = after + 2; *digit >= '0' && *digit <= '9' && number < kMaxLine; ++digit)
          number = number * 10 + (*digit - '0');
        if (number > 0 && number < kMaxLine) return number;
      }
    }
    line = end ? end + 1 : nullptr;
  }
  return 0;
}
