// The compiler's messages as the script dialog shows them.
#include "scriptmessages.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(ScriptMessages, FirstLineNamedByAMessage) {
  struct Case {
    const char* messages;
    int line;
  } cases[] = {
      {"错误 C2018 (12): “k”是一个未定义的标识符\r\n", 12},
      {"错误 C1007: 打开脚本源文件失败：x\r\n错误 C2004 (3): 丢失一个符号 ';'\r\n", 3},
      {"Warning C3001 (7): x\r\nError C2018 (2): y\r\n", 7},
      {"错误 C1007: 打开脚本源文件失败：x\r\n", 0},
      {"(5) no code before it", 0},
      {"错误 C2018 (99999999999): x", 0},  // no such line
      {"", 0},
  };
  for (const Case& c : cases) EXPECT_EQ(FirstMessageLine(c.messages), c.line) << c.messages;
  EXPECT_EQ(FirstMessageLine(nullptr), 0);
}

TEST(ScriptMessages, LongMessagesAreCutAtALineEnd) {
  std::string messages;
  while (messages.size() < 10000) messages += "错误 C2018 (1): “变量”是一个未定义的标识符\r\n";
  const CString shown = CompilerMessagesToShow(messages.c_str());
  ASSERT_LE(shown.GetLength(), kMaxShownMessageBytes + 3);
  EXPECT_EQ(std::string(shown.GetString() + shown.GetLength() - 5), "\r\n...");
  EXPECT_EQ(std::string(shown.GetString(), 20), messages.substr(0, 20));
}

TEST(ScriptMessages, NoMessagesGiveTheDialogsOwnText) {
  EXPECT_EQ(CompilerMessagesToShow(CString()), "脚本编译失败,编译器没有给出信息!");
  EXPECT_EQ(CompilerMessagesToShow("Error C2004 (1): x"), "Error C2004 (1): x");
}

}  // namespace
