// The files of the editing control's tests: a folder of their own per test
// process (ctest runs the cases side by side, each in its own process),
// removed when the process ends, and whole files read and written.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace edittest {

// A folder of its own for the files of one test (emptied first), ending in a
// backslash.
std::string FreshFolder(const char* name);
std::vector<BYTE> ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::vector<BYTE>& bytes);
// The names of the files in a folder (ending in a backslash), sorted.
std::vector<std::string> FileNamesIn(const std::string& folder);

}  // namespace edittest
