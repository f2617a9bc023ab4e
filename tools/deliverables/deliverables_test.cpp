// The deliverable DLLs as a program of this flavour finds them in the
// program folder. Each one loads, is built for this flavour's machine, and
// its loaded image exports exactly the names its .def file lists, undecorated,
// each found by GetProcAddress where the export table says it lies. And the
// records that cross into a DLL at run time are exactly the size the caller
// makes room for: the sample plug-in's information record and tables, and
// the connection entries of the connection settings DLL, are written inside
// buffers of exactly that many records with guard bytes around them.
//
// (The sizes and offsets of those records in each flavour are checked as
// each module compiles, by the static_asserts and QEL_LAYOUT of their
// headers; what only a run shows is what the other module writes.)
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "qel/layout.h"
#include "qel/qpi.h"
#include "rtdbconn.h"
#include "testfolders.h"
#include "qel/exportproc.h"

namespace {

// ---- the DLLs ---------------------------------------------------------------------

struct Deliverable {
  const char* name;  // also the case's name
  const char* file;  // below the program folder
  const char* def;   // below the source tree
};

const Deliverable kDeliverables[] = {
    {"QelCtrl", "QelCtrl.dll", "editctrl\\QelCtrl.def"},
    {"QelRun", "QelRun.dll", "runctrl\\QelRun.def"},
    {"qel3api", "qel3api.dll", "dbclient\\qel3api.def"},
    {"Sampex", "Sampex.dll", "plugins\\sample\\Sampex.def"},
    {"Nurvex", "system\\Nurvex.dll", "connset\\Nurvex.def"},
};

// Shown in the cases' names by the DLL's name (never by its fields' addresses).
void PrintTo(const Deliverable& dll, std::ostream* out) { *out << dll.name; }

#if QEL_FLAVOUR_BITS == 64
const WORD kFlavourMachine = IMAGE_FILE_MACHINE_AMD64;
#else
const WORD kFlavourMachine = IMAGE_FILE_MACHINE_I386;
#endif

// A DLL of the program folder, loaded as a program loads it (its library
// entry runs), freed again with this.
class LoadedDll {
 public:
  explicit LoadedDll(const std::string& path) : m_module(::LoadLibraryA(path.c_str())) {
    if (!m_module) m_error = ::GetLastError();
  }
  ~LoadedDll() {
    if (m_module) ::FreeLibrary(m_module);
  }
  LoadedDll(const LoadedDll&) = delete;
  LoadedDll& operator=(const LoadedDll&) = delete;

  HMODULE Module() const { return m_module; }
  DWORD Error() const { return m_error; }
  const BYTE* Base() const { return reinterpret_cast<const BYTE*>(m_module); }

  template <class Proc>
  Proc Export(const char* name) const {
    return QelFindExport<Proc>(m_module, name);
  }

 private:
  HMODULE m_module;
  DWORD m_error = 0;
};

// The image's headers, read from where the loader mapped them.
const IMAGE_NT_HEADERS* HeadersOf(const LoadedDll& dll) {
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(dll.Base());
  if (dos->e_magic != IMAGE_DOS_SIGNATURE) return nullptr;
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(dll.Base() + dos->e_lfanew);
  return nt->Signature == IMAGE_NT_SIGNATURE ? nt : nullptr;
}

struct ExportEntry {
  std::string name;
  const BYTE* address;  // where the export table says the function lies
};

// The named exports of the loaded image's export directory (the headers
// must be of this flavour's machine: the directory is read through them).
std::vector<ExportEntry> ExportsOf(const LoadedDll& dll) {
  const IMAGE_DATA_DIRECTORY& where =
      HeadersOf(dll)->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
  if (where.VirtualAddress == 0 || where.Size == 0) return {};
  const BYTE* base = dll.Base();
  const auto* directory = reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + where.VirtualAddress);
  const auto* names = reinterpret_cast<const DWORD*>(base + directory->AddressOfNames);
  const auto* ordinals = reinterpret_cast<const WORD*>(base + directory->AddressOfNameOrdinals);
  const auto* functions = reinterpret_cast<const DWORD*>(base + directory->AddressOfFunctions);
  std::vector<ExportEntry> exports;
  for (DWORD i = 0; i < directory->NumberOfNames; ++i)
    exports.push_back({reinterpret_cast<const char*>(base + names[i]), base + functions[ordinals[i]]});
  return exports;
}

