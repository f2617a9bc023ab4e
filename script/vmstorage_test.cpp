// Script-addressable storage: every block, small or large, ends below 2 GB so
// that its 32-bit address is the whole address in either flavour; blocks
// come zeroed and aligned to 16, and emptied pages go back to the system.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "vmstorage.h"

namespace {

constexpr uintptr_t kTwoGb = 0x80000000u;

// Sizes at the edges of the size classes and of the large blocks.
const size_t kSizes[] = {0, 1, 15, 16, 17, 100, 1024, 16 * 1024, 16 * 1024 + 1, 64 * 1024, 1024 * 1024};

TEST(VmStorage, BlocksLieBelowTwoGbAlignedAndZeroed) {
  for (size_t bytes : kSizes) {
    SCOPED_TRACE(bytes);
    auto* p = static_cast<uint8_t*>(VmStorageAllocate(bytes));
    ASSERT_NE(p, nullptr);
    const uintptr_t address = reinterpret_cast<uintptr_t>(p);
    EXPECT_LE(address + bytes, kTwoGb);
    EXPECT_EQ(address % 16, 0u);
    EXPECT_EQ(VmStorageAddress(p), address);  // nothing lost in the script's address
    for (size_t i = 0; i < bytes; ++i) ASSERT_EQ(p[i], 0) << "byte " << i;
    std::memset(p, 0xA5, bytes);  // dirty it: a slot used again must come zeroed
    VmStorageFree(p);
    auto* again = static_cast<uint8_t*>(VmStorageAllocate(bytes));
    ASSERT_NE(again, nullptr);
    for (size_t i = 0; i < bytes; ++i) ASSERT_EQ(again[i], 0) << "byte " << i << " used again";
    VmStorageFree(again);
  }
}

TEST(VmStorage, ManyBlocksStayDistinctAndTheirPagesGoBack) {
  const size_t before = VmStorageChunkCount();
  std::vector<uint32_t*> blocks;
  for (uint32_t i = 0; i < 20000; ++i) {  // several 64 KB pages of one class
    auto* p = static_cast<uint32_t*>(VmStorageAllocate(sizeof(uint32_t)));
    ASSERT_NE(p, nullptr);
    ASSERT_LE(reinterpret_cast<uintptr_t>(p) + sizeof(uint32_t), kTwoGb);
    *p = i;
    blocks.push_back(p);
  }
  for (uint32_t i = 0; i < blocks.size(); ++i) ASSERT_EQ(*blocks[i], i) << "block " << i << " overlaps another";
  EXPECT_GT(VmStorageChunkCount(), before + 1);
  for (uint32_t* p : blocks) VmStorageFree(p);
  EXPECT_LE(VmStorageChunkCount(), before + 1);  // the class keeps one spare page
}

TEST(VmStorage, RefusesWhatNoScriptCanAddressAndIgnoresForeignPointers) {
  EXPECT_EQ(VmStorageAllocate(size_t{0x40000001}), nullptr);
  VmStorageFree(nullptr);
  std::vector<uint8_t> zeroes(128 * 1024);  // a 64 KB boundary inside, with no header of ours there
  uint8_t* boundary = reinterpret_cast<uint8_t*>((reinterpret_cast<uintptr_t>(zeroes.data()) + 0xFFFF) & ~uintptr_t{0xFFFF});
  VmStorageFree(boundary + 64);
}

}  // namespace
