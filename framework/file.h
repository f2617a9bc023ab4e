// CFile: a Win32 file (CreateFileA); CMemFile (memfile.h): a file in memory.
//
// Failures throw CFileException (Open can report through its out parameter
// instead); CMemFile throws CMemoryException when it cannot grow.
// Positions and lengths are 32-bit: pictures and projects are small.
#pragma once
#include <windows.h>

#include <cstddef>

#include "exceptions.h"
#include "qstring.h"

// Whether `bytes` can be the length of a file here. Lengths are 32-bit in
// both flavours; memory in the 64-bit flavour can hold more (a whole file
// read in, a clipboard block), which must not pass for its low 32 bits.
inline bool FitsFileLength(size_t bytes) { return sizeof bytes == 4 || bytes <= 0xFFFFFFFFu; }

class CFile {
 public:
  enum OpenFlags : UINT {
    modeRead = 0x0000,
    modeWrite = 0x0001,
    modeReadWrite = 0x0002,
    shareCompat = 0x0000,
    shareExclusive = 0x0010,
    shareDenyWrite = 0x0020,
    shareDenyRead = 0x0030,
    shareDenyNone = 0x0040,
    modeNoInherit = 0x0080,
    modeCreate = 0x1000,
    modeNoTruncate = 0x2000,
    typeText = 0x4000,  // accepted and ignored: every file is binary
    typeBinary = 0x8000,
  };
  enum SeekPosition : UINT { begin = 0, current = 1, end = 2 };

  CFile() = default;
  // Opens or throws CFileException.
  CFile(const char* lpszFileName, UINT nOpenFlags);
  virtual ~CFile();  // closes; errors are ignored here
  CFile(const CFile&) = delete;
  CFile& operator=(const CFile&) = delete;

  // FALSE on failure, with the cause in *pError when given.
  virtual BOOL Open(const char* lpszFileName, UINT nOpenFlags, CFileException* pError = nullptr);
  // Bytes read; fewer than nCount only at the end of the file.
  virtual UINT Read(void* lpBuf, UINT nCount);
  virtual void Write(const void* lpBuf, UINT nCount);
  // The new position from the file's start.
  virtual LONG Seek(LONG lOff, UINT nFrom);
  void SeekToBegin() { Seek(0, begin); }
  DWORD SeekToEnd() { return (DWORD)Seek(0, end); }
  virtual DWORD GetPosition() const;
  virtual DWORD GetLength() const;
  // Cuts or extends the file; the position stays where it was.
  virtual void SetLength(DWORD dwNewLen);
  virtual void Flush();
  virtual void Close();
  // Closes without throwing.
  virtual void Abort();

  CString GetFilePath() const { return m_strFileName; }
  HANDLE GetHandle() const { return m_hFile; }
  bool IsOpen() const { return m_hFile != INVALID_HANDLE_VALUE; }

 protected:
  [[noreturn]] void ThrowLastError() const;

  HANDLE m_hFile = INVALID_HANDLE_VALUE;
  CString m_strFileName;
};

// Tests of a full disk: while it lives, the CFile writes of this module
// write `bytes` more bytes in all, then fail as on a full disk (the write
// that reaches the limit writes its bytes up to it, as WriteFile does when
// the disk fills). CMemFile is not limited.
class CFileWriteLimit {
 public:
  explicit CFileWriteLimit(DWORD bytes);
  ~CFileWriteLimit();
  CFileWriteLimit(const CFileWriteLimit&) = delete;
  CFileWriteLimit& operator=(const CFileWriteLimit&) = delete;
};

// CMemFile lives in its own header; everyone who includes file.h gets it.
#include "memfile.h"
