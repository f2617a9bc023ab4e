#include "docfile.h"

#include <windows.h>

#include <new>
#include <stdexcept>

#include "archive.h"
#include "file.h"

namespace {

const char kSaveSuffix[] = ".~save";

// Runs fn; a failure of the framework, of memory or of the library is FALSE.
template <class Fn>
BOOL Guarded(Fn fn) {
  try {
    return fn();
  } catch (const CException&) {
    return FALSE;
  } catch (const std::exception&) {
    return FALSE;
  }
}

}  // namespace

CString QelFullPath(const char* path) {
  if (!path || !*path) return CString();
  DWORD need = ::GetFullPathNameA(path, 0, nullptr, nullptr);
  if (need == 0) return CString(path);
  CString full;
  char* buf = full.GetBuffer(static_cast<int>(need));
  DWORD got = ::GetFullPathNameA(path, need + 1, buf, nullptr);
  full.ReleaseBuffer(got > 0 && got <= need ? static_cast<int>(got) : 0);
  return full.IsEmpty() ? CString(path) : full;
}

BOOL QelReadDocumentFile(const char* path, const std::function<void(CArchive&)>& load) {
  return Guarded([&] {
    CFile file;
    if (!file.Open(path, CFile::modeRead | CFile::shareDenyWrite)) return FALSE;
    CArchive ar(&file, CArchive::load);
    load(ar);
    ar.Close();
    return TRUE;
  });
}

BOOL QelWriteDocumentFile(const char* path, const std::function<void(CArchive&)>& store) {
  if (!path || !*path) return FALSE;
  CString temp = CString(path) + kSaveSuffix;
  BOOL written = Guarded([&] {
    CFile file;
    if (!file.Open(temp, CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive)) return FALSE;
    CArchive ar(&file, CArchive::store);
    store(ar);
    ar.Close();
    file.Close();
    return TRUE;
  });
  if (written && ::MoveFileExA(temp, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return TRUE;
  ::DeleteFileA(temp);
  return FALSE;
}
