// CMemFile: a file in memory, growable or over the caller's bytes.
#pragma once
#include "file.h"

class CMemFile : public CFile {
 public:
  enum : UINT { kDefaultGrowBytes = 1024 };

  // An empty growable file; its storage at least doubles when it grows, in
  // whole steps of nGrowBytes.
  explicit CMemFile(UINT nGrowBytes = kDefaultGrowBytes);
  // Attaches the caller's bytes without copying (see Attach).
  CMemFile(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes = 0);
  ~CMemFile() override;

  // Uses the caller's bytes as the file. nGrowBytes 0: the file is those
  // nBufferSize bytes (length nBufferSize) and can never grow past them.
  // nGrowBytes > 0: the file starts empty inside the buffer; once it must grow
  // past nBufferSize it moves to storage of its own (the caller's bytes are
  // then no longer touched). The caller's buffer is never freed by the file.
  void Attach(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes = 0);
  // Gives up the storage and returns it (length GetLength() before the call);
  // the file is empty afterwards. Storage the file allocated itself comes
  // from malloc: the caller frees it with free(). Attached caller bytes are
  // simply handed back.
  BYTE* Detach();

  BOOL Open(const char*, UINT, CFileException* pError = nullptr) override;  // not supported: FALSE
  UINT Read(void* lpBuf, UINT nCount) override;
  void Write(const void* lpBuf, UINT nCount) override;
  LONG Seek(LONG lOff, UINT nFrom) override;
  DWORD GetPosition() const override { return m_nPosition; }
  DWORD GetLength() const override { return m_nFileSize; }
  void SetLength(DWORD dwNewLen) override;
  void Flush() override {}
  void Close() override;
  void Abort() override { Close(); }

  // The bytes of the file (valid until the next write or Close).
  const BYTE* GetData() const { return m_lpBuffer; }

 private:
  void GrowTo(DWORD dwNewCapacity);
  void FreeOwned();

  UINT m_nGrowBytes;
  BYTE* m_lpBuffer = nullptr;
  DWORD m_nBufferSize = 0;  // capacity
  DWORD m_nFileSize = 0;
  DWORD m_nPosition = 0;
  bool m_bOwnsBuffer = true;
};
