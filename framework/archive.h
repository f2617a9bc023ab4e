// CArchive: the object serialization stream of pictures, clones, undo copies
// and the clipboard.
//
// Bytes (little-endian, packed):
// - BYTE 1, WORD/short 2, int/LONG/DWORD/UINT/float 4, double 8 bytes;
// - string: length prefix then the bytes, no zero: L < 255 one byte L;
//   L < 65534 0xFF + word L; else 0xFF + word 0xFFFF + dword L;
// - count: word, or word 0xFFFF + dword when the count is 0xFFFF or more;
// - object reference: word 0 for null; an object already in the archive by its
//   index (word, or word 0x7FFF + dword when the index is 0x7FFF or more);
//   a new object as a class tag then its fields. Class tag of a class already
//   in the archive: word 0x8000|index (or word 0x7FFF + dword 0x80000000|index);
//   of a new class: word 0xFFFF, word schema, word name length, ASCII name.
//   One counter, starting at 1, numbers classes and objects alike: a new class
//   takes the next index when its record is written, a new object the next one
//   after its class tag and before its fields.
// The buffer size never changes the bytes.
//
// Loading rules (ownership and failure)
// -------------------------------------
// 1. ReadObject / `ar >> p` hands a NEW object to the caller, who owns it from
//    then on. A back-reference (an object already read) returns the same
//    pointer again; it does not transfer ownership (a shared, borrowed pointer).
// 2. ReadElement is the read of a collection element (CObList, CObArray and
//    the model's own lists use it): the element must be non-null and of the
//    required class, and it may not be an object that a collection of this
//    archive already owns, nor one whose own fields are still being read.
//    The collection takes ownership and holds it AT ONCE: a list being loaded
//    always holds every element read so far.
// 3. Every object is checked against the class the reader asks for (before it
//    is created when its class tag is read): another class is
//    CArchiveException::badClass.
// 4. A count or string length is checked against the bytes left in the stream
//    before anything is allocated (CheckAvailable): a count that the stream
//    cannot hold is CArchiveException::endOfFile.
// 5. When loading fails (any exception), the exception propagates to the
//    caller that opened the archive, and:
//    - an object whose fields were being read when the exception came, i.e.
//      one not yet handed to anybody, is deleted by the archive (its destructor
//      deletes what it owns already, e.g. a half-read layer's objects);
//    - objects already handed out (to fields or collections) belong to their
//      holders: the caller deletes the contents of the list or object it was
//      loading, exactly as it would after a successful load.
//    The framework's collections do NOT delete their elements; their owners
//    (layers, pictures, groups) do. After a failure the archive is unusable:
//    every further read throws CArchiveException::generic.
// 6. Objects nest (an object's fields hold object references, whose fields
//    hold more): each level is one more call level on the stack. No more than
//    kMaxNesting objects may have their fields written or read at once; the
//    object that would go deeper is CArchiveException::tooDeep, before it is
//    created (loading) or before anything of it is written (storing), so a
//    stream that could not be read back is never written either.
#pragma once
#include <windows.h>

#include <cstring>
#include <type_traits>
#include <vector>

#include "addrindex.h"
#include "exceptions.h"
#include "object.h"
#include "qstring.h"

class CFile;

class CArchive {
 public:
  enum Mode : UINT { store = 0, load = 1 };
  enum : int { kDefaultBufferSize = 4096 };
  // Rule 6. The deepest stream of the system, a picture, nests a layer, at
  // most 64 levels of groups (CDrawGroup::kMaxNesting), a leaf object and its
  // links; each level costs a few hundred bytes of stack.
  static constexpr int kMaxNesting = 100;

  // The archive does not own the file. bufSize below 1 is taken as 1.
  CArchive(CFile* pFile, UINT nMode, int nBufSize = kDefaultBufferSize);
  // Flushes a storing archive that was not closed (write errors are then
  // lost: call Close() to see them).
  ~CArchive();
  CArchive(const CArchive&) = delete;
  CArchive& operator=(const CArchive&) = delete;

  BOOL IsStoring() const { return m_nMode == store; }
  BOOL IsLoading() const { return m_nMode == load; }
  CFile* GetFile() const { return m_pFile; }

  // Writes buffered bytes to the file (storing); on loading, gives back to the
  // file the bytes read ahead, so the file position is just after the last
  // byte consumed.
  void Flush();
  // Flush, then detach from the file. Idempotent.
  void Close();

  // Raw bytes. Read is exact: fewer than nMax bytes left is endOfFile.
  void Write(const void* lpBuf, UINT nMax);
  UINT Read(void* lpBuf, UINT nMax);
  // Bytes still to be read (buffered + in the file); loading only.
  ULONGLONG GetBytesLeft();
  // Throws endOfFile unless at least nBytes are left to read.
  void CheckAvailable(ULONGLONG nBytes);

  CArchive& operator<<(BYTE v) { return WriteValue(v); }
  CArchive& operator<<(char v) { return WriteValue(v); }
  CArchive& operator<<(WORD v) { return WriteValue(v); }
  CArchive& operator<<(short v) { return WriteValue(v); }
  CArchive& operator<<(int v) { return WriteValue(v); }
  CArchive& operator<<(LONG v) { return WriteValue(v); }
  CArchive& operator<<(DWORD v) { return WriteValue(v); }
  CArchive& operator<<(UINT v) { return WriteValue(v); }
  CArchive& operator<<(float v) { return WriteValue(v); }
  CArchive& operator<<(double v) { return WriteValue(v); }
  CArchive& operator<<(const CString& s) {
    WriteString(s);
    return *this;
  }
  CArchive& operator<<(const char* psz) {
    WriteString(CString(psz));
    return *this;
  }
  CArchive& operator<<(const CObject* pOb) {
    WriteObject(pOb);
    return *this;
  }
  CArchive& operator<<(bool) = delete;  // say BYTE or BOOL: the width is part of the file

