#include "dialogs/ddvmessages.h"

#include <string>

#include "msgbox.h"

namespace {

const char kDdvTitle[] = "提示";

struct DdvText {
  QelDdvMessage message;
  const char* text;  // %1 and %2 stand for the limits
};

const DdvText kDdvTexts[] = {
    {QelDdvMessage::kNotInteger, "请输入一个整数。"},
    {QelDdvMessage::kNotUnsigned, "请输入一个不小于 0 的整数。"},
    {QelDdvMessage::kNotNumber, "请输入一个数。"},
    {QelDdvMessage::kIntegerOutOfRange, "请输入一个 %1 到 %2 之间的整数。"},
    {QelDdvMessage::kNumberOutOfRange, "请输入一个 %1 到 %2 之间的数。"},
    {QelDdvMessage::kTooLong, "输入的内容不能超过 %1 个字符(一个汉字占两个字符)。"},
};

void PutIn(std::string& text, const char* mark, const char* value) {
  size_t at = text.find(mark);
  if (at != std::string::npos) text.replace(at, 2, value ? value : "");
}

}  // namespace

const char* QelDdvMessageText(QelDdvMessage message) {
  for (const DdvText& entry : kDdvTexts)
    if (entry.message == message) return entry.text;
  return "";
}

void QelShowDdvMessage(HWND dialog, QelDdvMessage message, const char* first, const char* second) {
  std::string text = QelDdvMessageText(message);
  PutIn(text, "%1", first);
  PutIn(text, "%2", second);
  QelMessageBox(dialog, text.c_str(), kDdvTitle, MB_OK | MB_ICONEXCLAMATION);
}
