// The compilation stages in order, on text in memory.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "codebyte_format.h"

namespace tarnic {

class Reporter;

struct CompileOutput {
  int status = 0;             // the exit status Tarnic ends with
  std::string out_text;       // what goes to "cscout.txt"
  std::string err_text;       // what goes to "cscerr.txt"
  bool generated = false;     // code was generated without errors
  int file_size = 0;          // bytes of the code-byte file (written or not)
  std::vector<uint8_t> code;  // the code-byte file image when generated
  std::vector<CodeByteInstruction> instructions;
  CodeByteHeader header{};
};

// Loads the system functions, parses, checks and generates code, and writes the
// code-byte file to `output_path` when one is given. Returns the exit status (1
// for parse errors, else the error count); fills `out` when generated.
int CompilePreprocessed(const std::string& text, const std::string& stdlib_text, Reporter& reporter,
                        CompileOutput& out, const std::string& output_path = std::string());

// Maps a preprocessing status to its message in "cscout.txt"; true when it is OK.
bool ReportPreprocessStatus(int status, const std::string& source_name, Reporter& reporter);

// The whole run on a source given as the bytes of its file, without any file: the
// exit status, both output texts and the code bytes that Tarnic would write.
CompileOutput CompileText(const std::string& source, const std::string& stdlib_text, bool chinese = false,
                          const std::string& source_name = "csstmp.sc");

}  // namespace tarnic
