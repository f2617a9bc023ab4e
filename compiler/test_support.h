// Helpers shared by the compiler's tests.
#pragma once
#include <string>
#include <vector>

#include "compile.h"

namespace tarnic {

// The "stdlib.txt" delivered beside Tarnic in the program folder.
const std::string& DeliveredStdlib();

// Compiles source text with the delivered system-function list.
CompileOutput Compile(const std::string& source, bool chinese = false);

// The lines of a "\r\n"-separated text, without their line ends.
std::vector<std::string> Lines(const std::string& text);

// The instructions of a compilation as text (see code_dump.h).
std::vector<std::string> Dump(const CompileOutput& out);
// The instructions from `first` to the end.
std::vector<std::string> DumpFrom(const CompileOutput& out, size_t first);

}  // namespace tarnic
