// The in-place quicksort of whole fixed-size records that the tag lists sort
// their arrays with, ordered by a record array's own comparator.
#pragma once
#include "recordbuffer.h"

// Sorts count records of recordSize bytes at records by
// comparator.Compare(a, b, ascending, column). Nothing happens with fewer
// than two records or a record size of 0. Records that compare equal keep no
// particular order.
void QuickSortRecords(const CRecordBuffer& comparator, void* records, int count, int recordSize,
                      int ascending, int column);

// The whole array sorted in place by its own comparator.
void SortRecords(CRecordBuffer& records, int ascending, int column);
