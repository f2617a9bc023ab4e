// The reporter: texts in both languages, argument order, line forms and counts.
#include <gtest/gtest.h>

#include "messages.h"
#include "reporter.h"

namespace tarnic {
namespace {

TEST(Messages, TableHasBothLanguagesForEveryCode) {
  const int codes[] = {1000, 1001, 1002, 1003, 1004, 1005, 1006, 1007, 1008, 1009, 2000, 2001,
                       2002, 2003, 2004, 2005, 2006, 2007, 2008, 2009, 2010, 2011, 2012, 2013,
                       2014, 2015, 2016, 2017, 2018, 2019, 2020, 2021, 2022, 2023, 2024, 2025,
                       2026, 2027, 2028, 2029, 2030, 2031, 2032, 3000, 3001, 3002};
  for (int code : codes) {
    EXPECT_NE(MessageText(code, false), nullptr) << code;
    EXPECT_NE(MessageText(code, true), nullptr) << code;
  }
  EXPECT_EQ(MessageText(2033, false), nullptr);
  EXPECT_EQ(MessageText(999, true), nullptr);
}

TEST(Messages, LineForms) {
  Reporter en;
  en.set_line(7);
  en.Report(MSG_OUT_OF_MEMORY);
  en.Report(MSG_UNDECLARED, "k");
  en.Report(MSG_EXTRA_INITIALIZERS);
  EXPECT_EQ(en.error_text(),
            "Error C1001: Out of memory\r\n"
            "Error C2018 (7): \"k\" is a undeclared identifier\r\n"
            "Warning C3002 (7): too many initializers\r\n");
  EXPECT_EQ(en.errors(), 2);
  EXPECT_EQ(en.warnings(), 1);

  Reporter ch(true);
  ch.set_line(12);
  ch.Report(MSG_CREATE_CODE_FILE, "a.so");
  ch.Report(MSG_UNDECLARED, "k");
  ch.Report(MSG_MAIN_DEFAULT_RETURN);
  EXPECT_EQ(ch.error_text(),
            "错误 C1005: 创建字节码文件失败：a.so\r\n"
            "错误 C2018 (12): “k”是一个未定义的标识符\r\n"
            "警告 C3001 (12): “main” : 函数将返回一个值，默认返回零\r\n");
}

TEST(Messages, ChineseSwapsTwoArgumentsUnlessKeptInOrder) {
  Reporter ch(true);
  ch.Report(MSG_MISSING_IN_STATEMENT, ";", "continue");
  ch.Report(MSG_CANNOT_CONVERT, "double", "long", true);
  ch.ReportNumber(MSG_WRONG_ARG_COUNT, "f", 2, true);
  EXPECT_EQ(ch.error_text(),
            "错误 C2005 (1): 在 \"continue\" 语句中丢失一个符号 ';'\r\n"
            "错误 C2022 (1): 不能将数据类型“double”转换成“long”\r\n"
            "错误 C2024 (1): “f”：函数不接受 2 个参数\r\n");
  Reporter en;
  en.Report(MSG_MISSING_IN_STATEMENT, ";", "continue");
  en.ReportNumber(MSG_WRONG_ARG_COUNT, "f", 2, true);
  EXPECT_EQ(en.error_text(),
            "Error C2005 (1): Missing a ';' in \"continue\" statement\r\n"
            "Error C2024 (1): \"f\" : function does not take 2 parameters\r\n");
}

TEST(Messages, CodeWithoutTextGivesAnEmptyText) {
  Reporter en;
  en.Report(2999);
  EXPECT_EQ(en.error_text(), "Error C2999 (1): \r\n");
}

TEST(Messages, ArgumentsOfAnyLengthAreKeptWhole) {
  std::string huge(5000, 'n');
  Reporter en;
  en.Report(MSG_REDEFINITION, huge);
  EXPECT_EQ(en.error_text(), "Error C2016 (1): \"" + huge + "\" redefinition\r\n");
}

TEST(Messages, DriverRows) {
  EXPECT_STREQ(DriverText(DRV_BAD_COMMAND_LINE, false), "Invalid command line format - \"%s\"\r\n\r\n");
  EXPECT_STREQ(DriverText(DRV_CODE_FILE_INFO, true), ">> 字节码文件信息：指令(%d)，文件大小(%d)\r\n");
  EXPECT_STREQ(DriverText(DRV_SOURCE_NOT_FOUND, false), "Source file not found: %s");
  EXPECT_EQ(DriverText(0, false), nullptr);
}

}  // namespace
}  // namespace tarnic
