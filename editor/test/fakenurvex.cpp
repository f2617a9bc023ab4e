// A stand-in for the connection settings library in the editor's tests:
// without showing anything, a list handed over empty comes back with three
// confirmed entries; a list handed over with entries is left unconfirmed,
// as when the engineer cancelled.
#include <windows.h>

#include <cstring>
#include <new>

#include "rtdbconn.h"

namespace {

struct FakeList {
  RtdbConnEntry entries[kMaxConnEntries];
  int count;
};

const RtdbConnEntry kConfirmed[3] = {
    {"10.1.1.1", "operator", "one", 5001, {}},
    {"10.1.1.2", "engineer", "two", 5002, {}},
    {"10.1.1.3", "admin", "three", 65535, {}},
};

}  // namespace

extern "C" void* __stdcall i_Create(const RtdbConnEntry* entries, int count) {
  auto* list = new (std::nothrow) FakeList{};
  if (!list) return nullptr;
  list->count = count < 0 ? 0 : count > kMaxConnEntries ? kMaxConnEntries : count;
  if (list->count) std::memcpy(list->entries, entries, sizeof(RtdbConnEntry) * list->count);
  return list;
}

extern "C" int __stdcall i_Config(void* handle, int* confirmed) {
  if (!handle) return 1;
  auto* list = static_cast<FakeList*>(handle);
  *confirmed = list->count == 0;
  if (*confirmed) {
    std::memcpy(list->entries, kConfirmed, sizeof kConfirmed);
    list->count = 3;
  }
  return 0;
}

extern "C" int __stdcall i_GetArgs(void* handle, RtdbConnEntry* entries, int maximum, int* count) {
  if (!handle) return 1;
  auto* list = static_cast<FakeList*>(handle);
  int n = list->count < maximum ? list->count : maximum;
  std::memcpy(entries, list->entries, sizeof(RtdbConnEntry) * n);
  *count = n;
  return 0;
}

extern "C" int __stdcall i_Destroy(void* handle) {
  if (!handle) return 1;
  delete static_cast<FakeList*>(handle);
  return 0;
}
