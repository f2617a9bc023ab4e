// The host record against a plug-in of our own that misbehaves as told: a
// missing export, table functions that answer more or less than asked, texts
// without a terminating zero.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "testing/loadmarker.h"
#include "moduledir.h"
#include "plughost.h"
#include "testing/qpitest_host.h"

namespace {

using qpitest::TestPlugin;

class PlugHostTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(plugin_.Ok()) << qpitest::kUnruly << " not found"; }

  TestPlugin plugin_;
};

// The count the record holds for a table after loading.
WORD CountOf(const CPlugHost& host, QpiTestTable t) {
  const QPI_PLUGINFO& info = host.GetInfo();
  const WORD counts[kTestTables] = {info.nProperties, info.nInterfaces, info.nEvents, info.nEnums};
  return counts[t];
}

const void* TableOf(const CPlugHost& host, QpiTestTable t) {
  const void* tables[kTestTables] = {host.GetProperties(), host.GetInterfaces(), host.GetEvents(),
                                     host.GetEnums()};
  return tables[t];
}

TEST(PlugHostLibrary, AMissingExportIsRefusedWithMinusTwoAndTheLibraryFreed) {
  for (const char* missing : qpitest::kExports) {
    const std::string library = qpitest::MissingExportLibrary(missing);
    CPlugHost host;
    EXPECT_EQ(host.Load(library.c_str()), CPlugHost::kMissingExport) << missing;
    EXPECT_EQ(CPlugHost::kMissingExport, -2);
    EXPECT_FALSE(host.IsLoaded()) << missing;
    EXPECT_FALSE(qpitest::IsLoaded(library.c_str())) << missing;
    EXPECT_STREQ(host.GetPath(), library.c_str()) << "the path stays";
    EXPECT_EQ(host.GetProperties(), nullptr);
  }
}

TEST(PlugHostLibrary, NoPathOrNoLibraryIsMinusOne) {
  const struct { const char* path; } cases[] = {{nullptr}, {""}, {"no_such_plugin.dll"}};
  for (const auto& c : cases) {
    CPlugHost host;
    EXPECT_EQ(host.Load(c.path), CPlugHost::kNoLibrary) << (c.path ? c.path : "null");
    EXPECT_EQ(host.GetModule(), nullptr);
  }
}

TEST(PlugHostLibrary, AtMost255CharactersOfThePathAreKept) {
  const std::string path(300, 'p');
  CPlugHost host;
  EXPECT_EQ(host.Load(path.c_str()), CPlugHost::kNoLibrary);
  EXPECT_EQ(std::strlen(host.GetPath()), 255u);
  EXPECT_EQ(std::string(host.GetPath()), path.substr(0, 255));
}

TEST_F(PlugHostTest, TheRecordAndTheTablesAreReadInTheirOrder) {
  CPlugHost host;
  ASSERT_EQ(host.Load(qpitest::kUnruly), CPlugHost::kLoaded);
  const QpiTestLogRecord& log = plugin_.Log();
  EXPECT_EQ(log.infoCalls, 1);
  ASSERT_EQ(log.orderCount, 4);
  const int expectedOrder[] = {kTestProperties, kTestInterfaces, kTestEvents, kTestEnums};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(log.order[i], expectedOrder[i]) << i;
  const QpiTestConfig defaults = TestPlugin::Defaults();
  for (int t = 0; t < kTestTables; ++t) {
    EXPECT_EQ(log.tableMax[t], defaults.counts[t]) << "each function is asked for its count";
    EXPECT_EQ(CountOf(host, QpiTestTable(t)), defaults.counts[t]);
  }
  EXPECT_STREQ(host.GetIdentifier(), QPITEST_CLASS);
  EXPECT_STREQ(host.GetInfo().szName, "test");
  ASSERT_NE(host.GetProperties(), nullptr);
  EXPECT_EQ(host.GetProperties()[1].id, 101);
  EXPECT_STREQ(host.GetProperties()[1].szName, "item");
  ASSERT_NE(host.GetInterfaces(), nullptr);
  EXPECT_EQ(host.GetInterfaces()[0].entry[31].id, 131) << "a whole block of 32 entries";
  ASSERT_NE(host.GetEnums(), nullptr);
  EXPECT_STREQ(host.GetEnums()[0].item[30].szDescription, "an item");
  EXPECT_EQ(host.GetModule(), ::GetModuleHandleA(qpitest::kUnruly));
}

