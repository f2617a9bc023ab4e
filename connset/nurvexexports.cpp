// The library entry of Nurvex.dll and its four exports. No exception leaves
// an export: a failure answers as the export documents.
#include <new>
#include <set>

#include "connlist.h"
#include "connlistdlg.h"
#include "nurvexapi.h"
#include "window.h"

namespace {

// The lists this library made and has not destroyed: a handle that is not
// one of them (empty, stale or foreign) is answered like an empty one.
std::set<CConnList*>& LiveLists() {
  static std::set<CConnList*> lists;
  return lists;
}

CConnList* ListOf(NurvexHandle handle) {
  auto* list = static_cast<CConnList*>(handle);
  return list && LiveLists().count(list) ? list : nullptr;
}

const int kEmptyHandle = 1;

}  // namespace

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
  return QelDllMain(instance, reason, reserved);
}

extern "C" {

NurvexHandle __stdcall i_Create(const RtdbConnEntry* entries, int count) {
  try {
    auto* list = new CConnList(entries, count);
    LiveLists().insert(list);
    return list;
  } catch (...) {
    return nullptr;  // memory could not be had
  }
}

int __stdcall i_Config(NurvexHandle handle, int* confirmed) {
  CConnList* list = ListOf(handle);
  if (!list) return kEmptyHandle;
  bool changed = false;
  try {
    CConnListDlg dialog(*list);
    changed = dialog.DoModal() == IDOK && dialog.Changed();
  } catch (...) {
    changed = false;
  }
  if (confirmed) *confirmed = changed ? 1 : 0;
  return 0;
}

int __stdcall i_GetArgs(NurvexHandle handle, RtdbConnEntry* entries, int maximum, int* count) {
  CConnList* list = ListOf(handle);
  if (!list) return kEmptyHandle;
  int copied = list->CopyOut(entries, maximum);
  if (count) *count = copied;
  return 0;
}

int __stdcall i_Destroy(NurvexHandle handle) {
  CConnList* list = ListOf(handle);
  if (!list) return kEmptyHandle;
  LiveLists().erase(list);
  delete list;
  return 0;
}

}  // extern "C"