// The names under EXPORTS of a .def file, without ordinals, options or
// comments (the rules of tools/check-exports.sh, which checks the linked file).
std::set<std::string> DefNames(std::istream& def) {
  std::set<std::string> names;
  bool listing = false;
  for (std::string line; std::getline(def, line);) {
    std::istringstream words(line.substr(0, line.find(';')));
    std::string first;
    if (!(words >> first)) continue;
    if (first == "EXPORTS") {
      listing = true;
    } else if (first == "LIBRARY" || first == "NAME" || first == "SECTIONS" || first == "HEAPSIZE" ||
               first == "STACKSIZE" || first == "VERSION" || first == "DESCRIPTION") {
      listing = false;
    } else if (listing) {
      names.insert(first.substr(0, first.find_first_of("@=")));
    }
  }
  return names;
}

// A name as the standard calling convention or C++ would decorate it.
bool IsDecorated(const std::string& name) {
  return name.empty() || name.find('@') != std::string::npos || name[0] == '?' ||
         name.compare(0, 2, "_Z") == 0;
}

class DeliverableDllTest : public ::testing::TestWithParam<Deliverable> {
 protected:
  void SetUp() override {
    const std::string path = progtest::ProgramFile(GetParam().file);
    ASSERT_FALSE(path.empty());
    m_dll.reset(new LoadedDll(path));
    ASSERT_NE(m_dll->Module(), nullptr) << path << " does not load, error " << m_dll->Error();
    ASSERT_NE(HeadersOf(*m_dll), nullptr) << "no image headers in " << path;
  }

  std::unique_ptr<LoadedDll> m_dll;
};

TEST_P(DeliverableDllTest, IsBuiltForThisFlavoursMachine) {
  const IMAGE_NT_HEADERS* headers = HeadersOf(*m_dll);
  EXPECT_EQ(headers->FileHeader.Machine, kFlavourMachine) << "the " << QEL_FLAVOUR_BITS << "-bit flavour";
  EXPECT_EQ(headers->OptionalHeader.Magic, IMAGE_NT_OPTIONAL_HDR_MAGIC);
  EXPECT_TRUE(headers->FileHeader.Characteristics & IMAGE_FILE_DLL);
}

TEST_P(DeliverableDllTest, ExportsExactlyTheNamesOfItsDefFile) {
  ASSERT_EQ(HeadersOf(*m_dll)->FileHeader.Machine, kFlavourMachine);
  const std::string def = progtest::SourceFile(GetParam().def);
  ASSERT_FALSE(def.empty());
  std::ifstream defFile(def);
  ASSERT_TRUE(defFile.good()) << "no .def file at " << def;
  const std::set<std::string> listed = DefNames(defFile);
  std::set<std::string> exported;
  for (const ExportEntry& entry : ExportsOf(*m_dll)) {
    EXPECT_FALSE(IsDecorated(entry.name)) << entry.name;
    exported.insert(entry.name);
  }
  EXPECT_EQ(exported, listed) << "the export table against " << def;
}

TEST_P(DeliverableDllTest, EveryExportIsFoundByItsName) {
  ASSERT_EQ(HeadersOf(*m_dll)->FileHeader.Machine, kFlavourMachine);
  for (const ExportEntry& entry : ExportsOf(*m_dll)) {
    const auto found = reinterpret_cast<const BYTE*>(::GetProcAddress(m_dll->Module(), entry.name.c_str()));
    EXPECT_NE(found, nullptr) << entry.name;
    EXPECT_EQ(found, entry.address) << entry.name << " is found elsewhere than its table says";
  }
}

INSTANTIATE_TEST_SUITE_P(ProgramFolder, DeliverableDllTest, ::testing::ValuesIn(kDeliverables),
                         [](const ::testing::TestParamInfo<Deliverable>& info) {
                           return std::string(info.param.name);
                         });

// ---- records written by a DLL -----------------------------------------------------

