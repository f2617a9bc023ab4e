// The tag records as the tag lists see them: where a record keeps the fields
// that a list shows and sorts, the order of two records by a list column,
// the type names (the client's), and a record array that sorts by that order.
//
// Two kinds of record are listed: the project's local tags (LocalTagRecord)
// and the server's tag attribute records (QB_TAGATTR), 256 bytes each. A text
// field is read up to its terminating zero but never past the field, so a
// record whose text fills its field is still read safely.
#pragma once
#include <windows.h>

#include "qel/qbtypes.h"
#include "qstring.h"
#include "recordbuffer.h"

// Byte offsets and sizes of the listed fields of one kind of record.
struct TagFieldLayout {
  int recordSize;
  int growStep;  // records added to the array whenever it is full
  int typeOffset;
  int nameOffset, nameSize;
  int descriptionOffset, descriptionSize;
  int unitOffset, unitSize;
  int initialValueOffset, initialValueSize;  // size 0: the record has none
  int systemOffset;                          // -1: the record has no system flag
  int markOffset;                            // the byte the list keeps its row mark in
};

// LocalTagRecord: grows by 128 records; the row mark in its row-mark byte.
extern const TagFieldLayout kLocalTagLayout;
// QB_TAGATTR: grows by 8,192 records; the row mark in the byte at 212.
extern const TagFieldLayout kServerTagLayout;

// The columns that sort: the same numbers in both lists.
enum TagSortColumn : int {
  kTagColumnName = 1,
  kTagColumnDescription = 2,
  kTagColumnUnit = 3,  // then the name
  kTagColumnType = 4,  // type code as a signed byte, then the name
};

// -1, 0 or 1 for ascending order, negated when ascending is 0. Texts compare
// as unsigned bytes; a column that does not sort compares equal.
int CompareTagRecords(const TagFieldLayout& layout, const void* a, const void* b, int ascending, int column);

// A text field of a record: up to its terminating zero or the field's end.
CString TagFieldText(const BYTE* record, int offset, int size);

// GetTagTypeName: the client's types (qel/qbtypes.h).

// A record array of one kind of tag record, ordered by CompareTagRecords.
class CTagRecordBuffer : public CRecordBuffer {
 public:
  explicit CTagRecordBuffer(const TagFieldLayout& layout) : m_layout(layout) {
    Init(layout.recordSize, layout.growStep);
  }
  int Compare(const void* a, const void* b, int ascending, int column) const override {
    return CompareTagRecords(m_layout, a, b, ascending, column);
  }
  const TagFieldLayout& Layout() const { return m_layout; }

 private:
  const TagFieldLayout& m_layout;
};
