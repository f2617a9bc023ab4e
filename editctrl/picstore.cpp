#include "picstore.h"

#include "archive.h"
#include "docfile.h"
#include "file.h"
#include "picobj.h"

namespace {
constexpr int kArchiveBuffer = 4096;
}

bool LoadPictureFrom(CFile& file, CPicObj& picture) {
  try {
    CArchive ar(&file, CArchive::load, kArchiveBuffer);
    picture.Serialize(ar);
    ar.Close();
    return true;
  } catch (CException&) {
    return false;
  }
}

bool StorePictureFile(const char* path, CPicObj& picture) {
  return QelWriteDocumentFile(path, [&](CArchive& ar) { picture.Serialize(ar); }) != FALSE;
}

bool ReplacePictureFile(const char* path, CPicObj& picture) {
  CFile existing;
  if (!existing.Open(path, CFile::modeWrite | CFile::modeNoTruncate | CFile::typeBinary)) return false;
  existing.Abort();
  return StorePictureFile(path, picture);
}
