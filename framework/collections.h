// Collections: CObList, CObArray, CPtrArray, CDWordArray, CStringArray and
// CMapStringToPtr.
//
// None of them owns what its elements point to: a layer deletes its draw
// objects itself. Out-of-range indexes throw std::out_of_range.
//
// Serializing object lists and arrays: Serialize(ar, pRequired) stores a count
// and one object reference per element; loading appends each element as soon
// as it is read (CArchive::ReadElement), so after a failed load the list holds
// every element read so far and its owner deletes them as usual. Every loaded
// element must be non-null and of class pRequired (CArchiveException::badClass
// otherwise). Plain Serialize(ar) requires only CObject.
#pragma once
#include <windows.h>

#include <vector>

#include "object.h"
#include "qstring.h"

struct QelPosition;
typedef QelPosition* POSITION;  // an opaque place in a list or map; null ends a walk

class CObList : public CObject {
  DECLARE_SERIAL(CObList)
 public:
  // Nodes are made in blocks, the first of nBlockSize nodes, each next one
  // twice as big (up to kMaxBlockNodes); a removed node is kept for the next
  // insertion, and the blocks go back when the list becomes empty.
  explicit CObList(int nBlockSize = 10);
  ~CObList() override;
  CObList(const CObList&) = delete;
  CObList& operator=(const CObList&) = delete;

  int GetCount() const { return m_nCount; }
  int GetSize() const { return m_nCount; }
  BOOL IsEmpty() const { return m_nCount == 0; }

  CObject*& GetHead();
  CObject* GetHead() const;
  CObject*& GetTail();
  CObject* GetTail() const;
  CObject* RemoveHead();  // the list must not be empty (else std::out_of_range)
  CObject* RemoveTail();
  POSITION AddHead(CObject* newElement);
  POSITION AddTail(CObject* newElement);
  void AddHead(CObList* pNewList);
  void AddTail(CObList* pNewList);
  void RemoveAll();

  POSITION GetHeadPosition() const;
  POSITION GetTailPosition() const;
  // The element at rPosition; rPosition moves to the next (previous) one.
  CObject*& GetNext(POSITION& rPosition);
  CObject* GetNext(POSITION& rPosition) const;
  CObject*& GetPrev(POSITION& rPosition);
  CObject* GetPrev(POSITION& rPosition) const;
  CObject*& GetAt(POSITION position);
  CObject* GetAt(POSITION position) const;
  void SetAt(POSITION pos, CObject* newElement);
  void RemoveAt(POSITION position);
  POSITION InsertBefore(POSITION position, CObject* newElement);  // null position: at the head
  POSITION InsertAfter(POSITION position, CObject* newElement);   // null position: at the tail

  // The first position at or after startAfter's successor (null: from the head) holding it.
  POSITION Find(const CObject* searchValue, POSITION startAfter = nullptr) const;
  // The position of the nIndex-th element (0-based), or null.
  POSITION FindIndex(int nIndex) const;

  void Serialize(CArchive& ar) override;
  void Serialize(CArchive& ar, const CRuntimeClass* pRequired);

 private:
  struct Node;
  static constexpr int kMaxBlockNodes = 4096;
  static Node* NodeOf(POSITION pos);
  Node* NewNode(Node* pNext, Node* pPrev, CObject* data);
  void FreeNode(Node* n);
  void FreeBlocks();
  Node* m_pHead = nullptr;
  Node* m_pTail = nullptr;
  int m_nCount = 0;
  Node* m_pFree = nullptr;    // removed nodes, linked through pNext
  Node* m_pBlocks = nullptr;  // the blocks, each one's first node links the next
  int m_nBlockSize;           // nodes of the next block
  int m_nFirstBlockSize;
};

// The shared behaviour of the arrays: a vector behind the classic array interface.
template <class T>
class CTypedArrayBase {
 public:
  int GetSize() const { return (int)m_data.size(); }
  int GetCount() const { return (int)m_data.size(); }
  int GetUpperBound() const { return (int)m_data.size() - 1; }
  BOOL IsEmpty() const { return m_data.empty(); }
  // nGrowBy is accepted for familiarity only.
  void SetSize(int nNewSize, int nGrowBy = -1);
  int Add(T newElement) {
    m_data.push_back(newElement);
    return (int)m_data.size() - 1;
  }
  T GetAt(int nIndex) const { return m_data[Checked(nIndex, m_data.size())]; }
  void SetAt(int nIndex, T newElement) { m_data[Checked(nIndex, m_data.size())] = newElement; }
  T& ElementAt(int nIndex) { return m_data[Checked(nIndex, m_data.size())]; }
  T& operator[](int nIndex) { return ElementAt(nIndex); }
  T operator[](int nIndex) const { return GetAt(nIndex); }
  // Grows the array when nIndex lies beyond its end.
  void SetAtGrow(int nIndex, T newElement);
  void InsertAt(int nIndex, T newElement, int nCount = 1);
  void RemoveAt(int nIndex, int nCount = 1);
  void RemoveAll() { m_data.clear(); }
  T* GetData() { return m_data.empty() ? nullptr : m_data.data(); }
  const T* GetData() const { return m_data.empty() ? nullptr : m_data.data(); }

