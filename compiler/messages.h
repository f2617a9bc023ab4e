// Message numbers of the script compiler and their texts in both languages.
#pragma once

namespace tarnic {

// Every message the compiler can print, one symbolic name per number.
// Below 2000 fatal class (no line), 2000-2999 errors, 3000 and up warnings.
enum MessageCode {
  MSG_UNKNOWN_ERROR = 1000,
  MSG_OUT_OF_MEMORY = 1001,
  MSG_LOAD_SYSTEM_FUNCTION = 1002,
  MSG_OUT_OF_STACK = 1003,
  MSG_OUT_OF_REGISTER = 1004,
  MSG_CREATE_CODE_FILE = 1005,
  MSG_WRITE_CODE_FILE = 1006,
  MSG_OPEN_SOURCE = 1007,
  MSG_EMPTY_SOURCE = 1008,
  MSG_DEFINE_SYNTAX = 1009,
  MSG_EMPTY_SOURCE_FILE = 2000,
  MSG_NEED_MAIN = 2001,
  MSG_MAIN_PARAMETER = 2002,
  MSG_EXPECT_DECLARATION = 2003,
  MSG_MISSING_TOKEN = 2004,
  MSG_MISSING_IN_STATEMENT = 2005,
  MSG_EXPECT_TOKEN = 2006,
  MSG_INVALID_TYPE = 2007,
  MSG_TOO_MANY_POINTERS = 2008,
  MSG_DIVIDE_BY_ZERO = 2009,
  MSG_EXPECT_FUNCTION_CALL = 2010,
  MSG_EXPECT_EXPRESSION = 2011,
  MSG_NOT_MATCHING = 2012,
  MSG_UNRECOGNIZED_CHAR = 2013,
  MSG_BAD_CHAR_CONSTANT = 2014,
  MSG_ELLIPSIS_NOT_LAST = 2015,
  MSG_REDEFINITION = 2016,
  MSG_DEFINES_SYSTEM_FUNCTION = 2017,
  MSG_UNDECLARED = 2018,
  MSG_NAMES_SYSTEM_FUNCTION = 2019,
  MSG_ILLEGAL_BREAK = 2020,
  MSG_ILLEGAL_CONTINUE = 2021,
  MSG_CANNOT_CONVERT = 2022,
  MSG_INVALID_INITIALIZE = 2023,
  MSG_WRONG_ARG_COUNT = 2024,
  MSG_INVALID_OPERATOR = 2025,
  MSG_MUST_RETURN_VALUE = 2026,
  MSG_VOID_RETURNS_VALUE = 2027,
  MSG_NEEDS_LVALUE = 2028,
  MSG_CALLS_MAIN = 2029,
  MSG_TOO_MANY_INITIALIZERS = 2030,
  MSG_MAIN_RETURN_TYPE = 2031,
  MSG_MAIN_HAS_PARAMETERS = 2032,
  MSG_POSSIBLE_LOSS = 3000,
  MSG_MAIN_DEFAULT_RETURN = 3001,
  MSG_EXTRA_INITIALIZERS = 3002,
};

// Rows of the driver's own table that it prints.
enum DriverMessage {
  DRV_SOURCE_NOT_FOUND = 3,
  DRV_CODE_FILE_INFO = 13,
  DRV_BAD_COMMAND_LINE = 15,
};

// The text of a message in the chosen language; nullptr for a code not in the table.
const char* MessageText(int code, bool chinese);
// The text of a driver row; nullptr for a row that is never printed.
const char* DriverText(int row, bool chinese);

// Line forms of reported messages: fatal class, error with line, warning with line.
const char* FatalLineFormat(bool chinese);
const char* ErrorLineFormat(bool chinese);
const char* WarningLineFormat(bool chinese);

}  // namespace tarnic
