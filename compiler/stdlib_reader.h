// Reader of the system-function list "stdlib.txt": ID<TYPE>NAME(TYPE,...).
#pragma once
#include <memory>
#include <string>

namespace tarnic {

class CCompilerContext;
struct CSystemFunction;

constexpr int kMaxSystemParameters = 16;

// The type code of a type name of the list (blanks removed, upper case); 0 when unknown.
int ScriptTypeOfName(const std::string& compact_upper_name);

// One line; nullptr for a comment or a malformed line. `too_many` is set when
// the line lists more parameter types than a system function can take.
std::unique_ptr<CSystemFunction> ParseSystemFunction(const std::string& line, bool* too_many = nullptr);

// Every line of the list's text (as read in text mode) into the context.
void LoadSystemFunctions(const std::string& text, CCompilerContext& context);

}  // namespace tarnic