 protected:
  static size_t Checked(int nIndex, size_t nLimit);
  std::vector<T> m_data;
};

class CObArray : public CObject, public CTypedArrayBase<CObject*> {
  DECLARE_SERIAL(CObArray)
 public:
  CObArray() = default;
  CObArray(const CObArray&) = delete;
  CObArray& operator=(const CObArray&) = delete;
  // Loading sizes the array to the count first (every slot null), then fills
  // it in order; after a failed load the slots not reached stay null.
  void Serialize(CArchive& ar) override;
  void Serialize(CArchive& ar, const CRuntimeClass* pRequired);
};

class CPtrArray : public CTypedArrayBase<void*> {};

class CDWordArray : public CObject, public CTypedArrayBase<DWORD> {
  DECLARE_SERIAL(CDWordArray)
 public:
  void Serialize(CArchive& ar) override;  // count, then 4 bytes per element
};

class CStringArray : public CObject, public CTypedArrayBase<CString> {
  DECLARE_SERIAL(CStringArray)
 public:
  int Add(const CString& s) {
    m_data.push_back(s);
    return (int)m_data.size() - 1;
  }
  int Add(const char* psz) { return Add(CString(psz)); }
  void Serialize(CArchive& ar) override;  // count, then one string per element
};

// A hash map from strings (case-sensitive bytes) to pointers.
class CMapStringToPtr {
 public:
  explicit CMapStringToPtr(int nBlockSize = 10);
  ~CMapStringToPtr();
  CMapStringToPtr(const CMapStringToPtr&) = delete;
  CMapStringToPtr& operator=(const CMapStringToPtr&) = delete;

  int GetCount() const { return m_nCount; }
  int GetSize() const { return m_nCount; }
  BOOL IsEmpty() const { return m_nCount == 0; }

  BOOL Lookup(const char* key, void*& rValue) const;
  // The value slot of key, created (null) when missing.
  void*& operator[](const char* key);
  void SetAt(const char* key, void* newValue) { (*this)[key] = newValue; }
  BOOL RemoveKey(const char* key);
  void RemoveAll();

  // Walks every entry once, in no particular order.
  POSITION GetStartPosition() const;
  void GetNextAssoc(POSITION& rNextPosition, CString& rKey, void*& rValue) const;

 private:
  struct Assoc;
  static UINT HashKey(const char* key);
  Assoc* Find(const char* key, UINT& nBucket) const;
  void Rehash(UINT nNewBuckets);
  std::vector<Assoc*> m_buckets;
  int m_nCount = 0;
};

// ---- template members ----

[[noreturn]] void QelThrowIndexOutOfRange();  // throws std::out_of_range

template <class T>
size_t CTypedArrayBase<T>::Checked(int nIndex, size_t nLimit) {
  if (nIndex < 0 || (size_t)nIndex >= nLimit) QelThrowIndexOutOfRange();
  return (size_t)nIndex;
}

template <class T>
void CTypedArrayBase<T>::SetSize(int nNewSize, int) {
  m_data.resize(nNewSize < 0 ? 0 : (size_t)nNewSize, T());
}

template <class T>
void CTypedArrayBase<T>::SetAtGrow(int nIndex, T newElement) {
  if (nIndex < 0) QelThrowIndexOutOfRange();
  if ((size_t)nIndex >= m_data.size()) m_data.resize((size_t)nIndex + 1, T());
  m_data[(size_t)nIndex] = newElement;
}

template <class T>
void CTypedArrayBase<T>::InsertAt(int nIndex, T newElement, int nCount) {
  if (nIndex < 0 || nCount < 0) QelThrowIndexOutOfRange();
  if ((size_t)nIndex > m_data.size()) m_data.resize((size_t)nIndex, T());
  m_data.insert(m_data.begin() + nIndex, (size_t)nCount, newElement);
}

template <class T>
void CTypedArrayBase<T>::RemoveAt(int nIndex, int nCount) {
  if (nIndex < 0 || nCount < 0 || (size_t)nIndex + (size_t)nCount > m_data.size()) QelThrowIndexOutOfRange();
  m_data.erase(m_data.begin() + nIndex, m_data.begin() + nIndex + nCount);
}
