// The index of a machine's live storage regions by address: which region, if
// any, holds an address. Every access through a script's address asks it, so
// a lookup must stay fast however many regions a hostile script makes: the
// regions are kept sorted in buckets of a few hundred contiguous entries
// under one short vector of the buckets' first addresses (a two-level
// B-tree), so a lookup reads two small sorted arrays instead of chasing one
// tree node per level through the heap.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

struct VmRegion {
  uintptr_t start;
  uint32_t size;   // at most VmMemoryMap::kMaxTotalBytes
  uint32_t cells;  // 1 for a block of cells, 0 for an array's buffer
};

class VmRegionIndex {
 public:
  // Adds a region that overlaps none of the others; false when there is no
  // memory for the entry.
  bool Insert(const VmRegion& region);
  // Removes the region that starts at `start`; false when there is none.
  bool Erase(uintptr_t start, VmRegion* removed);
  // The region that holds `address`, or null.
  const VmRegion* Find(uintptr_t address) const;
  // Whether the `size` bytes at `address` lie in the array buffer found last
  // (inline: a loop over an array asks this at every element).
  bool InLastBuffer(uintptr_t address, size_t size) const {
    return !last_.cells && address - last_.start < last_.size && size <= last_.size - (address - last_.start);
  }

 private:
  static constexpr size_t kSplitAt = 512;  // a bucket that reaches this splits in two

  // The bucket whose first start is the last at or below `address`; -1 when
  // every bucket starts above it.
  ptrdiff_t BucketOf(uintptr_t address) const;
  // Moves the upper half of a full bucket into a new bucket after it.
  void Split(size_t b);

  std::vector<std::vector<VmRegion>> buckets_;
  std::vector<uintptr_t> firsts_;  // the first start of each bucket
  // The region found last: a loop over an array asks for the same region
  // again and again. Forgotten whenever a region is added or removed.
  mutable VmRegion last_ = {0, 0, 0};
};
