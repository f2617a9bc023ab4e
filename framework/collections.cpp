// CObList, the serializable arrays and CMapStringToPtr.
#include "collections.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

#include "archive.h"

IMPLEMENT_SERIAL(CObList, CObject, 0)
IMPLEMENT_SERIAL(CObArray, CObject, 0)
IMPLEMENT_SERIAL(CDWordArray, CObject, 0)
IMPLEMENT_SERIAL(CStringArray, CObject, 0)

// Called by CRuntimeClass::FromName: names the framework's own classes so that
// their object file is always linked and registered.
void QelRegisterFrameworkClasses() {
  static CRuntimeClass* const classes[] = {RUNTIME_CLASS(CObList), RUNTIME_CLASS(CObArray),
                                           RUNTIME_CLASS(CDWordArray), RUNTIME_CLASS(CStringArray)};
  CRuntimeClass::RegisterAll(classes);
}

void QelThrowIndexOutOfRange() { throw std::out_of_range("collection index out of range"); }

// ---- CObList ----

struct CObList::Node {
  Node* pNext;
  Node* pPrev;
  CObject* data;
};

CObList::Node* CObList::NodeOf(POSITION pos) {
  if (pos == nullptr) QelThrowIndexOutOfRange();
  return reinterpret_cast<Node*>(pos);
}

static POSITION PositionOf(void* node) { return reinterpret_cast<POSITION>(node); }

CObList::CObList(int nBlockSize) : m_nBlockSize(std::max(nBlockSize, 1)), m_nFirstBlockSize(m_nBlockSize) {}
CObList::~CObList() { RemoveAll(); }

// One allocation per block instead of one per node: loading a list of
// 100,000 objects would otherwise make (and later free) 100,000 nodes too.
CObList::Node* CObList::NewNode(Node* pNext, Node* pPrev, CObject* data) {
  if (m_pFree == nullptr) {
    Node* block = new Node[(size_t)m_nBlockSize + 1];
    block[0].pNext = m_pBlocks;
    m_pBlocks = block;
    for (int i = m_nBlockSize; i >= 1; --i) {
      block[i].pNext = m_pFree;
      m_pFree = &block[i];
    }
    int largest = std::max(kMaxBlockNodes, m_nFirstBlockSize);
    m_nBlockSize = m_nBlockSize <= largest / 2 ? m_nBlockSize * 2 : largest;
  }
  Node* n = m_pFree;
  m_pFree = n->pNext;
  *n = Node{pNext, pPrev, data};
  ++m_nCount;
  return n;
}

void CObList::FreeNode(Node* n) {
  n->pNext = m_pFree;
  m_pFree = n;
  if (--m_nCount == 0) FreeBlocks();
}

void CObList::FreeBlocks() {
  while (m_pBlocks != nullptr) {
    Node* block = m_pBlocks;
    m_pBlocks = block[0].pNext;
    delete[] block;
  }
  m_pFree = nullptr;
  m_nBlockSize = m_nFirstBlockSize;
}

CObject*& CObList::GetHead() { return NodeOf(PositionOf(m_pHead))->data; }
CObject* CObList::GetHead() const { return NodeOf(PositionOf(m_pHead))->data; }
CObject*& CObList::GetTail() { return NodeOf(PositionOf(m_pTail))->data; }
CObject* CObList::GetTail() const { return NodeOf(PositionOf(m_pTail))->data; }

CObject* CObList::RemoveHead() {
  CObject* p = GetHead();
  RemoveAt(PositionOf(m_pHead));
  return p;
}

CObject* CObList::RemoveTail() {
  CObject* p = GetTail();
  RemoveAt(PositionOf(m_pTail));
  return p;
}

POSITION CObList::AddHead(CObject* newElement) { return InsertBefore(nullptr, newElement); }
POSITION CObList::AddTail(CObject* newElement) { return InsertAfter(nullptr, newElement); }

// Both walk a fixed number of elements, so a list may be added to itself.
void CObList::AddHead(CObList* pNewList) {
  // Walking backwards keeps the other list's order at our head.
  POSITION pos = pNewList->GetTailPosition();
  for (int n = pNewList->GetCount(); n > 0; --n) AddHead(pNewList->GetPrev(pos));
}

void CObList::AddTail(CObList* pNewList) {
  POSITION pos = pNewList->GetHeadPosition();
  for (int n = pNewList->GetCount(); n > 0; --n) AddTail(pNewList->GetNext(pos));
}

