// Archive throughput: a list of 100,000 small objects stored into and loaded
// from a memory file, as pictures, clones and undo copies are. Then where the
// time goes: the fields alone (no object references), the objects' creation
// alone (what a load adds to reading), and the memory file taking the same
// bytes in the archive's blocks.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "benchclock.h"
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

constexpr int kObjects = 100000, kRounds = 5;
constexpr double kTargetMBPerSecond = 250;

void DeleteAll(CObList& list) {
  while (!list.IsEmpty()) delete list.RemoveHead();
}

double MBPerSecond(DWORD bytes, double ms) { return bytes / 1e6 / (ms / 1e3); }

// The best of the rounds of each measurement, in milliseconds.
struct Best {
  double store = 1e9, load = 1e9, store_fields = 1e9, load_fields = 1e9, create = 1e9, file = 1e9;
};

void Keep(double& best, double ms) { best = std::min(best, ms); }

// The whole list through object references, as the documents store it.
void TimeList(CObList& list, Best& best, DWORD* bytes) {
  CMemFile file;
  bench::Stopwatch watch;
  {
    CArchive ar(&file, CArchive::store);
    list.Serialize(ar);
    ar.Close();
  }
  Keep(best.store, watch.ElapsedMs());
  *bytes = file.GetLength();
  file.SeekToBegin();
  CObList back;
  watch.Restart();
  {
    CArchive ar(&file, CArchive::load);
    back.Serialize(ar, RUNTIME_CLASS(CBenchItem));
  }
  Keep(best.load, watch.ElapsedMs());
  if (back.GetCount() != kObjects)
    std::printf("archive_bench: loaded %d of %d objects\n", back.GetCount(), kObjects);
  DeleteAll(back);
}

// Each object's own fields, written and read back into existing objects.
void TimeFields(const std::vector<CBenchItem*>& items, Best& best, DWORD* bytes) {
  CMemFile file;
  bench::Stopwatch watch;
  {
    CArchive ar(&file, CArchive::store);
    for (CBenchItem* p : items) p->Serialize(ar);
    ar.Close();
  }
  Keep(best.store_fields, watch.ElapsedMs());
  *bytes = file.GetLength();
  file.SeekToBegin();
  std::vector<CBenchItem> back(items.size());
  watch.Restart();
  {
    CArchive ar(&file, CArchive::load);
    for (CBenchItem& item : back) item.Serialize(ar);
  }
  Keep(best.load_fields, watch.ElapsedMs());
}

// Creating the objects and list nodes a load makes (freeing them is not timed,
// as a load does not free them either).
void TimeCreation(Best& best) {
  CObList list;
  bench::Stopwatch watch;
  for (int i = 0; i < kObjects; ++i) list.AddTail(RUNTIME_CLASS(CBenchItem)->CreateObject());
  Keep(best.create, watch.ElapsedMs());
  DeleteAll(list);
}

// The same number of bytes written to a memory file in the archive's blocks.
void TimeMemFile(DWORD bytes, Best& best) {
  std::vector<BYTE> block(CArchive::kDefaultBufferSize, 0x5A);
  bench::Stopwatch watch;
  CMemFile file;
  for (DWORD done = 0; done < bytes; done += (DWORD)block.size())
    file.Write(block.data(), (UINT)std::min<DWORD>(bytes - done, (DWORD)block.size()));
  Keep(best.file, watch.ElapsedMs());
}

void PrintLine(const char* name, DWORD bytes, double ms) {
  std::printf("  %-34s %8.2f ms  %8.1f MB/s\n", name, ms, MBPerSecond(bytes, ms));
}

}  // namespace

int main() {
  static CRuntimeClass* const classes[] = {RUNTIME_CLASS(CBenchItem)};
  CRuntimeClass::RegisterAll(classes);

  CObList list;
  std::vector<CBenchItem*> items;
  for (int i = 0; i < kObjects; ++i) {
    auto* p = new CBenchItem;
    p->m_kind = i % 14;
    p->m_colour = i * 7;
    p->m_flags = i & 3;
    p->m_value = i * 0.25;
    p->m_name.Format("obj%d", i);
    list.AddTail(p);
    items.push_back(p);
  }

  Best best;
  DWORD bytes = 0, field_bytes = 0;
  for (int round = 0; round < kRounds; ++round) {
    TimeList(list, best, &bytes);
    TimeFields(items, best, &field_bytes);
    TimeCreation(best);
    TimeMemFile(bytes, best);
  }
  DeleteAll(list);

  std::printf("archive_bench: %d objects, %lu bytes (best of %d rounds; target %.0f MB/s)\n", kObjects,
              (unsigned long)bytes, kRounds, kTargetMBPerSecond);
  std::printf("  store: %8.2f ms  %8.1f MB/s\n", best.store, MBPerSecond(bytes, best.store));
  std::printf("  load:  %8.2f ms  %8.1f MB/s\n", best.load, MBPerSecond(bytes, best.load));
  std::printf("archive_bench: where the time goes (%lu bytes of fields)\n", (unsigned long)field_bytes);
  PrintLine("store fields only", field_bytes, best.store_fields);
  PrintLine("load fields only", field_bytes, best.load_fields);
  std::printf("  %-34s %8.2f ms\n", "create the objects and list nodes", best.create);
  PrintLine("memory file, same bytes in blocks", bytes, best.file);
  return 0;
}
