// CLocalTagArray: the project's local tags, 256-byte records in a growable
// array with the local-tag order of the tag lists.
#pragma once
#include "localtag.h"
#include "tagrecords.h"

class CLocalTagArray : public CTagRecordBuffer {
 public:
  enum : int { kGrowStep = 128 };
  // Columns of the local-tag table that sort.
  enum Column : int {
    kColumnName = kTagColumnName,
    kColumnDescription = kTagColumnDescription,
    kColumnUnit = kTagColumnUnit,
    kColumnType = kTagColumnType,
  };

  CLocalTagArray() : CTagRecordBuffer(kLocalTagLayout) {}

  // Column 1 name, 2 description, 3 unit then name, 4 type code (signed) then
  // name, others equal. Texts compare as unsigned bytes. -1, 0 or 1 for
  // ascending order, negated when ascending is 0.
  static int CompareRecords(const void* a, const void* b, int ascending, int column) {
    return CompareTagRecords(kLocalTagLayout, a, b, ascending, column);
  }

  bool Append(const LocalTagRecord& rec) { return CRecordBuffer::Append(&rec); }
  LocalTagRecord* GetTag(int index) { return reinterpret_cast<LocalTagRecord*>(GetAt(index)); }
  const LocalTagRecord* GetTag(int index) const {
    return reinterpret_cast<const LocalTagRecord*>(GetAt(index));
  }
  // Index of the tag with exactly this name, or -1.
  int Find(const char* name) const;
};
