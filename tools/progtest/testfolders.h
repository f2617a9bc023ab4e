// The two folders that ctest names for every test program (cmake/qel.cmake,
// qel_test): the program folder (QEL_PROGRAM_DIR) and the source tree
// (QEL_SOURCE_DIR), as paths this program can open. ctest hands them over as
// Linux paths; run under Wine, they are turned into the drive path Wine maps
// them to. A test run by hand sets them itself (a Windows path is taken as
// it is).
#pragma once
#include <string>

namespace progtest {

// The folder named by the variable, without a trailing backslash, plus
// "\relative" when relative is given. Empty, with a test failure recorded,
// when the variable is not set or its Linux path cannot be turned into a
// drive path.
std::string FolderFromEnvironment(const char* variable, const std::string& relative = "");

inline std::string ProgramFile(const std::string& relative) {
  return FolderFromEnvironment("QEL_PROGRAM_DIR", relative);
}
inline std::string SourceFile(const std::string& relative) {
  return FolderFromEnvironment("QEL_SOURCE_DIR", relative);
}

}  // namespace progtest
