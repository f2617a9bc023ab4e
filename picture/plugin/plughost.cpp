// CPlugHost: loading a plug-in library and reading what it tells about itself.
#include "plughost.h"

#include <algorithm>
#include <iterator>
#include <cstring>
#include <new>

#include "moduledir.h"
#include "qel/exportproc.h"

namespace {

// Looked up in this order; the table functions follow the record's function.
const char* const kExportNames[CPlugHost::kExportCount] = {
    QPI_EXPORT_GETPLUGINFO,   QPI_EXPORT_GETPROPERTYINFOS, QPI_EXPORT_GETINTERFACEINFOS,
    QPI_EXPORT_GETEVENTINFOS, QPI_EXPORT_GETENUMINFOS,
};
constexpr int kInfoExport = 0;

// Every table function takes its table and a maximum count; the element type
// differs, the calling form does not.
typedef int(__stdcall* TableProc)(void* table, int max);

// One information table: where the record keeps its count, the size of one
// entry or block, and the export that fills it.
struct TableSpec {
  WORD QPI_PLUGINFO::*count;
  UINT entrySize;
  int exportIndex;
};
// In the order the tables are read: properties, interfaces, events, enumerations.
const TableSpec kTableSpecs[] = {
    {&QPI_PLUGINFO::nProperties, sizeof(QPI_ITEMINFO), 1},
    {&QPI_PLUGINFO::nInterfaces, sizeof(QPI_INTERFACEINFO), 2},
    {&QPI_PLUGINFO::nEvents, sizeof(QPI_ITEMINFO), 3},
    {&QPI_PLUGINFO::nEnums, sizeof(QPI_ENUMINFO), 4},
};

template <size_t n>
void Terminate(char (&field)[n]) {
  field[n - 1] = '\0';
}

void TerminateTexts(QPI_PLUGINFO& info) {
  Terminate(info.szIdent);
  Terminate(info.szName);
  Terminate(info.szMaker);
  Terminate(info.szDescription);
  Terminate(info.szCopyright);
}

// Entries, interface entries, enumeration headers and enumerators all keep
// their two texts at the same places (qpi.h), so a table is terminated as a
// run of 128-byte items.
void TerminateTexts(BYTE* table, size_t bytes) {
  QPI_ITEMINFO* item = reinterpret_cast<QPI_ITEMINFO*>(table);
  for (size_t i = 0; i < bytes / sizeof(QPI_ITEMINFO); ++i) {
    Terminate(item[i].szName);
    Terminate(item[i].szDescription);
  }
}

}  // namespace

CPlugHost::CPlugHost() {
  std::memset(&m_info, 0, sizeof m_info);
  std::memset(m_szPath, 0, sizeof m_szPath);
  std::fill(std::begin(m_exports), std::end(m_exports), nullptr);
}

CPlugHost::~CPlugHost() { Unload(); }

void CPlugHost::Unload() {
  m_module.Free();
  std::fill(std::begin(m_exports), std::end(m_exports), nullptr);
  std::memset(&m_info, 0, sizeof m_info);
  for (auto& table : m_tables) table.reset();
}

bool CPlugHost::BindExports() {
  for (int i = 0; i < kExportCount; ++i) {
    m_exports[i] = m_module.Find(kExportNames[i]);
    if (!m_exports[i]) return false;
  }
  return true;
}

bool CPlugHost::ReadTable(Table t) {
  const TableSpec& params = kTableSpecs[t];
  const int asked = m_info.*params.count;
  if (asked == 0) return true;
  const size_t bytes = static_cast<size_t>(asked) * params.entrySize;
  // Cleared, so that entries a plug-in leaves unwritten hold no stray bytes.
  m_tables[t].reset(new (std::nothrow) BYTE[bytes]());
  if (!m_tables[t]) return false;
  TableProc fill = QelProcAs<TableProc>(m_exports[params.exportIndex]);
  const int written = std::clamp(fill(m_tables[t].get(), asked), 0, asked);
  m_info.*params.count = static_cast<WORD>(written);
  TerminateTexts(m_tables[t].get(), static_cast<size_t>(written) * params.entrySize);
  if (written == 0) m_tables[t].reset();
  return true;
}

bool CPlugHost::IsBareFileName(const char* pszName) {
  if (!pszName || std::strstr(pszName, "..")) return false;
  for (const char* p = pszName; *p; p = ::CharNextA(p))
    if (*p == '\\' || *p == '/' || *p == ':') return false;
  return true;
}

int CPlugHost::Load(const char* pszName) {
  if (IsLoaded()) Unload();
  if (!pszName || !*pszName) return kNoLibrary;
  ::lstrcpynA(m_szPath, pszName, kPathSize);
  if (!IsBareFileName(m_szPath)) return kRefusedName;
  // A full path: the system's search order is never consulted.
  const CString folder = GetModuleDir();
  if (folder.IsEmpty() || !m_module.Load((folder + m_szPath).GetString())) return kNoLibrary;
  if (!BindExports()) {
    Unload();
    return kMissingExport;
  }
  std::memset(&m_info, 0, sizeof m_info);  // handed over zeroed
  QelProcAs<QPI_GETPLUGINFOPROC>(m_exports[kInfoExport])(&m_info);
  TerminateTexts(m_info);
  for (int t = 0; t < kTableCount; ++t) {
    if (!ReadTable(static_cast<Table>(t))) {
      Unload();
      return kNoMemory;
    }
  }
  return kLoaded;
}
