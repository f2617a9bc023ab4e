// The project file: the bytes of a new project, round trips, and damaged files.
#include <gtest/gtest.h>

#include <string>

#include "archive.h"
#include "projecttest_util.h"
#include "tagvalue.h"

namespace {

// A 256-byte system tag record spelled out byte by byte.
std::vector<BYTE> SystemTagBytes(const char* name, const char* description, BYTE type) {
  std::vector<BYTE> rec(256, 0);
  std::memcpy(&rec[0], name, std::strlen(name));
  std::memcpy(&rec[32], description, std::strlen(description));
  rec[208] = type;
  rec[209] = 1;
  return rec;
}

std::vector<BYTE> NewProjectFile() {
  std::vector<BYTE> file = {0x55, 0x77, 0xBC, 0xAC, 0x00, 0x00, 0x03, 0x00, 0x00, 0x00};
  PutDword(file, 2);
  // "当前登录用户" and "当前登录用户权限" in code page 936.
  const std::vector<BYTE> user =
      SystemTagBytes("@suser", "\xB5\xB1\xC7\xB0\xB5\xC7\xC2\xBC\xD3\xC3\xBB\xA7", 6);
  const std::vector<BYTE> power =
      SystemTagBytes("@dwpower", "\xB5\xB1\xC7\xB0\xB5\xC7\xC2\xBC\xD3\xC3\xBB\xA7\xC8\xA8\xCF\xDE", 2);
  file.insert(file.end(), user.begin(), user.end());
  file.insert(file.end(), power.begin(), power.end());
  PutDword(file, 0);
  return file;
}

// A project with long header texts, more tags than one grow step and all
// eight connection entries.
void FillProject(CProject& project) {
  project.m_header1 = CString('h', 300);  // 0xFF and a 16-bit length
  project.m_header2 = "头二";
  project.AddSystemTags();
  for (int i = 0; i < 130; ++i) {
    CString name;
    name.Format("TAG%03d", i);
    LocalTagRecord rec = MakeLocalTag(name, "描述", "m3/h", "1.5", (BYTE)(1 + i % 7));
    rec.rowMark = (BYTE)(i % 2);
    ASSERT_TRUE(project.m_localTags.Append(rec));
  }
  for (int i = 0; i < kMaxConnEntries; ++i) {
    CString host;
    host.Format("10.0.0.%d", i + 1);
    project.m_conn.entries[i] = MakeConnEntry(host, 11084 + i, "admin", "secret");
  }
  project.m_conn.count = kMaxConnEntries;
}

TEST(ProjectFile, NewProjectStoresTheTwoSystemTagsAndNothingElse) {
  CProject project;
  project.AddSystemTags();
  const std::vector<BYTE> expected = NewProjectFile();
  ASSERT_EQ(530u, expected.size());
  EXPECT_EQ(expected, StoredBytes(project));
}

TEST(ProjectFile, NewProjectFileLoadsAsTwoSystemTagsWithoutEntries) {
  CProject project;
  ASSERT_EQ(CProject::kLoaded, LoadBytes(project, NewProjectFile()));
  ASSERT_EQ(2, project.m_localTags.GetCount());
  EXPECT_STREQ("@suser", project.m_localTags.GetTag(0)->name);
  EXPECT_EQ(TT_STRING, project.m_localTags.GetTag(0)->type);
  EXPECT_STREQ("@dwpower", project.m_localTags.GetTag(1)->name);
  EXPECT_EQ(TT_INT32, project.m_localTags.GetTag(1)->type);
  EXPECT_EQ(1, project.m_localTags.GetTag(1)->system);
  EXPECT_EQ(0, project.m_conn.count);
  EXPECT_TRUE(project.m_header1.IsEmpty() && project.m_header2.IsEmpty());
}

TEST(ProjectFile, RoundTripWithTagsAndEightEntriesIsByteIdentical) {
  CProject original;
  FillProject(original);
  const std::vector<BYTE> stored = StoredBytes(original);
  // 300-byte text: FF 2C 01 then the bytes.
  ASSERT_EQ(0xFF, stored[8]);
  EXPECT_EQ(0x2C, stored[9]);
  EXPECT_EQ(0x01, stored[10]);
  EXPECT_EQ(8u + 303 + 5 + 4 + 132 * 256 + 4 + 8 * 64, stored.size());

  CProject loaded;
  ASSERT_EQ(CProject::kLoaded, LoadBytes(loaded, stored));
  EXPECT_EQ(stored, StoredBytes(loaded));
  EXPECT_EQ(original.m_header1, loaded.m_header1);
  EXPECT_EQ(CString("头二"), loaded.m_header2);
  ASSERT_EQ(132, loaded.m_localTags.GetCount());
  EXPECT_STREQ("TAG129", loaded.m_localTags.GetTag(131)->name);
  EXPECT_EQ(1, loaded.m_localTags.GetTag(3)->rowMark);  // stored with the record unchanged
  ASSERT_EQ(8, loaded.m_conn.count);
  EXPECT_STREQ("10.0.0.8", loaded.m_conn.entries[7].host);
  EXPECT_EQ(11091u, loaded.m_conn.entries[7].port);
}

TEST(ProjectFile, RoundTripThroughADiskFile) {
  char path[MAX_PATH];
  GetTempPathA(MAX_PATH, path);
  std::string file = std::string(path) + "qel_project_test.qel";
  CProject original;
  FillProject(original);
  {
    CFile out(file.c_str(), CFile::modeCreate | CFile::modeWrite | CFile::typeBinary);
    original.Store(&out);
  }
  CProject loaded;
  {
    CFile in(file.c_str(), CFile::modeRead | CFile::typeBinary);
    EXPECT_EQ(CProject::kLoaded, loaded.Load(&in));
  }
  DeleteFileA(file.c_str());
  EXPECT_EQ(StoredBytes(original), StoredBytes(loaded));
}

TEST(ProjectFile, EmptyProjectLoads) {
  std::vector<BYTE> file = {0x55, 0x77, 0xBC, 0xAC, 0x00, 0x00, 0x03, 0x00, 0x00, 0x00};
  PutDword(file, 0);
  PutDword(file, 0);
  CProject project;
  project.AddSystemTags();
  EXPECT_EQ(CProject::kLoaded, LoadBytes(project, file));
  EXPECT_EQ(0, project.m_localTags.GetCount());
  EXPECT_EQ(0, project.m_conn.count);
}

TEST(ProjectFile, MoreThanEightEntriesKeepTheFirstEight) {
  std::vector<BYTE> file = {0x55, 0x77, 0xBC, 0xAC, 0x00, 0x00, 0x03, 0x00, 0x00, 0x00};
  PutDword(file, 0);
  PutDword(file, 10);
  for (int i = 0; i < 10; ++i) PutRecord(file, MakeConnEntry("127.0.0.1", 2000 + i, "u", "p"));
  CProject project;
  EXPECT_EQ(CProject::kLoaded, LoadBytes(project, file));
  EXPECT_EQ(8, project.m_conn.count);
  EXPECT_EQ(2007u, project.m_conn.entries[7].port);
}

TEST(ProjectFile, WrongMagicOrVersionStopsAndKeepsTheRest) {
  struct Case {
    std::vector<BYTE> head;
    int result;
    DWORD magic, version;
  } cases[] = {
      {{0x56, 0x77, 0xBC, 0xAC, 0x00, 0x00, 0x03, 0x00}, CProject::kWrongMagic, 0xACBC7756, 0x00030000},
      {{0x55, 0x77, 0xBC, 0xAC, 0x01, 0x00, 0x03, 0x00}, CProject::kWrongVersion, 0xACBC7755, 0x00030001},
  };
  for (const Case& c : cases) {
    CProject project;
    FillProject(project);
    EXPECT_EQ(c.result, LoadBytes(project, c.head));
    EXPECT_EQ(c.magic, project.m_magic);
    EXPECT_EQ(c.version, project.m_version);
    EXPECT_EQ(132, project.m_localTags.GetCount());
    EXPECT_EQ(8, project.m_conn.count);
    EXPECT_EQ(300, project.m_header1.GetLength());
    // Stored again, it is a file of the current format.
    CProject reread;
    EXPECT_EQ(CProject::kLoaded, LoadBytes(reread, StoredBytes(project)));
    EXPECT_EQ(132, reread.m_localTags.GetCount());
  }
}

// Every cut of a complete file is an archive exception, never a crash or a
// silent success.
TEST(ProjectFile, TruncatedFileIsAnEndOfFileArchiveException) {
  CProject source;
  FillProject(source);
  source.m_localTags.RemoveAt(5);
  const std::vector<BYTE> full = StoredBytes(source);
  for (size_t cut = 0; cut < full.size(); cut += (cut < 400 ? 1 : 61)) {
    CProject project;
    int cause = CArchiveException::none;
    try {
      LoadBytes(project, std::vector<BYTE>(full.begin(), full.begin() + cut));
    } catch (CArchiveException& e) {
      cause = e.m_cause;
    }
    ASSERT_EQ(CArchiveException::endOfFile, cause) << "cut at " << cut;
  }
}

TEST(ProjectFile, DamagedTagCountIsRefusedBeforeAnythingGrows) {
  std::vector<BYTE> file = {0x55, 0x77, 0xBC, 0xAC, 0x00, 0x00, 0x03, 0x00, 0x00, 0x00};
  PutDword(file, 0xFFFFFFFF);
  PutRecord(file, MakeLocalTag("A", "", "", "", 2));
  CProject project;
  project.AddSystemTags();
  EXPECT_THROW(LoadBytes(project, file), CArchiveException);
  EXPECT_EQ(2, project.m_localTags.GetCount());
  EXPECT_LE(project.m_localTags.GetCapacity(), CLocalTagArray::kGrowStep);
}

TEST(ProjectFile, TextsWithoutTerminatorAreCutInsideTheirFields) {
  LocalTagRecord tag;
  std::memset(&tag, 'x', sizeof tag);
  RtdbConnEntry entry;
  std::memset(&entry, 'y', sizeof entry);
  std::vector<BYTE> file = {0x55, 0x77, 0xBC, 0xAC, 0x00, 0x00, 0x03, 0x00, 0x00, 0x00};
  PutDword(file, 1);
  PutRecord(file, tag);
  PutDword(file, 1);
  PutRecord(file, entry);
  CProject project;
  ASSERT_EQ(CProject::kLoaded, LoadBytes(project, file));
  const LocalTagRecord* loaded = project.m_localTags.GetTag(0);
  EXPECT_EQ(31u, std::strlen(loaded->name));
  EXPECT_EQ(79u, std::strlen(loaded->description));
  EXPECT_EQ(15u, std::strlen(loaded->unit));
  EXPECT_EQ(79u, std::strlen(loaded->initialValue));
  EXPECT_EQ('x', loaded->reserved[44]);  // bytes other than the texts stay as read
  EXPECT_EQ(15u, std::strlen(project.m_conn.entries[0].host));
  EXPECT_EQ(15u, std::strlen(project.m_conn.entries[0].account));
  EXPECT_EQ(15u, std::strlen(project.m_conn.entries[0].password));
}

// Damaged bytes in the texts' prefixes and the counts: a result or an archive
// exception, and a project that still stores.
TEST(ProjectFile, DamagedBytesGiveAResultOrAnArchiveException) {
  CProject source;
  source.m_header1 = "abc";
  source.AddSystemTags();
  source.m_conn.entries[0] = MakeConnEntry("127.0.0.1", 11084, "admin", "secret");
  source.m_conn.count = 1;
  const std::vector<BYTE> full = StoredBytes(source);
  // magic, version, "abc" at 8, "" at 12, the tag count at 13, the entry count 68 bytes from the end.
  const size_t tagCount = 13, entryCount = full.size() - 64 - 4;
  for (size_t at : {size_t(0), size_t(3), size_t(4), size_t(7), size_t(8), size_t(9), size_t(12), size_t(13),
                    tagCount, tagCount + 1, tagCount + 3, tagCount + 4 + 208, entryCount, entryCount + 3}) {
    for (BYTE value : {BYTE(0x00), BYTE(0x01), BYTE(0x7F), BYTE(0xFE), BYTE(0xFF)}) {
      std::vector<BYTE> damaged = full;
      damaged[at] = value;
      CProject project;
      try {
        const int result = LoadBytes(project, damaged);
        EXPECT_TRUE(result >= CProject::kLoaded && result <= CProject::kWrongVersion);
      } catch (CArchiveException&) {
      }
      EXPECT_LE(project.m_localTags.GetCount(), 2) << at;  // never more than the file holds
      EXPECT_LE(project.m_conn.count, kMaxConnEntries) << at;
      project.MakeLocalValues();  // whatever type code the damage left
      EXPECT_FALSE(StoredBytes(project).empty());
    }
  }
}

TEST(ProjectFile, EntryCountAboveEightIsStoredAsEight) {
  CProject project;
  project.m_conn.count = 12;  // never trusted when written
  std::vector<BYTE> stored = StoredBytes(project);
  ASSERT_EQ(8u + 2 + 4 + 4 + 8 * 64, stored.size());
  EXPECT_EQ(8, stored[14]);
}

}  // namespace
