// A range of more than eight records is split around its middle record,
// which is swapped to the range's front as the pivot; the smaller part is
// sorted first and the larger one waits on an explicit stack, so the stack
// never holds more than one range per halving. A range of at most eight
// records is finished by moving its largest record to its end, repeatedly.
#include "recordsort.h"

#include <algorithm>

namespace {

constexpr int kShortRange = 8;
// One pending range per halving of at most 2^31 records.
constexpr int kStackDepth = 32;

class RecordRange {
 public:
  RecordRange(const CRecordBuffer& comparator, BYTE* records, int size, int ascending, int column)
      : m_comparator(comparator),
        m_records(records),
        m_size(size),
        m_ascending(ascending),
        m_column(column) {}

  int Compare(int a, int b) const { return m_comparator.Compare(At(a), At(b), m_ascending, m_column); }
  void Swap(int a, int b) {
    if (a != b) std::swap_ranges(At(a), At(a) + m_size, At(b));
  }

  // Selection of the largest record, moved to the end, for a short range.
  void ShortSort(int low, int high) {
    for (int end = high; end > low; --end) {
      int largest = low;
      for (int i = low + 1; i <= end; ++i)
        if (Compare(i, largest) > 0) largest = i;
      Swap(largest, end);
    }
  }

  // Partitions around the middle record; returns the pivot's final place.
  int Partition(int low, int high) {
    Swap(low, low + (high - low + 1) / 2);
    int i = low, j = high + 1;
    for (;;) {
      do ++i;
      while (i <= high && Compare(i, low) < 0);
      do --j;
      while (Compare(j, low) > 0);
      if (j < i) break;
      Swap(i, j);
    }
    Swap(low, j);
    return j;
  }

 private:
  BYTE* At(int i) const { return m_records + (size_t)i * m_size; }

  const CRecordBuffer& m_comparator;
  BYTE* m_records;
  int m_size;
  int m_ascending;
  int m_column;
};

}  // namespace

void QuickSortRecords(const CRecordBuffer& comparator, void* records, int count, int recordSize,
                      int ascending, int column) {
  if (!records || count < 2 || recordSize <= 0) return;
  RecordRange range(comparator, static_cast<BYTE*>(records), recordSize, ascending, column);
  int lows[kStackDepth], highs[kStackDepth];
  int depth = 0;
  int low = 0, high = count - 1;
  for (;;) {
    if (high - low + 1 <= kShortRange) {
      range.ShortSort(low, high);
      if (depth == 0) return;
      --depth;
      low = lows[depth];
      high = highs[depth];
      continue;
    }
    const int pivot = range.Partition(low, high);
    // The larger part waits; the smaller one goes on at once.
    if (pivot - low < high - pivot) {
      lows[depth] = pivot + 1;
      highs[depth] = high;
      high = pivot - 1;
    } else {
      lows[depth] = low;
      highs[depth] = pivot - 1;
      low = pivot + 1;
    }
    ++depth;
  }
}

void SortRecords(CRecordBuffer& records, int ascending, int column) {
  QuickSortRecords(records, records.GetAt(0), records.GetCount(), records.GetRecordSize(), ascending, column);
}