TEST_F(PlugHostTest, TableCountsAreHeldToWhatWasAsked) {
  const struct {
    WORD count;
    int delta;      // the function answers count + delta
    WORD expected;  // the count kept
    bool called;
  } cases[] = {
      {3, +5, 3, true},    // more than asked: the maximum
      {3, -1, 2, true},    // fewer: that number
      {3, -100, 0, true},  // a negative answer: none
      {0, 0, 0, false},    // nothing announced: not asked, no table
  };
  for (int t = 0; t < kTestTables; ++t) {
    for (const auto& c : cases) {
      QpiTestConfig config = TestPlugin::Defaults();
      config.counts[t] = c.count;
      config.delta[t] = c.delta;
      plugin_.Configure(config);
      CPlugHost host;
      ASSERT_EQ(host.Load(qpitest::kUnruly), CPlugHost::kLoaded);
      SCOPED_TRACE(::testing::Message() << "table " << t << " count " << c.count << " delta " << c.delta);
      EXPECT_EQ(CountOf(host, QpiTestTable(t)), c.expected);
      EXPECT_EQ(plugin_.Log().tableCalls[t], c.called ? 1 : 0);
      EXPECT_EQ(TableOf(host, QpiTestTable(t)) != nullptr, c.expected > 0);
    }
  }
}

// Every 128-byte entry of a table: both texts end inside their fields.
void ExpectTerminatedItems(const void* table, size_t entries, const char* what) {
  const QPI_ITEMINFO* item = static_cast<const QPI_ITEMINFO*>(table);
  for (size_t i = 0; i < entries; ++i) {
    EXPECT_EQ(std::strlen(item[i].szName), 31u) << what << " " << i;
    EXPECT_EQ(std::strlen(item[i].szDescription), 91u) << what << " " << i;
  }
}

TEST_F(PlugHostTest, UnterminatedTextsAreCutToTheirFields) {
  QpiTestConfig config = TestPlugin::Defaults();
  config.unterminated = TRUE;
  plugin_.Configure(config);
  CPlugHost host;
  ASSERT_EQ(host.Load(qpitest::kUnruly), CPlugHost::kLoaded);
  const QPI_PLUGINFO& info = host.GetInfo();
  EXPECT_EQ(std::string(host.GetIdentifier()), std::string(31, 'Q'));
  EXPECT_EQ(std::strlen(info.szName), 31u);
  EXPECT_EQ(std::strlen(info.szMaker), 31u);
  EXPECT_EQ(std::strlen(info.szDescription), 255u);
  EXPECT_EQ(std::strlen(info.szCopyright), 127u);
  ExpectTerminatedItems(host.GetProperties(), info.nProperties, "property");
  ExpectTerminatedItems(host.GetEvents(), info.nEvents, "event");
  ExpectTerminatedItems(host.GetInterfaces(), info.nInterfaces * QPI_BLOCK_ENTRIES, "interface");
  ExpectTerminatedItems(host.GetEnums(), info.nEnums * QPI_BLOCK_ENTRIES, "enumeration");
}

TEST_F(PlugHostTest, UnloadingFreesTheLibraryAndForgetsTheRecordButNotThePath) {
  CPlugHost host;
  ASSERT_EQ(host.Load(qpitest::kUnruly), CPlugHost::kLoaded);
  plugin_.Release();
  ASSERT_TRUE(qpitest::IsLoaded(qpitest::kUnruly)) << "the host holds it";
  host.Unload();
  EXPECT_FALSE(qpitest::IsLoaded(qpitest::kUnruly));
  EXPECT_FALSE(host.IsLoaded());
  EXPECT_EQ(host.GetInfo().nProperties, 0);
  EXPECT_STREQ(host.GetIdentifier(), "");
  EXPECT_EQ(host.GetProperties(), nullptr);
  EXPECT_EQ(host.GetEnums(), nullptr);
  EXPECT_STREQ(host.GetPath(), qpitest::kUnruly);
}

