#include "recordbuffer.h"

#include <cstdlib>
#include <cstring>

CRecordBuffer::~CRecordBuffer() {
  std::free(m_data);
  m_data = nullptr;
  m_capacity = m_count = m_growStep = 0;
}

void CRecordBuffer::Init(int recordSize, int growStep) {
  m_recordSize = recordSize > 0 ? recordSize : 1;
  m_growStep = growStep > 0 ? growStep : 1;
  m_capacity = 0;
  m_count = 0;
}

bool CRecordBuffer::Grow() {
  if (m_recordSize <= 0 || m_growStep <= 0) return false;
  const long long newCapacity = (long long)m_capacity + m_growStep;
  const long long bytes = newCapacity * m_recordSize;
  if (newCapacity > 0x7FFFFFFF || bytes > 0x7FFFFFFF) return false;
  BYTE* block = static_cast<BYTE*>(std::malloc((size_t)bytes));
  if (!block) return false;
  if (m_count > 0) std::memcpy(block, m_data, (size_t)m_count * m_recordSize);
  std::free(m_data);
  m_data = block;
  m_capacity = (int)newCapacity;
  return true;
}

bool CRecordBuffer::Append(const void* record) {
  if (!record) return false;
  if (m_count >= m_capacity && !Grow()) return false;
  std::memcpy(m_data + (size_t)m_count * m_recordSize, record, m_recordSize);
  ++m_count;
  return true;
}

bool CRecordBuffer::RemoveAt(int index) {
  if (index < 0 || index >= m_count) return false;
  BYTE* at = m_data + (size_t)index * m_recordSize;
  std::memmove(at, at + m_recordSize, (size_t)(m_count - index - 1) * m_recordSize);
  --m_count;
  return true;
}

BYTE* CRecordBuffer::GetAt(int index) {
  return index >= 0 && index < m_count ? m_data + (size_t)index * m_recordSize : nullptr;
}

const BYTE* CRecordBuffer::GetAt(int index) const {
  return index >= 0 && index < m_count ? m_data + (size_t)index * m_recordSize : nullptr;
}
