// Random code bytes that call every system function with random and hostile
// arguments: every run ends with one of the machine's end codes, within its
// budget and its memory cap, and no byte outside the machine changes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <iterator>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "../../compiler/opcodes.h"
#include "pichost.h"
#include "vm_hostile.h"
#include "vm_program.h"
#include "vmcodes.h"

namespace {

using namespace tarnic;

// Random programs: random instructions mixed with calls of every system
// function (library and host, and unknown ids), each given random arguments
// of every cell type: random constants with random type bytes, real
// addresses of the globals at random offsets, wild addresses, addresses of
// memory outside the machine, and hostile format texts; the counts of the
// counted functions are mostly right and sometimes anything.
class RandomProgram {
 public:
  RandomProgram(std::mt19937& rng, uint32_t outside, size_t outside_size)
      : rng_(rng), outside_(outside), outside_size_(outside_size) {
    p_.Global(0x84, 0);           // an int
    p_.Global(0x94, 4);           // an int array
    p_.Global(0x90, 3, "abc");    // a text
    p_.Global(0x90, 64);          // a buffer
    p_.Global(0x88, 0);           // a double
    p_.Global(0xA0, 0);           // a char pointer
    p_.Global(0x90, 5, "label");  // the host scene's object
    for (const char* format : kFormats) p_.Global(0x90, static_cast<uint32_t>(std::strlen(format)), format);
    std::string noise;
    for (int i = 0; i < 24; ++i) noise += static_cast<char>(1 + Pick(255));
    p_.Global(0x90, static_cast<uint32_t>(noise.size()), noise);
  }

  VmProgram Make() {
    const size_t pieces = 1 + Pick(12);
    for (size_t i = 0; i < pieces; ++i) {
      if (Pick(3) == 0)
        p_.code.push_back(RandomInstruction());
      else
        CallSystemFunction();
    }
    p_.code.push_back(I(OP_RET));
    return p_;
  }

 private:
  static constexpr const char* kFormats[] = {
      "%5%n", "%Fs",    "%n",          "%s",        "%d %s %f",         "%*.*d",   "%I64s",
      "%.*s", "%c%c%c", "%ls",         "%p|%x",     "%65536d",          "%99999d", "AAAA%5%n",
      "%%%",  "%",      "%-+ #012.5e", "%hs%hc%hd", "%.65536f%.65536f", "%S"};
  static constexpr uint32_t kIds[] = {50,   100,  101,  102,  103,  104,  105,  106,  107,  108,  109,  110,
                                      111,  112,  113,  114,  115,  116,  117,  118,  150,  151,  152,  153,
                                      154,  155,  156,  157,  158,  159,  160,  200,  201,  202,  203,  204,
                                      205,  250,  251,  252,  253,  254,  255,  256,  1050, 1051, 1052, 1053,
                                      1054, 1100, 1200, 1201, 1202, 1500, 1501, 1502, 1503, 1504, 1505, 1506,
                                      1507, 1508, 1600, 1601, 1605, 1606, 1680, 40,   299,  1300, 2000};
  static constexpr uint32_t kCounted[] = {200, 204, 205, 1200, 1201, 1202, 1500, 1501, 1504};

  uint32_t Pick(uint32_t n) { return rng_() % n; }
  uint32_t Globals() const { return p_.entries; }

  CodeByteInstruction RandomInstruction() {
    CodeByteInstruction in{};
    in.op = static_cast<uint8_t>(rng_());
    in.r = static_cast<uint8_t>(Pick(36));
    in.r2 = static_cast<uint8_t>(Pick(36));
    uint32_t choice = Pick(4);
    in.a = choice == 0 ? rng_() : (choice == 1 ? Pick(Globals()) | kMemoryGlobal : Pick(64));
    in.b = Pick(3) ? 0 : rng_();
    in.t = static_cast<uint8_t>(rng_());
    return in;
  }

  // An address: inside a global at a random offset, outside the machine,
  // or wild.
  void PushAddress() {
    const uint8_t type = static_cast<uint8_t>(0x10 * (1 + Pick(3)) | Pick(9));
    switch (Pick(4)) {
      case 0: {
        // A global's address (its buffer for an array) moved by a few elements.
        p_.code.push_back(I(OP_LEA, 1, 0, Pick(Globals()) | kMemoryGlobal));
        p_.code.push_back(I(OP_BIN_RK + 3, 1, 0, Pick(80) - 8, 0, 0x04));
        p_.code.push_back(I(OP_PUSHR, 1));
        return;
      }
      case 1:
        p_.code.push_back(I(OP_PUSHK, 0, 0, outside_ + Pick(static_cast<uint32_t>(outside_size_)), 0, type));
        return;
      case 2: p_.code.push_back(I(OP_PUSHK, 0, 0, Pick(2) ? 0 : 16, 0, type)); return;
      default: p_.code.push_back(I(OP_PUSHK, 0, 0, rng_(), 0, type)); return;
    }
  }

