#include "scriptpending.h"

#include <algorithm>

void CPendingColours::Add(long start, long end) {
  if (start >= end) return;
  std::vector<std::pair<long, long>> merged;
  merged.reserve(m_ranges.size() + 1);
  bool placed = false;
  for (const auto& range : m_ranges) {
    if (range.second < start) {
      merged.push_back(range);
    } else if (range.first > end) {
      if (!placed) merged.emplace_back(start, end);
      placed = true;
      merged.push_back(range);
    } else {  // overlapping or touching: one range
      start = std::min(start, range.first);
      end = std::max(end, range.second);
    }
  }
  if (!placed) merged.emplace_back(start, end);
  m_ranges.swap(merged);
}

void CPendingColours::Remove(long start, long end) {
  if (start >= end) return;
  std::vector<std::pair<long, long>> kept;
  kept.reserve(m_ranges.size() + 1);
  for (const auto& range : m_ranges) {
    if (range.first < start) kept.emplace_back(range.first, std::min(range.second, start));
    if (range.second > end) kept.emplace_back(std::max(range.first, end), range.second);
  }
  m_ranges.swap(kept);
}

void CPendingColours::Edit(const ScriptEditRange& edit) {
  const long shift = edit.newEnd - edit.oldEnd;
  // A range's start within the replaced characters moves to their start, its
  // end to the end of what replaced them.
  const auto startOf = [&](long at) {
    return at < edit.first ? at : at >= edit.oldEnd && at > edit.first ? at + shift : edit.first;
  };
  const auto endOf = [&](long at) {
    return at <= edit.first ? at : at >= edit.oldEnd ? at + shift : edit.newEnd;
  };
  const std::vector<std::pair<long, long>> old = std::move(m_ranges);
  m_ranges.clear();
  for (const auto& range : old) Add(startOf(range.first), endOf(range.second));
}

bool CPendingColours::FirstIn(long from, long to, long& start, long& end) const {
  for (const auto& range : m_ranges) {
    if (range.second <= from) continue;
    if (range.first >= to) return false;
    start = std::max(range.first, from);
    end = std::min(range.second, to);
    return true;
  }
  return false;
}
