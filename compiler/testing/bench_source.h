// The generated script of the compile benchmark, shared with the test that
// keeps its code-byte file unchanged.
#pragma once
#include <string>

namespace tarnic {

// Functions of 22 lines each (locals, a loop, a condition, calls and
// arithmetic) up to about `lines_wanted` lines; the count made goes to
// *lines_made.
std::string BenchmarkSource(int lines_wanted, int* lines_made);

}  // namespace tarnic