  void PushArgument() {
    switch (Pick(4)) {
      case 0: p_.code.push_back(I(OP_PUSHM, 0, 0, Pick(Globals()) | kMemoryGlobal)); return;
      case 1: PushAddress(); return;
      case 2: p_.code.push_back(I(OP_PUSHK, 0, 0, Pick(100) - 10, 0, static_cast<uint8_t>(Pick(9)))); return;
      default: p_.code.push_back(I(OP_PUSHK, 0, 0, rng_(), rng_(), static_cast<uint8_t>(rng_()))); return;
    }
  }

  void CallSystemFunction() {
    const uint32_t id = kIds[Pick(sizeof kIds / sizeof kIds[0])];
    const uint32_t values = Pick(9);
    for (uint32_t i = 0; i < values; ++i) PushArgument();
    if (std::find(std::begin(kCounted), std::end(kCounted), id) != std::end(kCounted))
      p_.code.push_back(I(OP_PUSHK, 0, 0, Pick(4) ? values + 1 : Pick(40), 0, 0x04));
    p_.code.push_back(I(OP_CALLSYS, 0, 0, id));
  }

  std::mt19937& rng_;
  uint32_t outside_;
  size_t outside_size_;
  VmProgram p_;
};

// Every end code a run can give.
const int kRunEndCodes[] = {kVmOuterReturn,   kVmNoMemory,        kVmArgStackEmpty,  kVmCallSaveRegs,
                            kVmCallSaveFrame, kVmCallNewFrame,    kVmNormalEnd,      kVmNoSavedRegs,
                            kVmSystemFailed,  kVmNoBufferMemory,  kVmBadOpcode,      kVmBadRegister,
                            kVmBadJump,       kVmBadCell,         kVmBadAddress,     kVmBudgetExceeded,
                            kVmBadBinary,     kVmDivideByZero,    kVmDivideOverflow, kVmPointerStore,
                            kVmPointerAssign, kVmGrowReturnStack, kVmGrowArgStack,   kVmGrowBufferList,
                            kVmGrowCellTable, kVmGrowFrameStack,  kVmGrowRegStack};

TEST(VmHostile, RandomProgramsCallingEverySystemFunctionStayInsideTheMachine) {
  // Memory that belongs to the test, not to the machine: its address is
  // among the random arguments, and no byte of it may change.
  static unsigned char outside[256];
  std::memset(outside, 0x3C, sizeof outside);
  const uint32_t outside_address = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(outside));
  const uint64_t budget = 200000;
  HostScene scene;
  std::mt19937 rng(20261210);
  std::set<int> ends;
  std::set<int> system_codes;  // of the functions that failed
  for (int round = 0; round < 2000; ++round) {
    const VmProgram program = RandomProgram(rng, outside_address, sizeof outside).Make();
    std::vector<uint8_t> bytes = program.Bytes();
    CPicScriptHost vm(scene.Context());
    ASSERT_EQ(vm.Load(bytes.data(), bytes.size()), 0) << round;
    vm.SetInstructionBudget(budget);
    const size_t loaded = vm.State().memory.BytesInUse();
    for (int run = 0; run < 2; ++run) {
      const int end = RunQuietly(vm);
      ends.insert(end);
      if (end == kVmSystemFailed) system_codes.insert(vm.LastSystemCode());
      EXPECT_NE(std::find(std::begin(kRunEndCodes), std::end(kRunEndCodes), end), std::end(kRunEndCodes))
          << "round " << round << " ended with " << end;
      EXPECT_LE(vm.LastWorkUnits(), budget) << round;
      EXPECT_LE(vm.LastInstructionCount(), vm.LastWorkUnits()) << round;
      EXPECT_EQ(vm.State().memory.BytesInUse(), loaded) << round;
    }
    EXPECT_LE(vm.State().memory.PeakBytes(), VmMemoryMap::kMaxTotalBytes) << round;
    for (unsigned char b : outside) ASSERT_EQ(b, 0x3C) << "round " << round << " wrote outside the machine";
  }
  // The programs reached the system functions: runs ended normally and by
  // failed functions, among them formats refused and texts outside the machine.
  EXPECT_TRUE(ends.count(kVmNormalEnd) && ends.count(kVmSystemFailed));
  EXPECT_TRUE(system_codes.count(kSysBadFormat) && system_codes.count(kSysBadString));
}

}  // namespace