  CArchive& operator>>(BYTE& v) { return ReadValue(v); }
  CArchive& operator>>(char& v) { return ReadValue(v); }
  CArchive& operator>>(WORD& v) { return ReadValue(v); }
  CArchive& operator>>(short& v) { return ReadValue(v); }
  CArchive& operator>>(int& v) { return ReadValue(v); }
  CArchive& operator>>(LONG& v) { return ReadValue(v); }
  CArchive& operator>>(DWORD& v) { return ReadValue(v); }
  CArchive& operator>>(UINT& v) { return ReadValue(v); }
  CArchive& operator>>(float& v) { return ReadValue(v); }
  CArchive& operator>>(double& v) { return ReadValue(v); }
  CArchive& operator>>(CString& s) {
    s = ReadString();
    return *this;
  }

  void WriteString(const CString& s);
  CString ReadString();

  void WriteCount(DWORD dwCount);
  // A count, checked against the bytes left: the caller promises that each
  // counted item takes at least nMinItemBytes bytes in the stream.
  DWORD ReadCount(UINT nMinItemBytes = 1);

  // An object reference (rule 1 above). pRequired null accepts any class.
  void WriteObject(const CObject* pOb);
  CObject* ReadObject(const CRuntimeClass* pRequired);
  // A collection element (rule 2 above): never null, of class pRequired, owned
  // by the caller's collection from the moment it returns.
  CObject* ReadElement(const CRuntimeClass* pRequired);

  // Class records alone (used by the object references).
  void WriteClass(const CRuntimeClass* pClass);
  CRuntimeClass* ReadClass(const CRuntimeClass* pRequired = nullptr);

  // For CFile/CMemFile: the archive's buffer size.
  int GetBufferSize() const { return (int)m_buf.size(); }

  // Throws the archive exception of that cause, naming the archive's file:
  // for a reader whose fields hold something impossible.
  [[noreturn]] void Fail(int cause);

 private:
  enum class LoadState : BYTE { loading, handedOut, ownedByCollection };
  struct LoadEntry {
    CRuntimeClass* pClass = nullptr;  // set for a class entry
    CObject* pObject = nullptr;       // set for an object entry
    LoadState state = LoadState::loading;
  };

  // A value goes straight into (comes straight out of) the buffer when it
  // fits; everything else (a flush, a refill, a closed or failed archive, the
  // wrong direction) takes the checked path of Write and Read.
  template <class T>
  CArchive& WriteValue(T v) {
    if (!PutBuffered(&v, sizeof v)) Write(&v, sizeof v);
    return *this;
  }
  template <class T>
  CArchive& ReadValue(T& v) {
    if (!TakeBuffered(&v, sizeof v)) Read(&v, sizeof v);
    return *this;
  }
  // nBytes > 0. m_nWriteEnd is 0 unless the archive stores and is open, and a
  // loading archive's m_end is 0 once it is closed, so neither can pass in the
  // wrong state.
  bool PutBuffered(const void* p, UINT nBytes) {
    if (m_cur + (ULONGLONG)nBytes > m_nWriteEnd) return false;
    std::memcpy(m_buf.data() + m_cur, p, nBytes);
    m_cur += nBytes;
    return true;
  }
  bool TakeBuffered(void* p, UINT nBytes) {
    if (!IsBuffered(nBytes)) return false;
    std::memcpy(p, m_buf.data() + m_cur, nBytes);
    m_cur += nBytes;
    return true;
  }
  // The next nBytes are read ahead already (and the archive may be read).
  bool IsBuffered(UINT nBytes) const { return !m_failed && m_cur + (ULONGLONG)nBytes <= m_end; }

  void RequireStoring();
  void RequireLoading();
  void FillBuffer();
  void FlushWriteBuffer();
  // Rule 6: counts one more object whose fields are being written or read.
  class NestingLevel;

  void WriteIndexTag(DWORD index, bool isClass);
  CObject* ReadReference(const CRuntimeClass* pRequired, bool asElement);
  CRuntimeClass* ReadNewClassRecord();
  CRuntimeClass* ClassAt(DWORD index);
  CObject* LoadNewObject(CRuntimeClass* pClass, bool asElement);
  DWORD NextIndex();

  CFile* m_pFile;
  UINT m_nMode;
  bool m_failed = false;
  int m_nNesting = 0;  // objects whose fields are being written or read now
  std::vector<BYTE> m_buf;
  UINT m_cur = 0;        // next byte to read or write in m_buf
  UINT m_end = 0;        // loading: end of the valid bytes in m_buf
  UINT m_nWriteEnd = 0;  // storing and open: the buffer's size; else 0

  // Storing: objects and classes written so far, by address.
  CAddressIndex m_storeMap;
  DWORD m_nextStoreIndex = 1;
  // Loading: entry i is index i (entry 0 stands for null).
  std::vector<LoadEntry> m_loadTable;
};

// `ar >> pTyped`: reads an object reference (ReadObject) of T's class.
template <class T, class = std::enable_if_t<std::is_base_of_v<CObject, T>>>
CArchive& operator>>(CArchive& ar, T*& pOb) {
  pOb = static_cast<T*>(ar.ReadObject(T::GetThisClass()));
  return ar;
}