void CObList::RemoveAll() {
  m_pHead = m_pTail = nullptr;
  m_nCount = 0;
  FreeBlocks();
}

POSITION CObList::GetHeadPosition() const { return PositionOf(m_pHead); }
POSITION CObList::GetTailPosition() const { return PositionOf(m_pTail); }

CObject*& CObList::GetNext(POSITION& rPosition) {
  Node* n = NodeOf(rPosition);
  rPosition = PositionOf(n->pNext);
  return n->data;
}

CObject* CObList::GetNext(POSITION& rPosition) const {
  Node* n = NodeOf(rPosition);
  rPosition = PositionOf(n->pNext);
  return n->data;
}

CObject*& CObList::GetPrev(POSITION& rPosition) {
  Node* n = NodeOf(rPosition);
  rPosition = PositionOf(n->pPrev);
  return n->data;
}

CObject* CObList::GetPrev(POSITION& rPosition) const {
  Node* n = NodeOf(rPosition);
  rPosition = PositionOf(n->pPrev);
  return n->data;
}

CObject*& CObList::GetAt(POSITION position) { return NodeOf(position)->data; }
CObject* CObList::GetAt(POSITION position) const { return NodeOf(position)->data; }
void CObList::SetAt(POSITION pos, CObject* newElement) { NodeOf(pos)->data = newElement; }

void CObList::RemoveAt(POSITION position) {
  Node* n = NodeOf(position);
  (n->pPrev ? n->pPrev->pNext : m_pHead) = n->pNext;
  (n->pNext ? n->pNext->pPrev : m_pTail) = n->pPrev;
  FreeNode(n);
}

POSITION CObList::InsertBefore(POSITION position, CObject* newElement) {
  Node* next = position ? NodeOf(position) : m_pHead;
  Node* prev = next ? next->pPrev : nullptr;
  Node* n = NewNode(next, prev, newElement);
  (prev ? prev->pNext : m_pHead) = n;
  (next ? next->pPrev : m_pTail) = n;
  return PositionOf(n);
}

POSITION CObList::InsertAfter(POSITION position, CObject* newElement) {
  Node* prev = position ? NodeOf(position) : m_pTail;
  Node* next = prev ? prev->pNext : nullptr;
  Node* n = NewNode(next, prev, newElement);
  (prev ? prev->pNext : m_pHead) = n;
  (next ? next->pPrev : m_pTail) = n;
  return PositionOf(n);
}

POSITION CObList::Find(const CObject* searchValue, POSITION startAfter) const {
  Node* n = startAfter ? NodeOf(startAfter)->pNext : m_pHead;
  for (; n != nullptr; n = n->pNext)
    if (n->data == searchValue) return PositionOf(n);
  return nullptr;
}

POSITION CObList::FindIndex(int nIndex) const {
  if (nIndex < 0 || nIndex >= m_nCount) return nullptr;
  Node* n = m_pHead;
  while (nIndex-- > 0) n = n->pNext;
  return PositionOf(n);
}

void CObList::Serialize(CArchive& ar) { Serialize(ar, RUNTIME_CLASS(CObject)); }

void CObList::Serialize(CArchive& ar, const CRuntimeClass* pRequired) {
  if (ar.IsStoring()) {
    ar.WriteCount((DWORD)m_nCount);
    for (Node* n = m_pHead; n != nullptr; n = n->pNext) ar.WriteObject(n->data);
    return;
  }
  const UINT kMinReferenceBytes = 2;
  for (DWORD count = ar.ReadCount(kMinReferenceBytes); count > 0; --count) AddTail(ar.ReadElement(pRequired));
}

// ---- arrays ----

void CObArray::Serialize(CArchive& ar) { Serialize(ar, RUNTIME_CLASS(CObject)); }

void CObArray::Serialize(CArchive& ar, const CRuntimeClass* pRequired) {
  if (ar.IsStoring()) {
    ar.WriteCount((DWORD)m_data.size());
    for (CObject* p : m_data) ar.WriteObject(p);
    return;
  }
  const UINT kMinReferenceBytes = 2;
  DWORD count = ar.ReadCount(kMinReferenceBytes);
  m_data.assign(count, nullptr);
  for (DWORD i = 0; i < count; ++i) m_data[i] = ar.ReadElement(pRequired);
}

void CDWordArray::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    ar.WriteCount((DWORD)m_data.size());
    for (DWORD v : m_data) ar << v;
    return;
  }
  DWORD count = ar.ReadCount(sizeof(DWORD));
  m_data.assign(count, 0);
  if (count > 0) ar.Read(m_data.data(), count * (UINT)sizeof(DWORD));
}

