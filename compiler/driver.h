// The command line of Tarnic and the run over files in the working folder.
#pragma once
#include <string>
#include <vector>

namespace tarnic {

class Reporter;

struct CommandLine {
  bool compile = true;
  bool chinese = false;
  bool has_source = false;
  std::string source;
};

// Reads the arguments after the program name; a bad option prints its message
// into the reporter's standard-output text.
CommandLine ParseCommandLine(const std::vector<std::string>& args, Reporter& reporter);

// ".sc" is added to a name without ".".
std::string SourceFileName(const std::string& name);
// The source's drive, folder and base name with ".so".
std::string OutputFileName(const std::string& source);

// The whole program: writes "cscout.txt" and "cscerr.txt" in the working folder
// and the code-byte file beside the source; returns the exit status.
// `program_dir` is the compiler's own folder with a trailing separator.
int RunTarnic(const std::vector<std::string>& args, const std::string& program_dir);

}  // namespace tarnic
