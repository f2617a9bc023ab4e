#include "picstore.h"

#include "archive.h"
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

bool StorePictureTo(CFile& file, CPicObj& picture) {
  try {
    file.SeekToBegin();
    CArchive ar(&file, CArchive::store, kArchiveBuffer);
    picture.Serialize(ar);
    ar.Close();
    file.SetLength(file.GetPosition());
    file.Close();
    return true;
  } catch (CException&) {
    file.Abort();
    return false;
  }
}
