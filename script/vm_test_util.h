// Helpers of the script machine's tests: compile a script in-process with the
// delivered system-function list, load and run it.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "scriptvm.h"

// The code bytes of a script that must compile without errors.
std::vector<uint8_t> CompileScript(const std::string& source);

// A machine with a compiled script loaded.
struct LoadedScript {
  explicit LoadedScript(const std::string& source);
  int Run() { return vm.Run(); }
  // Global cell i (globals are numbered in declaration order).
  const VmCell& Global(uint32_t i);
  int32_t Int(uint32_t i);
  double Double(uint32_t i);
  // The text of a global character array.
  std::string Text(uint32_t i);

  CScriptVM vm;
  int load = -1;
};
