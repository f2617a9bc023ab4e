#include "vmregions.h"

#include <algorithm>
#include <new>

namespace {

bool StartsBelow(uintptr_t address, const VmRegion& r) { return address < r.start; }

}  // namespace

ptrdiff_t VmRegionIndex::BucketOf(uintptr_t address) const {
  return std::upper_bound(firsts_.begin(), firsts_.end(), address) - firsts_.begin() - 1;
}

const VmRegion* VmRegionIndex::Find(uintptr_t address) const {
  if (address - last_.start < last_.size) return &last_;
  const ptrdiff_t b = BucketOf(address);
  if (b < 0) return nullptr;
  const std::vector<VmRegion>& bucket = buckets_[b];
  // The bucket's first region starts at or below the address: the candidate exists.
  const VmRegion& r = *(std::upper_bound(bucket.begin(), bucket.end(), address, StartsBelow) - 1);
  if (address - r.start >= r.size) return nullptr;
  last_ = r;
  return &last_;
}

bool VmRegionIndex::Insert(const VmRegion& region) {
  last_ = VmRegion{0, 0, 0};
  try {
    if (buckets_.empty()) {
      firsts_.reserve(1);
      buckets_.emplace_back(1, region);
      firsts_.push_back(region.start);
      return true;
    }
    const size_t b = static_cast<size_t>(std::max<ptrdiff_t>(BucketOf(region.start), 0));
    std::vector<VmRegion>& bucket = buckets_[b];
    bucket.insert(std::upper_bound(bucket.begin(), bucket.end(), region.start, StartsBelow), region);
    firsts_[b] = bucket.front().start;
    if (bucket.size() >= kSplitAt) Split(b);
  } catch (const std::bad_alloc&) {
    // The entry may be in its bucket already; the caller frees the region,
    // so it must not stay findable.
    VmRegion ignored;
    Erase(region.start, &ignored);
    return false;
  }
  return true;
}

void VmRegionIndex::Split(size_t b) {
  // Everything that can fail comes before the first change.
  buckets_.reserve(buckets_.size() + 1);
  firsts_.reserve(firsts_.size() + 1);
  std::vector<VmRegion> upper(buckets_[b].begin() + kSplitAt / 2, buckets_[b].end());
  firsts_.insert(firsts_.begin() + b + 1, upper.front().start);
  buckets_.insert(buckets_.begin() + b + 1, std::move(upper));
  buckets_[b].resize(kSplitAt / 2);
}

bool VmRegionIndex::Erase(uintptr_t start, VmRegion* removed) {
  last_ = VmRegion{0, 0, 0};
  const ptrdiff_t b = BucketOf(start);
  if (b < 0) return false;
  std::vector<VmRegion>& bucket = buckets_[b];
  auto it = std::upper_bound(bucket.begin(), bucket.end(), start, StartsBelow) - 1;
  if (it->start != start) return false;
  *removed = *it;
  bucket.erase(it);
  if (bucket.empty()) {
    buckets_.erase(buckets_.begin() + b);
    firsts_.erase(firsts_.begin() + b);
  } else {
    firsts_[b] = bucket.front().start;
  }
  return true;
}
