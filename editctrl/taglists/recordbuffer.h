// CRecordBuffer: a growable array of fixed-size records (local tags, tag
// attribute records), owned by its holder. It grows in whole steps: when full,
// a block of (capacity + step) records replaces the old one. A record for
// which no memory can be had is not added; the caller goes on with the next.
#pragma once
#include <windows.h>

class CRecordBuffer {
 public:
  CRecordBuffer() = default;
  virtual ~CRecordBuffer();
  CRecordBuffer(const CRecordBuffer&) = delete;
  CRecordBuffer& operator=(const CRecordBuffer&) = delete;

  // Order of two records for the list column: negative, 0 or positive, negated
  // when ascending is 0.
  virtual int Compare(const void* a, const void* b, int ascending, int column) const = 0;
  // Record size in bytes and grow step in records; for an empty array.
  virtual void Init(int recordSize, int growStep);

  // Copies one record to the end; false when the block could not grow.
  bool Append(const void* record);
  // Removes record i; those after it move up by one. False for a bad index.
  bool RemoveAt(int index);
  // Count 0; the storage stays.
  void Clear() { m_count = 0; }

  int GetCount() const { return m_count; }
  int GetCapacity() const { return m_capacity; }
  int GetRecordSize() const { return m_recordSize; }
  // Record i, or null for an index outside 0 to count - 1.
  BYTE* GetAt(int index);
  const BYTE* GetAt(int index) const;

 private:
  bool Grow();

  BYTE* m_data = nullptr;
  int m_capacity = 0;
  int m_count = 0;
  int m_growStep = 0;
  int m_recordSize = 0;
};
