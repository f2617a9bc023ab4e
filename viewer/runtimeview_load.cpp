// CRuntimeView: loading the project and the pictures.
#include <vector>

#include "file.h"
#include "runtimeview.h"

namespace {

const UINT kReadChunk = 4096;
const size_t kGrowStep = 16384;

// The whole file; false when it cannot be opened or read.
bool ReadWholeFile(const std::string& path, std::vector<BYTE>* bytes) {
  try {
    CFile file;
    if (!file.Open(path.c_str(), CFile::modeRead | CFile::shareDenyWrite)) return false;
    bytes->clear();
    for (;;) {
      if (bytes->capacity() - bytes->size() < kReadChunk) bytes->reserve(bytes->capacity() + kGrowStep);
      size_t at = bytes->size();
      bytes->resize(at + kReadChunk);
      UINT got = file.Read(bytes->data() + at, kReadChunk);
      bytes->resize(at + got);
      if (got == 0) break;
    }
    return true;
  } catch (CException&) {
    return false;
  } catch (std::exception&) {
    return false;
  }
}

// Reads the project; a damaged file (ending early, unreadable) counts as a
// failed load instead of leaving the exception to the caller.
bool ReadProject(CProject& project, const char* path) {
  try {
    CFile file;
    if (!file.Open(path, CFile::modeRead | CFile::shareDenyWrite)) return false;
    return project.Load(&file) == CProject::kLoaded;
  } catch (CException&) {
    return false;
  } catch (std::exception&) {
    return false;
  }
}

}  // namespace

bool CRuntimeView::LoadProject(const char* path) {
  if (!ReadProject(m_project, path)) return false;
  m_project.MakeLocalValues();
  CRtdbClient* client = m_project.GetClient();
  if (client->SetEntriesAndBind(m_project.m_conn, 0)) client->Start();
  return true;
}

bool CRuntimeView::OpenPicture(const char* name) {
  std::vector<BYTE> bytes;
  if (!ReadWholeFile(m_pictureFolder + (name ? name : ""), &bytes)) return false;
  // The load record counts the bytes in 32 bits: a longer file is no picture.
  if (!FitsFileLength(bytes.size())) return false;
  // The window reads the picture during the call; the result is not needed.
  m_host.SendLoadPicData(m_project.GetLocalCallbacks(), m_project.GetHostCallbacks(), bytes.data(),
                         static_cast<DWORD>(bytes.size()));
  return true;
}
