// Archive throughput: a list of 100,000 small objects stored into and loaded
// from a memory file, as pictures, clones and undo copies are.
#include <windows.h>

#include <algorithm>
#include <cstdio>

#include "framework.h"

namespace {

class CBenchItem : public CObject {
  DECLARE_SERIAL(CBenchItem)
 public:
  int m_kind = 0, m_colour = 0, m_flags = 0;
  double m_value = 0;
  CString m_name;
  void Serialize(CArchive& ar) override {
    if (ar.IsStoring())
      ar << m_kind << m_colour << m_flags << m_value << m_name;
    else
      ar >> m_kind >> m_colour >> m_flags >> m_value >> m_name;
  }
};

IMPLEMENT_SERIAL(CBenchItem, CObject, 0)

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER f;
  QueryPerformanceFrequency(&f);
  return double(to.QuadPart - from.QuadPart) / double(f.QuadPart);
}

void DeleteAll(CObList& list) {
  while (!list.IsEmpty()) delete list.RemoveHead();
}

}  // namespace

int main() {
  static CRuntimeClass* const classes[] = {RUNTIME_CLASS(CBenchItem)};
  CRuntimeClass::RegisterAll(classes);

  const int kObjects = 100000, kRounds = 5;
  CObList list;
  for (int i = 0; i < kObjects; ++i) {
    auto* p = new CBenchItem;
    p->m_kind = i % 14;
    p->m_colour = i * 7;
    p->m_flags = i & 3;
    p->m_value = i * 0.25;
    p->m_name.Format("obj%d", i);
    list.AddTail(p);
  }

  double bestStore = 1e9, bestLoad = 1e9;
  DWORD bytes = 0;
  for (int round = 0; round < kRounds; ++round) {
    CMemFile file;
    LARGE_INTEGER t0, t1, t2;
    QueryPerformanceCounter(&t0);
    {
      CArchive ar(&file, CArchive::store);
      list.Serialize(ar);
      ar.Close();
    }
    QueryPerformanceCounter(&t1);
    bytes = file.GetLength();
    file.SeekToBegin();
    CObList back;
    {
      CArchive ar(&file, CArchive::load);
      back.Serialize(ar, RUNTIME_CLASS(CBenchItem));
    }
    QueryPerformanceCounter(&t2);
    if (back.GetCount() != kObjects) {
      std::printf("archive_bench: loaded %d of %d objects\n", back.GetCount(), kObjects);
      return 1;
    }
    DeleteAll(back);
    bestStore = std::min(bestStore, Seconds(t0, t1));
    bestLoad = std::min(bestLoad, Seconds(t1, t2));
  }
  DeleteAll(list);

  const double mb = bytes / 1e6;
  std::printf("archive_bench: %d objects, %lu bytes (best of %d rounds)\n", kObjects, (unsigned long)bytes, kRounds);
  std::printf("  store: %8.2f ms  %8.1f MB/s\n", bestStore * 1e3, mb / bestStore);
  std::printf("  load:  %8.2f ms  %8.1f MB/s\n", bestLoad * 1e3, mb / bestLoad);
  return 0;
}