// count records of T, zeroed as a host hands them over, between two guards
// of one byte value. Each guard is wider than a record, so that a DLL that
// writes a record too many (or records of a larger size) writes into a guard,
// not into the heap behind it.
template <class T>
class Guarded {
 public:
  static constexpr size_t kGuardBytes = sizeof(T) + 64;
  static constexpr BYTE kGuardByte = 0xA5;

  explicit Guarded(int count) : m_count(count), m_bytes(2 * kGuardBytes + count * sizeof(T), kGuardByte) {
    std::memset(m_bytes.data() + kGuardBytes, 0, count * sizeof(T));
  }

  T* Records() { return reinterpret_cast<T*>(m_bytes.data() + kGuardBytes); }
  const T& operator[](int i) const { return reinterpret_cast<const T*>(m_bytes.data() + kGuardBytes)[i]; }
  int Count() const { return m_count; }

  // Empty while both guards hold; else where the first changed byte lies,
  // counted from the records' start.
  std::string DamagedGuard() const {
    const size_t after = kGuardBytes + m_count * sizeof(T);
    for (size_t i = 0; i < m_bytes.size(); ++i) {
      if ((i < kGuardBytes || i >= after) && m_bytes[i] != kGuardByte)
        return "a guard byte changed at " +
               std::to_string(static_cast<long>(i) - static_cast<long>(kGuardBytes)) + " from the start of " +
               std::to_string(m_count) + " records of " + std::to_string(sizeof(T)) + " bytes";
    }
    return "";
  }

 private:
  int m_count;
  std::vector<BYTE> m_bytes;
};

// A text field that ends inside its field.
template <size_t n>
bool Ended(const char (&field)[n]) {
  return std::memchr(field, 0, n) != nullptr;
}

bool TextsEnded(const QPI_ITEMINFO& item) { return Ended(item.szName) && Ended(item.szDescription); }

bool TextsEnded(const QPI_INTERFACEINFO& block) {
  const int entries = 1 + block.entry[0].type;  // the function, then what follows it
  if (entries > QPI_BLOCK_ENTRIES) return false;
  return std::all_of(block.entry, block.entry + entries, [](const QPI_ITEMINFO& e) { return TextsEnded(e); });
}

bool TextsEnded(const QPI_ENUMINFO& block) {
  const int values = block.header.type;
  if (!TextsEnded(block.header) || values >= QPI_BLOCK_ENTRIES) return false;
  return std::all_of(block.item, block.item + values,
                     [](const QPI_ENUMITEM& e) { return Ended(e.szName) && Ended(e.szDescription); });
}

bool IsZero(const void* bytes, size_t size) {
  const BYTE* p = static_cast<const BYTE*>(bytes);
  return std::all_of(p, p + size, [](BYTE b) { return b == 0; });
}

class SampexRecordsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string path = progtest::ProgramFile("Sampex.dll");
    ASSERT_FALSE(path.empty());
    m_dll.reset(new LoadedDll(path));
    ASSERT_NE(m_dll->Module(), nullptr) << path << " does not load, error " << m_dll->Error();
  }

  // The information record, filled inside its own size.
  QPI_PLUGINFO Info() {
    auto fill = m_dll->Export<QPI_GETPLUGINFOPROC>(QPI_EXPORT_GETPLUGINFO);
    Guarded<QPI_PLUGINFO> info(1);
    EXPECT_TRUE(fill && fill(info.Records()) == 1);
    EXPECT_EQ(info.DamagedGuard(), "");
    return info[0];
  }

  // A table export given room for exactly its count of records, for one
  // fewer, and for one more: it writes as many as it has room for, up to
  // its count, each with its texts ended, and nothing past them.
  template <class T, class Proc>
  void ExpectTableInsideItsRecords(const char* exportName, int count) {
    SCOPED_TRACE(exportName);
    auto fill = m_dll->Export<Proc>(exportName);
    ASSERT_NE(fill, nullptr);
    for (int room : {count, count - 1, count + 1}) {
      if (room < 0) continue;
      Guarded<T> table(room);
      EXPECT_EQ(fill(table.Records(), room), std::min(room, count)) << "room for " << room;
      EXPECT_EQ(table.DamagedGuard(), "") << "room for " << room;
      for (int i = 0; i < std::min(room, count); ++i) EXPECT_TRUE(TextsEnded(table[i])) << "record " << i;
      if (room > count) {
        EXPECT_TRUE(IsZero(&table[count], sizeof(T))) << "the record past the count is left alone";
      }
    }
  }

  std::unique_ptr<LoadedDll> m_dll;
};

