#include "picfile.h"

#include <memory>

#include "archive.h"
#include "file.h"
#include "memfile.h"
#include "picobj.h"

namespace {

CPicObj* LoadFrom(CFile& file) {
  std::unique_ptr<CPicObj> picture(new CPicObj);
  CArchive ar(&file, CArchive::load, CArchive::kDefaultBufferSize);
  picture->Serialize(ar);
  ar.Close();
  return picture.release();
}

}  // namespace

void SavePictureFile(CPicObj& picture, const char* pszPath) {
  CFile file(pszPath, CFile::modeCreate | CFile::modeWrite | CFile::typeBinary);
  CArchive ar(&file, CArchive::store, CArchive::kDefaultBufferSize);
  picture.Serialize(ar);
  ar.Close();
  // Creating the file already emptied it; the length is set as well so that
  // a save can never keep the tail of a longer, older picture.
  file.SetLength(file.GetPosition());
  file.Close();
  picture.m_bModified = FALSE;
}

CPicObj* LoadPictureFile(const char* pszPath) {
  CFile file(pszPath, CFile::modeRead | CFile::shareDenyWrite | CFile::typeBinary);
  return LoadFrom(file);
}

CPicObj* LoadPictureBuffer(const BYTE* pData, UINT nSize) {
  CMemFile file(const_cast<BYTE*>(pData), nSize);
  return LoadFrom(file);
}

std::vector<BYTE> StorePictureBytes(CPicObj& picture) {
  CMemFile file;
  {
    CArchive ar(&file, CArchive::store, CArchive::kDefaultBufferSize);
    picture.Serialize(ar);
    ar.Close();
  }
  const BYTE* data = file.GetData();
  return std::vector<BYTE>(data, data + file.GetLength());
}
