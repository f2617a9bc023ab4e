#include "scriptvm.h"

#include <exception>
#include <new>

#include "vmargs.h"
#include "vmcodes.h"
#include "vmexec.h"
#include "vmframes.h"
#include "vmlib.h"
#include "vmload.h"
#include "vmthreaded.h"
#include "vmtranslate.h"

CScriptVM::CScriptVM() : m_state(new VmState()) {}
CScriptVM::~CScriptVM() = default;

int CScriptVM::Load(const void* code, size_t size) {
  if (m_state->running) return kVmBusy;
  const uint64_t budget = m_state->instruction_budget;  // a setting, not loaded state
  m_state.reset(new (std::nothrow) VmState());
  m_loaded = false;
  if (!m_state) {
    m_state.reset(new VmState());
    SetInstructionBudget(budget);
    return kVmSetupGlobalCells;
  }
  SetInstructionBudget(budget);
  int rc;
  try {
    rc = InitMachine(*m_state);
    if (!rc) rc = LoadCodeBytes(*m_state, static_cast<const uint8_t*>(code), size);
    // Translated once here; without memory for it the code bytes run directly.
    if (!rc) m_state->translation = TranslateCode(m_state->code, m_state->entry, *m_state->globals);
  } catch (const std::bad_alloc&) {
    rc = kVmNoDataMemory;
  }
  FreeRunState(*m_state);
  if (rc) {
    // Nothing of a refused file stays behind.
    m_state.reset(new VmState());
    SetInstructionBudget(budget);
    return rc;
  }
  m_loaded = true;
  return 0;
}

int CScriptVM::Run(uint32_t entry) {
  VmState& s = *m_state;
  if (s.running) return kVmBusy;
  if (!m_loaded) return s.last_end_code = kVmNotLoaded;
  s.running = true;
  int rc = kVmNoMemory;
  // Without its register block or first frame nothing ran: the globals and
  // the code stay, and the next run is still the first (from instruction 0).
  if (EnterRun(s)) {
    uint32_t start = s.first_run ? 0 : entry;
    s.first_run = false;
    // A run never lets an exception out: its callers are window procedures.
    try {
      rc = s.translation && !m_direct ? ExecuteTranslated(s, *this, start) : ExecuteCode(s, *this, start);
    } catch (const std::exception&) {
      rc = kVmNoMemory;
    }
  }
  KeepForNextRun(s);
  s.running = false;
  s.last_end_code = rc;
  return rc;
}

int CScriptVM::CheckArgCount(int n) { return PopArguments(*m_state, n); }

int CScriptVM::CallFunction(int id) {
  if (id >= 50 && id < 100) return CallMiscFunction(id);
  if (id >= 100 && id < 150) return CallMathFunction(id);
  if (id >= 150 && id < 200) return CallStringFunction(id);
  if (id >= 200 && id < 250) return CallFormatFunction(id);
  if (id >= 250 && id < 300) return CallTimeFunction(id);
  return kSysUnknown;
}

int CScriptVM::CallMathFunction(int id) { return VmCallMath(*m_state, id); }
int CScriptVM::CallStringFunction(int id) { return VmCallString(*m_state, id); }
int CScriptVM::CallFormatFunction(int id) { return VmCallFormat(*m_state, id); }
int CScriptVM::CallTimeFunction(int id) { return VmCallTime(*m_state, id); }
int CScriptVM::CallMiscFunction(int id) { return VmCallMisc(*m_state, id); }
