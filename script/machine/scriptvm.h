// The script machine: loads the code bytes of one script and runs them, one
// run per firing of its link. Globals live from the load to the destruction;
// registers, frames and stacks for one run. System functions are reached
// through CallFunction, which serves the library (ids 50-299); the picture
// host extends it with the host functions.
#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>

#include "vmstate.h"

class CScriptVM : public VmSystemCalls {
 public:
  CScriptVM();
  ~CScriptVM() override;
  CScriptVM(const CScriptVM&) = delete;
  CScriptVM& operator=(const CScriptVM&) = delete;

  // Sets the machine up and loads a code-byte file; 0 or an end code. A
  // failed load leaves a machine whose runs end at once with kVmNotLoaded.
  int Load(const void* code, size_t size);

  // Runs the script once from `entry` (the first run after loading starts at
  // instruction 0, which sets the globals and falls into "main"); returns
  // the end code, kVmNormalEnd (1005) for a normal end. A system function
  // that runs the same machine again (through a window message, say) gets
  // kVmBusy instead of a second run over the same state.
  int Run(uint32_t entry);
  int Run() { return Run(m_state->entry); }

  // Pops n arguments into the argument area (place 0 the first argument).
  int CheckArgCount(int n);

  // 0 when the function ran; ids 50-299 go to the library groups.
  int CallFunction(int id) override;
  virtual int CallMathFunction(int id);
  virtual int CallStringFunction(int id);
  virtual int CallFormatFunction(int id);
  virtual int CallTimeFunction(int id);
  virtual int CallMiscFunction(int id);

  // Work units one run may use before it ends with kVmBudgetExceeded: one
  // per instruction and more for the work that an instruction does
  // (vmwork.h); kVmInstructionBudget unless changed, as a benchmark does.
  void SetInstructionBudget(uint64_t budget) { m_state->instruction_budget = m_state->budget_left = budget; }
  // The end code of the last run (0 before the first), the number of
  // instructions it executed and the work units it used (those included).
  int LastEndCode() const { return m_state->last_end_code; }
  uint64_t LastInstructionCount() const { return m_state->last_instructions; }
  uint64_t LastWorkUnits() const { return m_state->last_work; }

  // Runs the code bytes with the direct interpreter instead of their
  // translation: the reference that the tests compare the translation with.
  void UseDirectInterpreter(bool direct) { m_direct = direct; }

  uint32_t Entry() const { return m_state->entry; }
  const VmCell& Accumulator() const { return m_state->accumulator; }
  // The code of the system function that ended the last failed run (2001).
  int LastSystemCode() const { return m_state->last_system_code; }
  VmState& State() { return *m_state; }

 protected:
  std::unique_ptr<VmState> m_state;
  bool m_loaded = false;
  bool m_direct = false;
};
