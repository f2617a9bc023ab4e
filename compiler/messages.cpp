#include "messages.h"

#include "message_table.h"

namespace tarnic {
namespace {

const char* Find(const MessageRow* rows, size_t count, int code) {
  for (size_t i = 0; i < count; ++i)
    if (rows[i].code == code) return rows[i].text;
  return nullptr;
}

}  // namespace

const char* MessageText(int code, bool chinese) {
  return chinese ? Find(CompilerErrorTableChinese, CompilerErrorTableChineseSize, code)
                 : Find(CompilerErrorTableEnglish, CompilerErrorTableEnglishSize, code);
}

const char* DriverText(int row, bool chinese) {
  return chinese ? Find(DriverMessageTableChinese, DriverMessageTableChineseSize, row)
                 : Find(DriverMessageTableEnglish, DriverMessageTableEnglishSize, row);
}

const char* FatalLineFormat(bool chinese) { return chinese ? "错误 C%d: %s\r\n" : "Error C%d: %s\r\n"; }
const char* ErrorLineFormat(bool chinese) {
  return chinese ? "错误 C%d (%d): %s\r\n" : "Error C%d (%d): %s\r\n";
}
const char* WarningLineFormat(bool chinese) {
  return chinese ? "警告 C%d (%d): %s\r\n" : "Warning C%d (%d): %s\r\n";
}

}  // namespace tarnic
