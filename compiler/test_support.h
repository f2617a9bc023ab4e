// Helpers shared by the compiler's tests.
#pragma once
#include <ostream>
#include <string>
#include <vector>

#include "compile.h"
#include "delivered_stdlib.h"  // DeliveredStdlib, Compile

namespace tarnic {

// The lines of a "\r\n"-separated text, without their line ends.
std::vector<std::string> Lines(const std::string& text);

// The instructions of a compilation as text (see code_dump.h).
std::vector<std::string> Dump(const CompileOutput& out);
// The instructions from `first` to the end.
std::vector<std::string> DumpFrom(const CompileOutput& out, size_t first);

}  // namespace tarnic

namespace tarnic {

// One source with the exact lines of "cscerr.txt" it must give in both languages.
struct DiagnosticCase {
  const char* source;
  int status;
  std::vector<std::string> english;
  std::vector<std::string> chinese;
};

inline void PrintTo(const DiagnosticCase& c, std::ostream* os) { *os << c.source; }

// Checks a case in both languages; reports failures with the source.
void ExpectDiagnostics(const DiagnosticCase& c);

}  // namespace tarnic

namespace tarnic {

// A source in which one construct nests `levels` deep, for the bounds that keep
// deep nesting from exhausting the stack; `must_compile` levels must still be
// accepted.
struct NestedSource {
  const char* name;
  std::string (*make)(int levels);
  int must_compile;
};
const std::vector<NestedSource>& NestedSources();

}  // namespace tarnic
