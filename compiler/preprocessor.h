// The "#define" pass: removes comments and replaces defined names before scanning.
#pragma once
#include <string>

namespace tarnic {

class Reporter;

enum PreprocessStatus {
  PP_OK = 0,
  PP_NO_MEMORY = 1,
  PP_EMPTY_NAME = 2,
  PP_CANNOT_OPEN = 3,
  PP_EMPTY_RESULT = 4,
  PP_DEFINE_ERROR = 5,
};

// What a text-mode read of the platform runtime gives: CR LF becomes LF and a
// Ctrl-Z ends the text.
std::string TextModeContents(const std::string& bytes);

// The pass over source text already read in text mode. False on an error, which
// has been written (uncounted, with its line) to the reporter's error output.
bool ApplyDefines(const std::string& source, std::string& out, Reporter& reporter);

// Reads the named source file and runs the pass; returns a PreprocessStatus.
int PreprocessSource(const std::string& path, std::string& out, Reporter& reporter);
// The same over source text that is already in memory (no file involved).
int PreprocessText(const std::string& source, std::string& out, Reporter& reporter);

}  // namespace tarnic
