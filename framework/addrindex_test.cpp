// The archive's index of stored objects by address.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "addrindex.h"

namespace {

TEST(AddressIndex, FindsEveryNumberGivenAndNothingElse) {
  // Neighbours, and addresses 64 KB and 2 MB apart (the same low bits).
  std::vector<const void*> keys;
  for (uintptr_t i = 1; i <= 3000; ++i) keys.push_back(reinterpret_cast<const void*>(0x01000000 + i * 48));
  for (uintptr_t i = 1; i <= 3000; ++i) keys.push_back(reinterpret_cast<const void*>(i << 16));
  for (uintptr_t i = 1; i <= 1000; ++i) keys.push_back(reinterpret_cast<const void*>((i << 21) + 8));
  CAddressIndex index;
  EXPECT_EQ(index.Find(keys[0]), 0u);
  for (size_t i = 0; i < keys.size(); ++i) index.Insert(keys[i], (DWORD)(i + 1));
  EXPECT_EQ(index.GetCount(), keys.size());
  for (size_t i = 0; i < keys.size(); ++i) ASSERT_EQ(index.Find(keys[i]), i + 1) << i;
  EXPECT_EQ(index.Find(reinterpret_cast<const void*>(0x01000000 + 4)), 0u);
  EXPECT_EQ(index.Find(reinterpret_cast<const void*>(0x7FFF0004)), 0u);
}

}  // namespace
