#include "layerstate.h"

#include "archive.h"
#include "collections.h"
#include "drawobj.h"
#include "exceptions.h"
#include "objlist_io.h"

namespace {
constexpr int kArchiveBuffer = 4096;
}

std::unique_ptr<CMemFile> SaveObjectList(CObList& list, UINT growBytes) {
  auto file = std::make_unique<CMemFile>(growBytes);
  try {
    CArchive ar(file.get(), CArchive::store, kArchiveBuffer);
    StoreObjectList(ar, list);
    ar.Close();
  } catch (CException&) {
    return nullptr;
  }
  return file;
}

bool LoadObjectListFrom(CFile& file, CObList& list) {
  CObList loaded;
  try {
    file.SeekToBegin();
    CArchive ar(&file, CArchive::load, kArchiveBuffer);
    LoadObjectList(ar, loaded, RUNTIME_CLASS(CDrawObj));
    ar.Close();
  } catch (CException&) {
    DeleteObjectList(loaded);
    return false;
  }
  list.AddTail(&loaded);
  return true;
}

std::string StoredBytesOf(CObject* obj) {
  CMemFile file(kArchiveBuffer);
  try {
    CArchive ar(&file, CArchive::store, kArchiveBuffer);
    ar.WriteObject(obj);
    ar.Close();
  } catch (CException&) {
    return std::string();
  }
  return std::string(reinterpret_cast<const char*>(file.GetData()), file.GetLength());
}

void CLayerStateStack::DropOldest() {
  m_bytes -= m_states.front()->GetLength();
  m_states.pop_front();
}

void CLayerStateStack::Push(std::unique_ptr<CMemFile> state) {
  if (!state) return;
  if (m_states.size() > m_limit) DropOldest();
  const size_t length = state->GetLength();
  while (!m_states.empty() && m_bytes + length > m_budget) DropOldest();
  m_bytes += length;
  m_states.push_back(std::move(state));
}

std::unique_ptr<CMemFile> CLayerStateStack::TakeNewest() {
  if (m_states.empty()) return nullptr;
  std::unique_ptr<CMemFile> newest = std::move(m_states.back());
  m_states.pop_back();
  m_bytes -= newest->GetLength();
  return newest;
}