void CStringArray::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    ar.WriteCount((DWORD)m_data.size());
    for (const CString& s : m_data) ar << s;
    return;
  }
  const UINT kMinStringBytes = 1;
  DWORD count = ar.ReadCount(kMinStringBytes);
  m_data.assign(count, CString());
  for (DWORD i = 0; i < count; ++i) ar >> m_data[i];
}

// ---- CMapStringToPtr ----

struct CMapStringToPtr::Assoc {
  Assoc* pNext;
  UINT nHash;
  CString key;
  void* value;
};

CMapStringToPtr::CMapStringToPtr(int) {}
CMapStringToPtr::~CMapStringToPtr() { RemoveAll(); }

UINT CMapStringToPtr::HashKey(const char* key) {
  UINT h = 0;
  for (const unsigned char* p = (const unsigned char*)key; *p; ++p) h = (h << 5) + h + *p;
  return h;
}

CMapStringToPtr::Assoc* CMapStringToPtr::Find(const char* key, UINT& nBucket) const {
  UINT h = HashKey(key);
  if (m_buckets.empty()) {
    nBucket = h;
    return nullptr;
  }
  nBucket = h % (UINT)m_buckets.size();
  for (Assoc* a = m_buckets[nBucket]; a != nullptr; a = a->pNext)
    if (a->nHash == h && a->key == key) return a;
  return nullptr;
}

void CMapStringToPtr::Rehash(UINT nNewBuckets) {
  std::vector<Assoc*> buckets(nNewBuckets, nullptr);
  for (Assoc* head : m_buckets) {
    for (Assoc* a = head; a != nullptr;) {
      Assoc* next = a->pNext;
      UINT b = a->nHash % nNewBuckets;
      a->pNext = buckets[b];
      buckets[b] = a;
      a = next;
    }
  }
  m_buckets.swap(buckets);
}

BOOL CMapStringToPtr::Lookup(const char* key, void*& rValue) const {
  UINT b;
  Assoc* a = Find(key ? key : "", b);
  if (a == nullptr) return FALSE;
  rValue = a->value;
  return TRUE;
}

void*& CMapStringToPtr::operator[](const char* key) {
  if (key == nullptr) key = "";
  UINT b;
  if (Assoc* a = Find(key, b)) return a->value;
  if ((size_t)m_nCount >= m_buckets.size()) Rehash(m_buckets.empty() ? 17u : (UINT)m_buckets.size() * 2 + 1);
  UINT h = HashKey(key);
  b = h % (UINT)m_buckets.size();
  Assoc* a = new Assoc{m_buckets[b], h, CString(key), nullptr};
  m_buckets[b] = a;
  ++m_nCount;
  return a->value;
}

BOOL CMapStringToPtr::RemoveKey(const char* key) {
  if (key == nullptr || m_buckets.empty()) return FALSE;
  UINT h = HashKey(key);
  for (Assoc** link = &m_buckets[h % (UINT)m_buckets.size()]; *link != nullptr; link = &(*link)->pNext) {
    Assoc* a = *link;
    if (a->nHash == h && a->key == key) {
      *link = a->pNext;
      delete a;
      --m_nCount;
      return TRUE;
    }
  }
  return FALSE;
}

void CMapStringToPtr::RemoveAll() {
  for (Assoc* head : m_buckets) {
    for (Assoc* a = head; a != nullptr;) {
      Assoc* next = a->pNext;
      delete a;
      a = next;
    }
  }
  m_buckets.clear();
  m_nCount = 0;
}

// A position is the entry itself; the walk goes on in the same bucket, then
// in the next non-empty one.
POSITION CMapStringToPtr::GetStartPosition() const {
  for (Assoc* head : m_buckets)
    if (head != nullptr) return reinterpret_cast<POSITION>(head);
  return nullptr;
}

void CMapStringToPtr::GetNextAssoc(POSITION& rNextPosition, CString& rKey, void*& rValue) const {
  if (rNextPosition == nullptr) QelThrowIndexOutOfRange();
  Assoc* a = reinterpret_cast<Assoc*>(rNextPosition);
  rKey = a->key;
  rValue = a->value;
  Assoc* next = a->pNext;
  for (UINT b = a->nHash % (UINT)m_buckets.size() + 1; next == nullptr && b < m_buckets.size(); ++b)
    next = m_buckets[b];
  rNextPosition = reinterpret_cast<POSITION>(next);
}