TEST_F(PlugHostTest, LoadingAgainAndDestroyingFreeTheLibraryHeld) {
  {
    CPlugHost host;
    ASSERT_EQ(host.Load(qpitest::kUnruly), CPlugHost::kLoaded);
    plugin_.Release();
    EXPECT_EQ(host.Load("no_such_plugin.dll"), CPlugHost::kNoLibrary);
    EXPECT_FALSE(qpitest::IsLoaded(qpitest::kUnruly)) << "the first library was unloaded";
  }
  TestPlugin again;
  {
    CPlugHost host;
    ASSERT_EQ(host.Load(qpitest::kUnruly), CPlugHost::kLoaded);
    again.Release();
  }
  EXPECT_FALSE(qpitest::IsLoaded(qpitest::kUnruly)) << "the destructor unloads";
}

// ---- which names load ------------------------------------------------------------

TEST(PlugHostName, OnlyABareFileNameIsAccepted) {
  const struct {
    const char* name;
    bool bare;
  } cases[] = {
      {"Sampex.dll", true},      {"my plug-in.dll", true},
      {"誠.dll", true},  // its trail byte is the code of a backslash
      {"C:\\any\\x.dll", false}, {"\\\\host\\share\\x.dll", false},
      {"..\\x.dll", false},      {"sub/x.dll", false},
      {"C:x.dll", false},        {"x.dll:stream", false},
      {"x..dll", false},         {"..", false},
      {nullptr, false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(CPlugHost::IsBareFileName(c.name), c.bare) << (c.name ? c.name : "null");
}

// The current folder of the process, changed for the length of a case.
class CurrentFolder {
 public:
  explicit CurrentFolder(const std::string& folder) {
    ::GetCurrentDirectoryA(MAX_PATH, m_previous);
    m_changed = ::SetCurrentDirectoryA(folder.c_str()) != FALSE;
  }
  ~CurrentFolder() { ::SetCurrentDirectoryA(m_previous); }
  bool Changed() const { return m_changed; }

 private:
  char m_previous[MAX_PATH] = "";
  bool m_changed = false;
};

std::string MarkerFolder() { return std::string(GetModuleDir().GetString()) + qpitest::kMarkerFolder; }

// Every form of a name that reaches the marker library, which lies outside
// the program folder: none loads it, whether the search order, the current
// folder or the program folder would have found it.
TEST(PlugHostName, NoNameReachesALibraryOutsideTheProgramFolder) {
  const std::string folder = MarkerFolder();  // ends in a backslash
  const std::string library = qpitest::kMarkerLibrary;
  ASSERT_EQ(::GetFileAttributesA((folder + library).c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u)
      << folder + library << " is missing";
  const std::string drive = folder.substr(0, 2);  // "Z:"
  CurrentFolder inMarkerFolder(folder);
  ASSERT_TRUE(inMarkerFolder.Changed());
  const struct {
    std::string name;
    int result;
    const char* form;
  } cases[] = {
      {folder + library, CPlugHost::kRefusedName, "absolute path"},
      {"\\\\?\\" + folder + library, CPlugHost::kRefusedName, "UNC-looking path"},
      {"..\\outside\\" + library, CPlugHost::kRefusedName, "relative path through .."},
      {"./" + library, CPlugHost::kRefusedName, "forward slash"},
      {drive + library, CPlugHost::kRefusedName, "drive-relative path"},
      {library + "::$DATA", CPlugHost::kRefusedName, "a name with ':'"},
      {library, CPlugHost::kNoLibrary, "bare name found only in the current folder"},
  };
  for (const auto& c : cases) {
    loadmarker::Armed marker;
    CPlugHost host;
    EXPECT_EQ(host.Load(c.name.c_str()), c.result) << c.form << ": " << c.name;
    EXPECT_FALSE(host.IsLoaded()) << c.form;
    EXPECT_FALSE(qpitest::IsLoaded(qpitest::kMarkerLibrary)) << c.form;
    EXPECT_EQ(marker.Written(), "") << c.form << ": its start-up code ran";
    EXPECT_STREQ(host.GetPath(), c.name.c_str()) << "the name stays";
  }
}

TEST_F(PlugHostTest, ABareNameLoadsFromTheProgramFolderWhateverTheCurrentFolder) {
  CurrentFolder elsewhere(MarkerFolder());
  ASSERT_TRUE(elsewhere.Changed());
  CPlugHost host;
  ASSERT_EQ(host.Load(qpitest::kUnruly), CPlugHost::kLoaded);
  char path[MAX_PATH] = "";
  ::GetModuleFileNameA(host.GetModule(), path, MAX_PATH);
  EXPECT_STREQ(path, (std::string(GetModuleDir().GetString()) + qpitest::kUnruly).c_str());
}

}  // namespace
