// The settings file's parsing rules, line by line and through whole files.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "viewersettings.h"

namespace {

struct KeyLine {
  std::string section, key, value;
  bool operator==(const KeyLine& o) const { return section == o.section && key == o.key && value == o.value; }
};

class RecordingReader : public CIniReader {
 public:
  std::vector<KeyLine> keys;

 protected:
  void OnKey(const std::string& s, const std::string& k, const std::string& v) override {
    keys.push_back({s, k, v});
  }
};

std::vector<KeyLine> Parse(const std::vector<std::string>& lines) {
  RecordingReader r;
  for (const std::string& l : lines) r.ParseLine(l);
  return r.keys;
}

struct ParseCase {
  const char* rule;
  std::vector<std::string> lines;
  std::vector<KeyLine> expected;
};

TEST(IniReader, LineRules) {
  const ParseCase cases[] = {
      {"key and value trimmed, comment cut",
       {"[local]", "  project = demo ; the plant"},
       {{"local", "project", "demo"}}},
      {"every '=' is dropped", {"[local]", "indexpic=a=b.pic"}, {{"local", "indexpic", "ab.pic"}}},
      {"a key before any section is ignored",
       {"project=x", "[local]", "project=y"},
       {{"local", "project", "y"}}},
      {"a section without ']' silences the keys after it",
       {"[local]", "a=1", "[broken", "b=2", "[next]", "c=3"},
       {{"local", "a", "1"}, {"next", "c", "3"}}},
      {"the section is the text up to the first ']'", {"[ab]cd]", "k=v"}, {{"ab", "k", "v"}}},
      {"comments, blank lines and lines without '=' are skipped",
       {"[s]", "; note", "   ", "", "\t; indented note", "no equals here"},
       {}},
      {"a line of only a comment after the key part gives an empty value",
       {"[s]", "k= ;x"},
       {{"s", "k", ""}}},
      {"an '=' after the ';' does not count", {"[s]", "k ; =v"}, {}},
      {"an empty key is still a key line", {"[s]", "=v"}, {{"s", "", "v"}}},
      {"leading white space before a section line", {"  \t[s]", "k=v"}, {{"s", "k", "v"}}},
      {"an empty section '[]' ignores its keys", {"[s]", "[]", "k=v"}, {}},
  };
  for (const ParseCase& c : cases) EXPECT_EQ(Parse(c.lines), c.expected) << c.rule;
}

TEST(ViewerSettings, SectionAndKeysWithoutRegardToCase) {
  CViewerSettings s;
  for (const char* l : {"[LOCAL]", "PrOjEcT = demo ; comment", "INDEXPIC=start.pic", "[other]", "project=no"})
    s.ParseLine(l);
  EXPECT_EQ(s.m_project, "demo");
  EXPECT_EQ(s.m_startPicture, "start.pic");
}

TEST(ViewerSettings, OtherSectionsAndKeysAreIgnored) {
  CViewerSettings s;
  for (const char* l : {"[remote]", "project=x", "[ local ]", "project=y", "[local]", "title=z"})
    s.ParseLine(l);
  EXPECT_EQ(s.m_project, "");
  EXPECT_EQ(s.m_startPicture, "");
}

TEST(ViewerSettings, ALaterKeyReplacesAnEarlierOne) {
  CViewerSettings s;
  for (const char* l : {"[local]", "indexpic=a.pic", "indexpic=b.pic"}) s.ParseLine(l);
  EXPECT_EQ(s.m_startPicture, "b.pic");
}

class IniFileTest : public ::testing::Test {
 protected:
  void Write(const std::string& bytes) {
    FILE* f = std::fopen(path_.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
  }
  void TearDown() override { std::remove(path_.c_str()); }
  // ctest runs every case as its own process side by side: one file each.
  std::string path_ = "inireader_test_" + std::to_string(::GetCurrentProcessId()) + ".ini";
};

TEST_F(IniFileTest, LastLineWithoutLineFeedCounts) {
  Write("[local]\nproject=demo\nindexpic=start.pic");
  CViewerSettings s;
  ASSERT_TRUE(s.ReadFile(path_.c_str()));
  EXPECT_EQ(s.m_project, "demo");
  EXPECT_EQ(s.m_startPicture, "start.pic");
}

TEST_F(IniFileTest, CarriageReturnsDoNotReachTheValues) {
  Write("[local]\r\nproject=demo\r\nindexpic=start.pic\r\n");
  CViewerSettings s;
  ASSERT_TRUE(s.ReadFile(path_.c_str()));
  EXPECT_EQ(s.m_project, "demo");
  EXPECT_EQ(s.m_startPicture, "start.pic");
}

TEST_F(IniFileTest, AByteFFEndsTheReading) {
  Write(std::string("[local]\nproject=demo\n\xFF\nindexpic=start.pic\n"));
  CViewerSettings s;
  ASSERT_TRUE(s.ReadFile(path_.c_str()));
  EXPECT_EQ(s.m_project, "demo");
  EXPECT_EQ(s.m_startPicture, "");
}

TEST_F(IniFileTest, GbkNamesPassUnchanged) {
  Write("[local]\nproject=精馏\nindexpic=总貌.pic\n");
  CViewerSettings s;
  ASSERT_TRUE(s.ReadFile(path_.c_str()));
  EXPECT_EQ(s.m_project, "精馏");
  EXPECT_EQ(s.m_startPicture, "总貌.pic");
}

TEST(IniReaderFile, AMissingFileIsFalse) {
  CViewerSettings s;
  EXPECT_FALSE(s.ReadFile("no-such-file.ini"));
}

}  // namespace
