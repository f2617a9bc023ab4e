// For the tests and benchmarks of the compiler and of the script machine:
// the system-function list delivered beside Tarnic, and compiling with it.
#pragma once
#include <string>

#include "compile.h"

namespace tarnic {

// The "stdlib.txt" delivered beside Tarnic in the program folder, read once
// in text mode (as the compiler reads it); empty when it is missing.
const std::string& DeliveredStdlib();

// Compiles source text with the delivered system-function list.
CompileOutput Compile(const std::string& source, bool chinese = false);

}  // namespace tarnic
