// The connection entries, edited through system\Nurvex.dll (here a stand-in
// that confirms three entries without a dialog).
#include "projecttest_util.h"
#include "resource.h"
#include "test/editor_harness.h"

namespace editortest {
namespace {

class RtdbTest : public EditorTest {
 protected:
  void SetUp() override {
    Start();
    doc_ = NewProject("p1");
    ASSERT_NE(doc_, nullptr);
  }
  std::string Library() const { return folder_.Path() + "system\\Nurvex.dll"; }
  CQelideDoc* doc_ = nullptr;
};

TEST_F(RtdbTest, ThreeConfirmedEntriesAreWrittenToTheProjectFileAtOnce) {
  ASSERT_TRUE(::CopyFileA("fakenurvex.dll", Library().c_str(), FALSE));
  Command(ID_CONNECTION_SETTINGS);
  EXPECT_TRUE(BoxTexts().empty());
  CProject read;
  std::string bytes = folder_.ReadFile("project\\p1\\p1.qel");
  ASSERT_EQ(LoadBytes(read, std::vector<BYTE>(bytes.begin(), bytes.end())), CProject::kLoaded);
  ASSERT_EQ(read.m_conn.count, 3);
  EXPECT_STREQ(read.m_conn.entries[0].host, "10.1.1.1");
  EXPECT_EQ(read.m_conn.entries[0].port, 5001u);
  EXPECT_STREQ(read.m_conn.entries[1].account, "engineer");
  EXPECT_STREQ(read.m_conn.entries[2].password, "three");
  EXPECT_EQ(read.m_conn.entries[2].port, 65535u);
  EXPECT_EQ(bytes.size(), 530u + 3 * 64);
  EXPECT_FALSE(doc_->IsModified());
  // Asked again with entries, the stand-in does not confirm: nothing changes.
  Command(ID_CONNECTION_SETTINGS);
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
