// Hostile code bytes shared by the machine's tests and its benchmark: each
// program makes its instructions do as much work as one instruction can (big
// frames, long texts, wide formats, slow platform and host calls) and loops
// or recurses until the machine stops it.
#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <vector>

#include "drawlink.h"
#include "picobj.h"
#include "scriptvm.h"
#include "vmcodes.h"
#include "vm_program.h"

class CDrawText;

struct HostileProgram {
  const char* what;
  std::function<VmProgram()> build;
  bool host = false;            // runs in a picture host (HostScene)
  bool quiet = false;           // writes to standard output
  int end = kVmBudgetExceeded;  // the end code of a run with the default budget
};

std::vector<HostileProgram> HostilePrograms();

// A picture with one text object "label" in a hidden window that answers
// every request with 0: the host of the programs that call host functions.
struct HostScene {
  HostScene();
  ~HostScene();
  DrawViewContext Context();

  HWND window = nullptr;
  CPicObj picture;
  CDrawText* label = nullptr;
  RECT update = {};
};

// A machine (a picture host for host programs) with the program loaded;
// null when it does not load.
std::unique_ptr<CScriptVM> LoadHostile(const HostileProgram& program, HostScene& scene);
// One run, with standard output sent to NUL for a quiet program.
int RunHostile(const HostileProgram& program, CScriptVM& vm);
// One run with standard output sent to NUL.
int RunQuietly(CScriptVM& vm);
