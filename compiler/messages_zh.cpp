// Chinese (GBK) texts of the compiler's messages.
#include "message_table.h"

namespace tarnic {

const MessageRow CompilerErrorTableChinese[] = {
    {MSG_UNKNOWN_ERROR, "未知错误"},
    {MSG_OUT_OF_MEMORY, "内存溢出"},
    {MSG_LOAD_SYSTEM_FUNCTION, "加载系统函数“%s”失败"},
    {MSG_OUT_OF_STACK, "堆栈溢出"},
    {MSG_OUT_OF_REGISTER, "寄存器溢出"},
    {MSG_CREATE_CODE_FILE, "创建字节码文件失败：%s"},
    {MSG_WRITE_CODE_FILE, "写字节码文件失败：%s"},
    {MSG_OPEN_SOURCE, "打开脚本源文件失败：%s"},
    {MSG_EMPTY_SOURCE, "打开一个空的源文件：%s"},
    {MSG_DEFINE_SYNTAX, "#define 语法错误"},
    {MSG_EMPTY_SOURCE_FILE, "C 脚本源文件不允许为空"},
    {MSG_NEED_MAIN, "C 脚本需要一个main函数"},
    {MSG_MAIN_PARAMETER, "(%s) : main函数第 %s 个参数类型不匹配"},
    {MSG_EXPECT_DECLARATION, "脚本期待一个声明，但未找到"},
    {MSG_MISSING_TOKEN, "丢失一个符号 '%s'"},
    {MSG_MISSING_IN_STATEMENT, "在 \"%s\" 语句中丢失一个符号 '%s'"},
    {MSG_EXPECT_TOKEN, "脚本期待一个符号 '%s'，但未找到"},
    {MSG_INVALID_TYPE, "无效的类型定义"},
    {MSG_TOO_MANY_POINTERS, "太多的指针定义，脚本仅支持一维指针"},
    {MSG_DIVIDE_BY_ZERO, "发生除零错误"},
    {MSG_EXPECT_FUNCTION_CALL, "脚本期待一个函数调用，但未找到函数名"},
    {MSG_EXPECT_EXPRESSION, "\"%s\" 期待一个表达式，但未找到"},
    {MSG_NOT_MATCHING, "符号 '%s' 不匹配"},
    {MSG_UNRECOGNIZED_CHAR, "未被承认的字符 %s"},
    {MSG_BAD_CHAR_CONSTANT, "无效的单引号定义：%s"},
    {MSG_ELLIPSIS_NOT_LAST, "“...” 声明必须是最后一个参数"},
    {MSG_REDEFINITION, "“%s”重复定义"},
    {MSG_DEFINES_SYSTEM_FUNCTION, "“%s”是一个系统函数"},
    {MSG_UNDECLARED, "“%s”是一个未定义的标识符"},
    {MSG_NAMES_SYSTEM_FUNCTION, "“%s”是一个系统函数"},
    {MSG_ILLEGAL_BREAK, "非法的 break 语句"},
    {MSG_ILLEGAL_CONTINUE, "非法的 continue 语句"},
    {MSG_CANNOT_CONVERT, "不能将数据类型“%s”转换成“%s”"},
    {MSG_INVALID_INITIALIZE, "无效的初始化"},
    {MSG_WRONG_ARG_COUNT, "“%s”：函数不接受 %s 个参数"},
    {MSG_INVALID_OPERATOR, "“%s”: 无效的操作"},
    {MSG_MUST_RETURN_VALUE, "“%s” :  必须返回一个值"},
    {MSG_VOID_RETURNS_VALUE, "“%s” : “void”函数正在返回值"},
    {MSG_NEEDS_LVALUE, "“%s”需要一个变量"},
    {MSG_CALLS_MAIN, "不允许调用 main 函数"},
    {MSG_TOO_MANY_INITIALIZERS, "太多的初始化项"},
    {MSG_MAIN_RETURN_TYPE, "main函数返回值不匹配，它必须是一个“int”类型"},
    {MSG_MAIN_HAS_PARAMETERS, "main函数不允许有参数"},
    {MSG_POSSIBLE_LOSS, "将数据类型“%s”转换成“%s”有可能会丢失数据"},
    {MSG_MAIN_DEFAULT_RETURN, "“main” : 函数将返回一个值，默认返回零"},
    {MSG_EXTRA_INITIALIZERS, "太多的初始化项"},
};
const size_t CompilerErrorTableChineseSize = std::size(CompilerErrorTableChinese);

const MessageRow DriverMessageTableChinese[] = {
    {DRV_SOURCE_NOT_FOUND, "指定的源文件未找到：%s"},
    {DRV_CODE_FILE_INFO, ">> 字节码文件信息：指令(%d)，文件大小(%d)\r\n"},
    {DRV_BAD_COMMAND_LINE, "命令行参数格式不正确 - \"%s\"\r\n\r\n"},
};
const size_t DriverMessageTableChineseSize = std::size(DriverMessageTableChinese);

static_assert(std::size(CompilerErrorTableChinese) == 46, "46 messages");

}  // namespace tarnic
