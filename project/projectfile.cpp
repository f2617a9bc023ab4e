// CProject: reading and writing the project file.
#include "project.h"

#include "archive.h"

namespace {

const UINT kTagBytes = sizeof(LocalTagRecord);
const UINT kEntryBytes = sizeof(RtdbConnEntry);

}  // namespace

int CProject::Load(CFile* file) {
  CArchive ar(file, CArchive::load);
  ar >> m_magic;
  if (m_magic != kMagic) return kWrongMagic;
  ar >> m_version;
  if (m_version != kVersion) return kWrongVersion;
  m_header1 = ar.ReadString();
  m_header2 = ar.ReadString();
  LoadTags(ar);
  LoadEntries(ar);
  ar.Close();
  return kLoaded;
}

void CProject::LoadTags(CArchive& ar) {
  DWORD count = 0;
  ar >> count;
  // A damaged count must not make the array grow toward memory it cannot
  // fill: the records have to be in the file.
  ar.CheckAvailable((ULONGLONG)count * kTagBytes);
  m_localTags.Clear();
  for (DWORD i = 0; i < count; ++i) {
    LocalTagRecord rec;
    ar.Read(&rec, kTagBytes);
    TerminateLocalTag(rec);
    m_localTags.Append(rec);  // a record without memory is skipped
  }
}

void CProject::LoadEntries(CArchive& ar) {
  DWORD count = 0;
  m_conn.Clear();
  ar >> count;
  const DWORD kept = count < (DWORD)kMaxConnEntries ? count : (DWORD)kMaxConnEntries;
  ar.CheckAvailable((ULONGLONG)kept * kEntryBytes);
  for (DWORD i = 0; i < kept; ++i) {
    ar.Read(&m_conn.entries[i], kEntryBytes);
    TerminateConnEntry(m_conn.entries[i]);
  }
  m_conn.count = (LONG)kept;
}

void CProject::Store(CFile* file) const {
  CArchive ar(file, CArchive::store);
  // Always the current magic and version: the fields that follow are written
  // in the current layout, also after a file with other ones was rejected.
  ar << (DWORD)kMagic << (DWORD)kVersion;
  ar.WriteString(m_header1);
  ar.WriteString(m_header2);
  ar << (DWORD)m_localTags.GetCount();
  for (int i = 0; i < m_localTags.GetCount(); ++i) ar.Write(m_localTags.GetTag(i), kTagBytes);
  const int entries = m_conn.ValidCount();
  ar << (DWORD)entries;
  for (int i = 0; i < entries; ++i) ar.Write(&m_conn.entries[i], kEntryBytes);
  ar.Close();
}
