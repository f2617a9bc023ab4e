// The connection entries, edited in the dialogs of system\Nurvex.dll as an
// engineer would.
#include "projecttest_util.h"
#include "resource.h"
#include "testing/dialogscript.h"
#include "test/editor_harness.h"

namespace editortest {
namespace {

using qeltest::DialogDriver;
using qeltest::DialogScript;

const char kListCaption[] = "服务器连接配置";
const char kAddCaption[] = "添加连接";
// The list dialog's controls and the edit dialog's fields (connset/resource.h).
const int kRows = 27000, kAdd = 27001, kHost = 27004, kPort = 27005, kAccount = 27006, kPassword = 27007;

struct Entry {
  const char* host;
  const char* port;
  const char* account;
  const char* password;
};
const Entry kEntries[3] = {{"10.1.1.1", "5001", "operator", "one"},
                           {"10.1.1.2", "5002", "engineer", "two"},
                           {"10.1.1.3", "65535", "admin", "three"}};

class RtdbTest : public EditorTest {
 protected:
  void SetUp() override {
    Start();
    doc_ = NewProject("p1");
    ASSERT_NE(doc_, nullptr);
  }
  std::string Library() const { return folder_.Path() + "system\\Nurvex.dll"; }
  void InstallNurvex() {
    ASSERT_TRUE(::CopyFileA((BuildProgramFolder() + "system\\Nurvex.dll").c_str(), Library().c_str(), FALSE));
  }
  CQelideDoc* doc_ = nullptr;
};

TEST_F(RtdbTest, ThreeConfirmedEntriesAreWrittenToTheProjectFileAtOnce) {
  InstallNurvex();
  DialogScript script;
  for (const Entry& e : kEntries) {
    script.On(kListCaption, [](DialogDriver& d) { d.Click(kAdd); }).On(kAddCaption, [e](DialogDriver& d) {
      d.Type(kHost, e.host);
      d.Type(kPort, e.port);
      d.Type(kAccount, e.account);
      d.Type(kPassword, e.password);
      d.Click(IDOK);
    });
  }
  script.On(kListCaption, [](DialogDriver& d) {
    EXPECT_EQ(d.ListRowCount(kRows), 3);
    d.Click(IDOK);
  });
  script.Run([&] { Command(ID_CONNECTION_SETTINGS); });
  EXPECT_TRUE(BoxTexts().empty());
  CProject read;
  std::string bytes = folder_.ReadFile("project\\p1\\p1.qel");
  ASSERT_EQ(LoadBytes(read, std::vector<BYTE>(bytes.begin(), bytes.end())), CProject::kLoaded);
  ASSERT_EQ(read.m_conn.count, 3);
  for (int i = 0; i < 3; ++i) {
    EXPECT_STREQ(read.m_conn.entries[i].host, kEntries[i].host);
    EXPECT_EQ(read.m_conn.entries[i].port, static_cast<DWORD>(std::stoul(kEntries[i].port)));
    EXPECT_STREQ(read.m_conn.entries[i].account, kEntries[i].account);
    EXPECT_STREQ(read.m_conn.entries[i].password, kEntries[i].password);
  }
  EXPECT_EQ(bytes.size(), 530u + 3 * 64);
  EXPECT_FALSE(doc_->IsModified());
  // The list shows them next time; cancelled, nothing changes.
  DialogScript again;
  again.On(kListCaption, [](DialogDriver& d) {
    EXPECT_EQ(d.ListText(kRows, 2, 0), "10.1.1.3");
    d.Click(IDCANCEL);
  });
  again.Run([&] { Command(ID_CONNECTION_SETTINGS); });
  EXPECT_EQ(folder_.ReadFile("project\\p1\\p1.qel"), bytes);
}

TEST_F(RtdbTest, WithoutTheLibraryItsPathIsReported) {
  Command(ID_CONNECTION_SETTINGS);
  EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Err:can't find dll<" + Library() + ">"});
  EXPECT_EQ(folder_.ReadFile("project\\p1\\p1.qel"), NewProjectBytes());
}

TEST_F(RtdbTest, ALibraryWithoutTheExportsIsReportedAsTheWrongOne) {
  ASSERT_TRUE(::CopyFileA((BuildProgramFolder() + "qel3api.dll").c_str(), Library().c_str(), FALSE));
  Command(ID_CONNECTION_SETTINGS);
  EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Err:<" + Library() + "> 是错误的库"});
  EXPECT_EQ(folder_.ReadFile("project\\p1\\p1.qel"), NewProjectBytes());
}

}  // namespace
}  // namespace editortest