TEST_F(SampexRecordsTest, InformationRecordIsFilledInsideItsSize) {
  const QPI_PLUGINFO info = Info();
  EXPECT_TRUE(Ended(info.szIdent) && Ended(info.szName) && Ended(info.szMaker) && Ended(info.szDescription) &&
              Ended(info.szCopyright));
  EXPECT_NE(info.szIdent[0], '\0') << "the identifier names the plug-in's window class";
  EXPECT_TRUE(IsZero(info.zero, sizeof info.zero));
  EXPECT_GT(info.nInterfaces + info.nProperties + info.nEvents + info.nEnums, 0);
}

TEST_F(SampexRecordsTest, EveryTableWritesItsCountOfRecordsAndNothingPast) {
  const QPI_PLUGINFO info = Info();
  ExpectTableInsideItsRecords<QPI_ITEMINFO, QPI_GETITEMINFOSPROC>(QPI_EXPORT_GETPROPERTYINFOS,
                                                                  info.nProperties);
  ExpectTableInsideItsRecords<QPI_INTERFACEINFO, QPI_GETINTERFACEINFOSPROC>(QPI_EXPORT_GETINTERFACEINFOS,
                                                                            info.nInterfaces);
  ExpectTableInsideItsRecords<QPI_ITEMINFO, QPI_GETITEMINFOSPROC>(QPI_EXPORT_GETEVENTINFOS, info.nEvents);
  ExpectTableInsideItsRecords<QPI_ENUMINFO, QPI_GETENUMINFOSPROC>(QPI_EXPORT_GETENUMINFOS, info.nEnums);
}

// ---- connection entries -----------------------------------------------------------

typedef void*(__stdcall* NurvexCreateProc)(const RtdbConnEntry*, int);
typedef int(__stdcall* NurvexGetArgsProc)(void*, RtdbConnEntry*, int, int*);
typedef int(__stdcall* NurvexDestroyProc)(void*);

RtdbConnEntry Entry(int i) {
  RtdbConnEntry entry = {};
  std::strcpy(entry.host, ("192.0.2." + std::to_string(i + 1)).c_str());
  std::strcpy(entry.account, ("operator" + std::to_string(i)).c_str());
  std::strcpy(entry.password, ("secret" + std::to_string(i)).c_str());
  entry.port = 11084 + i;
  return entry;
}

TEST(NurvexRecordsTest, ConnectionEntriesCrossWholeBothWays) {
  const std::string path = progtest::ProgramFile("system\\Nurvex.dll");
  ASSERT_FALSE(path.empty());
  LoadedDll dll(path);
  ASSERT_NE(dll.Module(), nullptr) << path << " does not load, error " << dll.Error();
  auto create = dll.Export<NurvexCreateProc>("i_Create");
  auto getArgs = dll.Export<NurvexGetArgsProc>("i_GetArgs");
  auto destroy = dll.Export<NurvexDestroyProc>("i_Destroy");
  ASSERT_TRUE(create && getArgs && destroy);
  const RtdbConnEntry given[] = {Entry(0), Entry(1), Entry(2)};
  void* handle = create(given, 3);
  ASSERT_NE(handle, nullptr);
  Guarded<RtdbConnEntry> taken(3);
  int count = -1;
  EXPECT_EQ(getArgs(handle, taken.Records(), 3, &count), 0);
  EXPECT_EQ(count, 3);
  EXPECT_EQ(taken.DamagedGuard(), "");
  for (int i = 0; i < 3; ++i)
    EXPECT_EQ(std::memcmp(&taken[i], &given[i], sizeof given[i]), 0) << "entry " << i;
  EXPECT_EQ(destroy(handle), 0);
}

}  // namespace
