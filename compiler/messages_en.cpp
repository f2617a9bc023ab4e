// English texts of the compiler's messages.
#include "message_table.h"

namespace tarnic {

const MessageRow CompilerErrorTableEnglish[] = {
    {MSG_UNKNOWN_ERROR, "Unknown error"},
    {MSG_OUT_OF_MEMORY, "Out of memory"},
    {MSG_LOAD_SYSTEM_FUNCTION, "Load system function \"%s\" fail"},
    {MSG_OUT_OF_STACK, "Out of stack"},
    {MSG_OUT_OF_REGISTER, "out of register"},
    {MSG_CREATE_CODE_FILE, "Create code byte file fail: %s"},
    {MSG_WRITE_CODE_FILE, "Write code byte file fail: %s"},
    {MSG_OPEN_SOURCE, "Open source file fail: %s"},
    {MSG_EMPTY_SOURCE, "Open a null source file: %s"},
    {MSG_DEFINE_SYNTAX, "#define syntax"},
    {MSG_EMPTY_SOURCE_FILE, "C Script forbids an empty source file"},
    {MSG_NEED_MAIN, "C Script need a main function"},
    {MSG_MAIN_PARAMETER, "(%s) : not matching %s parameter in main function"},
    {MSG_EXPECT_DECLARATION, "Expecting a declaration"},
    {MSG_MISSING_TOKEN, "Missing a '%s'"},
    {MSG_MISSING_IN_STATEMENT, "Missing a '%s' in \"%s\" statement"},
    {MSG_EXPECT_TOKEN, "Expecting a '%s'"},
    {MSG_INVALID_TYPE, "Invalid type definition"},
    {MSG_TOO_MANY_POINTERS, "Too many pointer definition"},
    {MSG_DIVIDE_BY_ZERO, "divide or mod by zero"},
    {MSG_EXPECT_FUNCTION_CALL, "Expecting a function called"},
    {MSG_EXPECT_EXPRESSION, "\"%s\" is expecting an <expr>"},
    {MSG_NOT_MATCHING, "not matching '%s'"},
    {MSG_UNRECOGNIZED_CHAR, "Unrecognized character %s"},
    {MSG_BAD_CHAR_CONSTANT, "Invalid inverted comma declaration: %s"},
    {MSG_ELLIPSIS_NOT_LAST, "\"...\" definition must in last"},
    {MSG_REDEFINITION, "\"%s\" redefinition"},
    {MSG_DEFINES_SYSTEM_FUNCTION, "\"%s\" is a system function"},
    {MSG_UNDECLARED, "\"%s\" is a undeclared identifier"},
    {MSG_NAMES_SYSTEM_FUNCTION, "\"%s\" is a system function"},
    {MSG_ILLEGAL_BREAK, "illegal break"},
    {MSG_ILLEGAL_CONTINUE, "illegal continue"},
    {MSG_CANNOT_CONVERT, "cannot convert from \"%s\" to \"%s\""},
    {MSG_INVALID_INITIALIZE, "Invalid initialize"},
    {MSG_WRONG_ARG_COUNT, "\"%s\" : function does not take %s parameters"},
    {MSG_INVALID_OPERATOR, "\"%s\" : Invalid operator"},
    {MSG_MUST_RETURN_VALUE, "\"%s\" : must return a value"},
    {MSG_VOID_RETURNS_VALUE, "\"%s\" : \"void\" function returning a value"},
    {MSG_NEEDS_LVALUE, "\"%s\" needs l-value"},
    {MSG_CALLS_MAIN, "Disallow to called main function"},
    {MSG_TOO_MANY_INITIALIZERS, "too many initializers"},
    {MSG_MAIN_RETURN_TYPE, "not matching return value type in main function, it is must a \"int\""},
    {MSG_MAIN_HAS_PARAMETERS, "main function can't has para"},
    {MSG_POSSIBLE_LOSS, "conversion from \"%s\" to \"%s\", possible loss of data"},
    {MSG_MAIN_DEFAULT_RETURN, "\"main\" : function should return a value; zero is default"},
    {MSG_EXTRA_INITIALIZERS, "too many initializers"},
};
const size_t CompilerErrorTableEnglishSize = std::size(CompilerErrorTableEnglish);

const MessageRow DriverMessageTableEnglish[] = {
    {DRV_SOURCE_NOT_FOUND, "Source file not found: %s"},
    {DRV_CODE_FILE_INFO, ">> Code byte file info: Instruction(%d), File size(%d)\r\n"},
    {DRV_BAD_COMMAND_LINE, "Invalid command line format - \"%s\"\r\n\r\n"},
};
const size_t DriverMessageTableEnglishSize = std::size(DriverMessageTableEnglish);

static_assert(std::size(CompilerErrorTableEnglish) == 46, "46 messages");

}  // namespace tarnic
