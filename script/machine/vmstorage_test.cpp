// The storage that scripts address: below 2 GB in either flavour (scripts
// hold 32-bit addresses), zeroed, aligned, usable over its whole size, and
// given back to the system once free.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "vm_test_util.h"
#include "vmstorage.h"

namespace {

bool Below2GB(const void* p, size_t bytes) { return reinterpret_cast<uintptr_t>(p) + bytes <= 0x80000000u; }

TEST(VmStorage, EverySizeIsZeroedAlignedAndBelow2GB) {
  const size_t sizes[] = {0, 1, 15, 16, 17, 100, 512, 4096, 16383, 16384, 16385, 65536, 1 << 20, 16 << 20};
  for (int round = 0; round < 2; ++round) {  // the second round reuses the slots the first gave back
    std::vector<void*> blocks;
    for (size_t bytes : sizes) {
      void* p = VmStorageAllocate(bytes);
      ASSERT_NE(p, nullptr) << bytes << " bytes";
      EXPECT_TRUE(Below2GB(p, bytes)) << bytes << " bytes at " << p;
      EXPECT_EQ(reinterpret_cast<uintptr_t>(p) % 16, 0u) << bytes << " bytes";
      const auto* b = static_cast<const unsigned char*>(p);
      for (size_t i = 0; i < bytes; ++i)
        if (b[i] != 0) FAIL() << bytes << " bytes: byte " << i << " not zero";
      std::memset(p, 0xA5, bytes);  // the whole size is writable (and dirties what round 2 gets)
      blocks.push_back(p);
    }
    for (void* p : blocks) VmStorageFree(p);
  }
}

TEST(VmStorage, FreePagesGoBackToTheSystemButOnePerSize) {
  const size_t before = VmStorageChunkCount();
  std::vector<void*> blocks;
  for (int i = 0; i < 2000; ++i) blocks.push_back(VmStorageAllocate(200));  // several pages of one class
  void* large = VmStorageAllocate(300000);
  ASSERT_NE(large, nullptr);
  EXPECT_GE(VmStorageChunkCount(), before + 8);
  for (void* p : blocks) VmStorageFree(p);
  VmStorageFree(large);
  EXPECT_LE(VmStorageChunkCount(), before + 1);  // the one kept for the next burst
}

// A script's own arrays and the addresses it takes of its variables are
// storage: a text written through a pointer into a global array, and an int
// written through the address of a local, read back.
TEST(VmStorage, AScriptsArraysAndVariablesAreAddressedBelow2GB) {
  LoadedScript script(
      "char text[64];\n"
      "int seen;\n"
      "int main() {\n"
      "  int local;\n"
      "  int *p;\n"
      "  char *q;\n"
      "  p = &local;\n"
      "  *p = 77;\n"
      "  seen = local;\n"
      "  q = text;\n"
      "  strcpy(q, \"below\");\n"
      "  return 0;\n"
      "}\n");
  ASSERT_EQ(script.load, 0);
  EXPECT_EQ(script.Run(), 1005);
  EXPECT_EQ(script.Text(0), "below");
  EXPECT_EQ(script.Int(1), 77);
  const VmCell& text = script.Global(0);
  EXPECT_TRUE(Below2GB(reinterpret_cast<const void*>(static_cast<uintptr_t>(Low32(text.value))), 64));
  EXPECT_EQ(text.value >> 32, 0u);
}

}  // namespace
