#include "vm_test_util.h"

#include <gtest/gtest.h>

#include <cstring>

#include "../compiler/codebyte_format.h"
#include "../compiler/testing/delivered_stdlib.h"
#include "../compiler/opcodes.h"

std::vector<uint8_t> CompileScript(const std::string& source) {
  EXPECT_FALSE(tarnic::DeliveredStdlib().empty()) << "stdlib.txt not found beside the compiler";
  tarnic::CompileOutput out = tarnic::Compile(source);
  EXPECT_TRUE(out.generated) << source << "\n" << out.err_text;
  // Warnings (narrowing conversions the tests make on purpose) are allowed.
  EXPECT_EQ(out.err_text.find("Error"), std::string::npos) << source << "\n" << out.err_text;
  return out.code;
}

namespace {

// Where an address points inside its machine: the bytes from it to the end
// of its variable (none when it points into no live variable), and whether
// that variable is an array.
struct Place {
  size_t room;
  bool in_buffer;
  std::string bytes;
};

Place PlaceOf(const VmMemoryMap& memory, uint32_t address) {
  Place p{memory.Room(address), memory.InBuffer(address), {}};
  if (p.room && p.in_buffer)
    p.bytes.assign(reinterpret_cast<const char*>(static_cast<uintptr_t>(address)), p.room);
  return p;
}

// Two cells of two machines alike: the same type; a value with kind bits
// pointing to the same place of the same live variable (or to none in both),
// any other value the same bits.
void ExpectSameCell(const VmMemoryMap& a_memory, const VmCell& a, const VmMemoryMap& b_memory,
                    const VmCell& b, bool bits, const std::string& what) {
  EXPECT_EQ(a.type, b.type) << what;
  if (bits || !HasKind(a.type)) {
    EXPECT_EQ(a.value, b.value) << what;
    return;
  }
  const Place pa = PlaceOf(a_memory, Low32(a.value));
  const Place pb = PlaceOf(b_memory, Low32(b.value));
  EXPECT_EQ(pa.room, pb.room) << what;
  EXPECT_EQ(pa.in_buffer, pb.in_buffer) << what;
  EXPECT_EQ(pa.bytes, pb.bytes) << what;
  // A value that points into neither machine may be the address of storage
  // that is gone, which differs from machine to machine: its bits are not compared.
}

}  // namespace

void ExpectSameRun(CScriptVM& translated, CScriptVM& direct, const std::string& what, bool bits) {
  EXPECT_EQ(translated.LastEndCode(), direct.LastEndCode()) << what;
  EXPECT_EQ(translated.LastInstructionCount(), direct.LastInstructionCount()) << what;
  EXPECT_EQ(translated.LastWorkUnits(), direct.LastWorkUnits()) << what;
  EXPECT_EQ(translated.LastSystemCode(), direct.LastSystemCode()) << what;
  const VmMemoryMap& tm = translated.State().memory;
  const VmMemoryMap& dm = direct.State().memory;
  ExpectSameCell(tm, translated.Accumulator(), dm, direct.Accumulator(), bits, what + " (accumulator)");
  VmVariables* tg = translated.State().globals.get();
  VmVariables* dg = direct.State().globals.get();
  ASSERT_EQ(tg == nullptr, dg == nullptr) << what;
  if (tg) {
    ASSERT_EQ(tg->Count(), dg->Count()) << what;
    for (uint32_t i = 0; i < tg->Count(); ++i)
      ExpectSameCell(tm, *tg->Cell(i), dm, *dg->Cell(i), bits, what + " (global " + std::to_string(i) + ")");
  }
  EXPECT_EQ(tm.BytesInUse(), dm.BytesInUse()) << what;
  EXPECT_EQ(tm.PeakBytes(), dm.PeakBytes()) << what;
}

namespace {

// Whether code bytes call a function of the clock (ids 250-256), whose
// results differ from one run to the next.
bool ReadsTheClock(const std::vector<uint8_t>& code) {
  tarnic::CodeByteHeader header;
  if (code.size() < sizeof header) return false;
  std::memcpy(&header, code.data(), sizeof header);
  for (size_t at = sizeof header;
       at + sizeof(tarnic::CodeByteInstruction) <= header.data_offset && at < code.size();
       at += sizeof(tarnic::CodeByteInstruction)) {
    tarnic::CodeByteInstruction in;
    std::memcpy(&in, code.data() + at, sizeof in);
    if (in.op == tarnic::OP_CALLSYS && in.a >= 250 && in.a <= 256) return true;
  }
  return false;
}

}  // namespace

LoadedScript::LoadedScript(const std::string& source) : source_(source) {
  std::vector<uint8_t> code = CompileScript(source);
  clocked_ = ReadsTheClock(code);
  load = vm.Load(code.data(), code.size());
  EXPECT_EQ(load, 0) << source;
  direct.UseDirectInterpreter(true);
  EXPECT_EQ(direct.Load(code.data(), code.size()), load) << source;
}

int LoadedScript::Run() {
  direct.SetInstructionBudget(vm.State().instruction_budget);
  const int end = vm.Run();
  EXPECT_EQ(direct.Run(), end) << source_;
  if (clocked_) {
    // The clock's values differ; the run's course does not.
    EXPECT_EQ(vm.LastInstructionCount(), direct.LastInstructionCount()) << source_;
    EXPECT_EQ(vm.LastWorkUnits(), direct.LastWorkUnits()) << source_;
  } else {
    ExpectSameRun(vm, direct, source_);
  }
  return end;
}

void LoadedScript::Poke(uint32_t i, const std::string& bytes) {
  for (CScriptVM* machine : {&vm, &direct}) {
    const VmCell* cell = machine->State().globals->Cell(i);
    ASSERT_NE(cell, nullptr);
    ASSERT_GE(machine->State().memory.Room(Low32(cell->value)), bytes.size());
    std::memcpy(reinterpret_cast<char*>(static_cast<uintptr_t>(Low32(cell->value))), bytes.data(),
                bytes.size());
  }
}

const VmCell& LoadedScript::Global(uint32_t i) {
  static const VmCell none;
  VmVariables* g = vm.State().globals.get();
  const VmCell* c = g ? g->Cell(i) : nullptr;
  EXPECT_NE(c, nullptr) << "global " << i;
  return c ? *c : none;
}

int32_t LoadedScript::Int(uint32_t i) {
  int64_t v = 0;
  CellToInt64(Global(i), &v);
  return static_cast<int32_t>(v);
}

double LoadedScript::Double(uint32_t i) {
  double v = 0;
  CellToDouble(Global(i), &v);
  return v;
}

std::string LoadedScript::Text(uint32_t i) {
  const VmCell& c = Global(i);
  size_t length;
  if (!vm.State().memory.StringLength(Low32(c.value), &length)) return "<no text>";
  return std::string(reinterpret_cast<const char*>(static_cast<uintptr_t>(Low32(c.value))), length);
}
