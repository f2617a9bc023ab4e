// Helpers of the script machine's tests: compile a script in-process with the
// delivered system-function list, load and run it.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "scriptvm.h"

// The code bytes of a script that must compile without errors.
std::vector<uint8_t> CompileScript(const std::string& source);

// Expects the last runs of two machines with the same code bytes (the
// translated machine and the direct interpreter) to have ended alike: the
// end code, the instructions and work units, the failed system function's
// code, the accumulator, every global (arrays by their bytes, addresses by
// where they point; or, for programs that hold no real address, every value
// by its bits) and the memory counted against the cap.
void ExpectSameRun(CScriptVM& translated, CScriptVM& direct, const std::string& what, bool bits = false);

// A machine with a compiled script loaded, and a twin that runs the same
// code bytes with the direct interpreter.
struct LoadedScript {
  explicit LoadedScript(const std::string& source);
  // Runs the script on both machines (with the same budget) and expects them
  // to end alike; the translated machine's end code.
  int Run();
  // Writes bytes into the buffer of global array i of both machines.
  void Poke(uint32_t i, const std::string& bytes);
  // Global cell i (globals are numbered in declaration order).
  const VmCell& Global(uint32_t i);
  int32_t Int(uint32_t i);
  double Double(uint32_t i);
  // The text of a global character array.
  std::string Text(uint32_t i);

  CScriptVM vm;
  CScriptVM direct;
  int load = -1;

 private:
  std::string source_;
  bool clocked_ = false;  // the script reads the clock: only the runs' courses compare
};
