#include "reporter.h"

#include "crtformat.h"
#include "messages.h"

namespace tarnic {

std::string Reporter::MessageWith(int code, const char* first, const char* second, bool keepOrder) const {
  const char* text = MessageText(code, chinese_);
  if (!text) return std::string();
  if (!first) return text;
  if (!second) return qel::FormatStr(text, first);
  if (chinese_ && !keepOrder) std::swap(first, second);
  return qel::FormatStr(text, first, second);
}

void Reporter::WriteLine(int code, int line, const std::string& text) {
  if (code < 2000)
    error_text_ += qel::FormatStr(FatalLineFormat(chinese_), code, text.c_str());
  else if (code < 3000)
    error_text_ += qel::FormatStr(ErrorLineFormat(chinese_), code, line, text.c_str());
  else
    error_text_ += qel::FormatStr(WarningLineFormat(chinese_), code, line, text.c_str());
}

void Reporter::Report(int code, const char* first, const char* second, bool keepOrder) {
  std::string text = MessageWith(code, first, second, keepOrder);
  if (code < 3000)
    ++errors_;
  else
    ++warnings_;
  WriteLine(code, line_, text);
}

void Reporter::ReportNumber(int code, const char* first, int number, bool keepOrder) {
  std::string n = qel::FormatStr("%d", number);
  Report(code, first, n.c_str(), keepOrder);
}

void Reporter::ReportUncounted(int code, int line, const char* arg) {
  error_text_ += qel::FormatStr(ErrorLineFormat(chinese_), code, line, MessageWith(code, arg).c_str());
}

}  // namespace tarnic
