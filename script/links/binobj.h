// CBinObj: the code bytes of a compiled script, kept inside the picture file
// so that the runtime never compiles. The bytes are a code-byte file of the
// script compiler; this class only owns and stores them.
#pragma once
#include <windows.h>

#include <vector>

#include "object.h"

class CArchive;

class CBinObj : public CObject {
  DECLARE_SERIAL(CBinObj)

 public:
  CBinObj() = default;

  // Blobs this large or larger are neither stored nor loaded.
  static constexpr int kMaxSize = 0x400000;

  // A 32-bit size, then that many bytes; a size outside 1..kMaxSize-1 is
  // written as 0. Reading replaces the old buffer.
  void Serialize(CArchive& ar) override;

  bool IsEmpty() const { return m_bytes.empty(); }
  int GetSize() const { return static_cast<int>(m_bytes.size()); }
  const BYTE* GetData() const { return m_bytes.empty() ? nullptr : m_bytes.data(); }
  void SetData(const BYTE* data, int size);
  void Clear() { std::vector<BYTE>().swap(m_bytes); }
  // Empties the blob, then reads a whole file of 1 to kMaxSize - 1 bytes
  // into it; 0 (the blob empty) for any other length or a file error.
  int LoadFromFile(const char* pszPath);

 private:
  std::vector<BYTE> m_bytes;
};
