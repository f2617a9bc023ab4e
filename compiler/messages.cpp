#include "messages.h"

#include <iterator>

namespace tarnic {
namespace {

struct MessageRow {
  int code;
  const char* english;
  const char* chinese;
};

const MessageRow kErrorTable[] = {
    {MSG_UNKNOWN_ERROR, "Unknown error", "未知错误"},
    {MSG_OUT_OF_MEMORY, "Out of memory", "内存溢出"},
    {MSG_LOAD_SYSTEM_FUNCTION, "Load system function \"%s\" fail", "加载系统函数“%s”失败"},
    {MSG_OUT_OF_STACK, "Out of stack", "堆栈溢出"},
    {MSG_OUT_OF_REGISTER, "out of register", "寄存器溢出"},
    {MSG_CREATE_CODE_FILE, "Create code byte file fail: %s", "创建字节码文件失败：%s"},
    {MSG_WRITE_CODE_FILE, "Write code byte file fail: %s", "写字节码文件失败：%s"},
    {MSG_OPEN_SOURCE, "Open source file fail: %s", "打开脚本源文件失败：%s"},
    {MSG_EMPTY_SOURCE, "Open a null source file: %s", "打开一个空的源文件：%s"},
    {MSG_DEFINE_SYNTAX, "#define syntax", "#define 语法错误"},
    {MSG_EMPTY_SOURCE_FILE, "C Script forbids an empty source file", "C 脚本源文件不允许为空"},
    {MSG_NEED_MAIN, "C Script need a main function", "C 脚本需要一个main函数"},
    {MSG_MAIN_PARAMETER, "(%s) : not matching %s parameter in main function",
     "(%s) : main函数第 %s 个参数类型不匹配"},
    {MSG_EXPECT_DECLARATION, "Expecting a declaration", "脚本期待一个声明，但未找到"},
    {MSG_MISSING_TOKEN, "Missing a '%s'", "丢失一个符号 '%s'"},
    {MSG_MISSING_IN_STATEMENT, "Missing a '%s' in \"%s\" statement",
     "在 \"%s\" 语句中丢失一个符号 '%s'"},
    {MSG_EXPECT_TOKEN, "Expecting a '%s'", "脚本期待一个符号 '%s'，但未找到"},
    {MSG_INVALID_TYPE, "Invalid type definition", "无效的类型定义"},
    {MSG_TOO_MANY_POINTERS, "Too many pointer definition", "太多的指针定义，脚本仅支持一维指针"},
    {MSG_DIVIDE_BY_ZERO, "divide or mod by zero", "发生除零错误"},
    {MSG_EXPECT_FUNCTION_CALL, "Expecting a function called", "脚本期待一个函数调用，但未找到函数名"},
    {MSG_EXPECT_EXPRESSION, "\"%s\" is expecting an <expr>", "\"%s\" 期待一个表达式，但未找到"},
    {MSG_NOT_MATCHING, "not matching '%s'", "符号 '%s' 不匹配"},
    {MSG_UNRECOGNIZED_CHAR, "Unrecognized character %s", "未被承认的字符 %s"},
    {MSG_BAD_CHAR_CONSTANT, "Invalid inverted comma declaration: %s", "无效的单引号定义：%s"},
    {MSG_ELLIPSIS_NOT_LAST, "\"...\" definition must in last", "“...” 声明必须是最后一个参数"},
    {MSG_REDEFINITION, "\"%s\" redefinition", "“%s”重复定义"},
    {MSG_DEFINES_SYSTEM_FUNCTION, "\"%s\" is a system function", "“%s”是一个系统函数"},
    {MSG_UNDECLARED, "\"%s\" is a undeclared identifier", "“%s”是一个未定义的标识符"},
    {MSG_NAMES_SYSTEM_FUNCTION, "\"%s\" is a system function", "“%s”是一个系统函数"},
    {MSG_ILLEGAL_BREAK, "illegal break", "非法的 break 语句"},
    {MSG_ILLEGAL_CONTINUE, "illegal continue", "非法的 continue 语句"},
    {MSG_CANNOT_CONVERT, "cannot convert from \"%s\" to \"%s\"", "不能将数据类型“%s”转换成“%s”"},
    {MSG_INVALID_INITIALIZE, "Invalid initialize", "无效的初始化"},
    {MSG_WRONG_ARG_COUNT, "\"%s\" : function does not take %s parameters",
     "“%s”：函数不接受 %s 个参数"},
    {MSG_INVALID_OPERATOR, "\"%s\" : Invalid operator", "“%s”: 无效的操作"},
    {MSG_MUST_RETURN_VALUE, "\"%s\" : must return a value", "“%s” :  必须返回一个值"},
    {MSG_VOID_RETURNS_VALUE, "\"%s\" : \"void\" function returning a value",
     "“%s” : “void”函数正在返回值"},
    {MSG_NEEDS_LVALUE, "\"%s\" needs l-value", "“%s”需要一个变量"},
    {MSG_CALLS_MAIN, "Disallow to called main function", "不允许调用 main 函数"},
    {MSG_TOO_MANY_INITIALIZERS, "too many initializers", "太多的初始化项"},
    {MSG_MAIN_RETURN_TYPE, "not matching return value type in main function, it is must a \"int\"",
     "main函数返回值不匹配，它必须是一个“int”类型"},
    {MSG_MAIN_HAS_PARAMETERS, "main function can't has para", "main函数不允许有参数"},
    {MSG_POSSIBLE_LOSS, "conversion from \"%s\" to \"%s\", possible loss of data",
     "将数据类型“%s”转换成“%s”有可能会丢失数据"},
    {MSG_MAIN_DEFAULT_RETURN, "\"main\" : function should return a value; zero is default",
     "“main” : 函数将返回一个值，默认返回零"},
    {MSG_EXTRA_INITIALIZERS, "too many initializers", "太多的初始化项"},
};
static_assert(std::size(kErrorTable) == 46, "the error table has 46 rows");

const MessageRow kDriverTable[] = {
    {DRV_SOURCE_NOT_FOUND, "Source file not found: %s", "指定的源文件未找到：%s"},
    {DRV_CODE_FILE_INFO, ">> Code byte file info: Instruction(%d), File size(%d)\r\n",
     ">> 字节码文件信息：指令(%d)，文件大小(%d)\r\n"},
    {DRV_BAD_COMMAND_LINE, "Invalid command line format - \"%s\"\r\n\r\n",
     "命令行参数格式不正确 - \"%s\"\r\n\r\n"},
};

const char* Find(const MessageRow* rows, size_t count, int code, bool chinese) {
  for (size_t i = 0; i < count; ++i)
    if (rows[i].code == code) return chinese ? rows[i].chinese : rows[i].english;
  return nullptr;
}

}  // namespace

const char* MessageText(int code, bool chinese) {
  return Find(kErrorTable, std::size(kErrorTable), code, chinese);
}

const char* DriverText(int row, bool chinese) {
  return Find(kDriverTable, std::size(kDriverTable), row, chinese);
}

const char* FatalLineFormat(bool chinese) { return chinese ? "错误 C%d: %s\r\n" : "Error C%d: %s\r\n"; }
const char* ErrorLineFormat(bool chinese) {
  return chinese ? "错误 C%d (%d): %s\r\n" : "Error C%d (%d): %s\r\n";
}
const char* WarningLineFormat(bool chinese) {
  return chinese ? "警告 C%d (%d): %s\r\n" : "Warning C%d (%d): %s\r\n";
}

}  // namespace tarnic
