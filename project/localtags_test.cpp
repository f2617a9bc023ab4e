// Local tags: the record array, the comparator of the local-tag table, and the
// local-tag callbacks in the editor (no live values) and the viewer.
#include <gtest/gtest.h>

#include "projecttest_util.h"
#include "tagvalue.h"

namespace {

TEST(LocalTagArray, The129thTagGrowsTheArrayWithoutLosingARecord) {
  CLocalTagArray tags;
  for (int i = 0; i < 129; ++i) {
    CString name;
    name.Format("T%d", i);
    ASSERT_TRUE(tags.Append(MakeLocalTag(name, "", "", "", 2)));
    EXPECT_EQ(i < 128 ? 128 : 256, tags.GetCapacity());
  }
  ASSERT_EQ(129, tags.GetCount());
  for (int i = 0; i < 129; ++i) {
    CString name;
    name.Format("T%d", i);
    EXPECT_STREQ(name, tags.GetTag(i)->name);
  }
}

TEST(LocalTagArray, RemoveAtMovesTheLaterRecordsUpInOrder) {
  CLocalTagArray tags;
  for (const char* name : {"a", "b", "c", "d"}) tags.Append(MakeLocalTag(name, "", "", "", 2));
  EXPECT_TRUE(tags.RemoveAt(1));
  EXPECT_TRUE(tags.RemoveAt(2));  // the last one
  EXPECT_FALSE(tags.RemoveAt(2));
  ASSERT_EQ(2, tags.GetCount());
  EXPECT_STREQ("a", tags.GetTag(0)->name);
  EXPECT_STREQ("c", tags.GetTag(1)->name);
  EXPECT_EQ(nullptr, tags.GetTag(2));
  EXPECT_EQ(nullptr, tags.GetTag(-1));
}

TEST(LocalTagArray, MakeLocalTagCutsTextsToTheirFields) {
  const std::string longText(100, 'z');
  LocalTagRecord rec =
      MakeLocalTag(longText.c_str(), longText.c_str(), longText.c_str(), longText.c_str(), 5);
  EXPECT_EQ(31u, std::strlen(rec.name));
  EXPECT_EQ(79u, std::strlen(rec.description));
  EXPECT_EQ(15u, std::strlen(rec.unit));
  EXPECT_EQ(79u, std::strlen(rec.initialValue));
  for (BYTE b : rec.reserved) EXPECT_EQ(0, b);
}

TEST(LocalTagArray, FindComparesNamesExactly) {
  CLocalTagArray tags;
  tags.Append(MakeLocalTag("x", "", "", "", 2));
  tags.Append(MakeLocalTag("X", "", "", "", 2));
  EXPECT_EQ(0, tags.Find("x"));
  EXPECT_EQ(1, tags.Find("X"));
  EXPECT_EQ(-1, tags.Find("xx"));
  EXPECT_EQ(-1, tags.Find(std::string(40, 'x').c_str()));
}

struct CompareCase {
  LocalTagRecord a, b;
  int column;
  int ascending;  // expected result in ascending order
};

TEST(LocalTagArray, CompareRecordsByColumn) {
  const LocalTagRecord apple = MakeLocalTag("apple", "zz", "kg", "", 3);
  const LocalTagRecord banana = MakeLocalTag("banana", "aa", "kg", "", 2);
  const LocalTagRecord high = MakeLocalTag("\xB0\xA1", "", "", "", 2);  // a GBK character: unsigned bytes
  LocalTagRecord negative = MakeLocalTag("neg", "", "", "", 0);
  negative.type = 0x80;  // compares as a signed byte: below every valid type
  const CompareCase cases[] = {
      {apple, banana, 1, -1},                         // by name
      {apple, banana, 2, 1},                          // by description
      {apple, banana, 3, -1},                         // equal units, then by name
      {apple, banana, 4, 1},                          // by type
      {banana, banana, 4, 0}, {apple, banana, 0, 0},  // column 0 (row number) and others: equal
      {apple, banana, 5, 0},  {high, apple, 1, 1},   {negative, banana, 4, -1},
  };
  for (const CompareCase& c : cases) {
    EXPECT_EQ(c.ascending, CLocalTagArray::CompareRecords(&c.a, &c.b, 1, c.column)) << c.column;
    EXPECT_EQ(-c.ascending, CLocalTagArray::CompareRecords(&c.a, &c.b, 0, c.column)) << c.column;
  }
}

class LocalTagCallbacks : public ::testing::Test {
 protected:
  void SetUp() override {
    project.AddSystemTags();
    project.m_localTags.Append(MakeLocalTag("FLOW", "", "", "1.5", TT_FLOAT));
    project.m_localTags.Append(MakeLocalTag("NAME", "", "", "泵", TT_STRING));
    table = project.GetLocalCallbacks();
  }
  CProject project;
  LocalTagCallbackBlock table;
};

TEST_F(LocalTagCallbacks, TableHasTheProjectAsContext) {
  EXPECT_EQ(&project, table.context);
  EXPECT_TRUE(table.pfnLocalTagAt && table.pfnLocalTagWrite && table.pfnLocalTagRead);
}

TEST_F(LocalTagCallbacks, RecordAtIndexUntilMinusOne) {
  LocalTagRecord rec;
  EXPECT_EQ(2, table.pfnLocalTagAt(table.context, 2, &rec));
  EXPECT_STREQ("FLOW", rec.name);
  EXPECT_EQ(0, std::memcmp(&rec, project.m_localTags.GetTag(2), sizeof rec));
  std::memset(&rec, 0x5A, sizeof rec);
  EXPECT_EQ(-1, table.pfnLocalTagAt(table.context, 4, &rec));  // index == count
  EXPECT_EQ(-1, table.pfnLocalTagAt(table.context, -1, &rec));
  EXPECT_EQ(0x5A, ((BYTE*)&rec)[0]);  // left alone
  EXPECT_EQ(-1, table.pfnLocalTagAt(table.context, 0, nullptr));
}

TEST_F(LocalTagCallbacks, WithoutLiveValuesReadAndWriteAnswerZero) {
  CTagValue value(TT_INT32);
  value.SetInt32(7);
  for (const char* name : {"@suser", "@dwpower", "FLOW", "nothing"}) {
    EXPECT_EQ(0, table.pfnLocalTagWrite(table.context, name, &value)) << name;
    EXPECT_EQ(0, table.pfnLocalTagRead(table.context, name, &value)) << name;
  }
  EXPECT_EQ(TT_INT32, value.GetType());
  EXPECT_EQ(7, value.GetInt32());
}

TEST_F(LocalTagCallbacks, LiveValuesStartFromTheInitialTextInTheTagsType) {
  project.MakeLocalValues();
  ASSERT_EQ(4, project.m_values.GetCount());
  CTagValue value;
  ASSERT_EQ(1, table.pfnLocalTagRead(table.context, "FLOW", &value));
  EXPECT_EQ(TT_FLOAT, value.GetType());
  EXPECT_FLOAT_EQ(1.5f, value.GetFloat());
  CTagValue text(TT_INT32);  // the caller's value takes the held type
  ASSERT_EQ(1, table.pfnLocalTagRead(table.context, "NAME", &text));
  EXPECT_EQ(TT_STRING, text.GetType());
  EXPECT_STREQ("泵", text.GetData());
  ASSERT_EQ(1, table.pfnLocalTagRead(table.context, "@dwpower", &value));
  EXPECT_EQ(TT_INT32, value.GetType());
  EXPECT_EQ(0, value.GetInt32());
  EXPECT_EQ(0, table.pfnLocalTagRead(table.context, "flow", &value));  // case matters
}

TEST_F(LocalTagCallbacks, WriteConvertsToTheHeldType) {
  project.MakeLocalValues();
  CTagValue seven(TT_INT32);
  seven.SetInt32(7);
  ASSERT_EQ(1, table.pfnLocalTagWrite(table.context, "FLOW", &seven));
  CTagValue value;
  ASSERT_EQ(1, table.pfnLocalTagRead(table.context, "FLOW", &value));
  EXPECT_EQ(TT_FLOAT, value.GetType());
  EXPECT_FLOAT_EQ(7.0f, value.GetFloat());
  EXPECT_EQ(0, table.pfnLocalTagWrite(table.context, "FLOW", nullptr));
  EXPECT_EQ(0, table.pfnLocalTagWrite(table.context, nullptr, &seven));
}

TEST_F(LocalTagCallbacks, MakingLiveValuesAgainResetsThemToTheInitialValue) {
  project.MakeLocalValues();
  CTagValue seven(TT_INT32);
  seven.SetInt32(7);
  table.pfnLocalTagWrite(table.context, "FLOW", &seven);
  project.MakeLocalValues();
  EXPECT_EQ(4, project.m_values.GetCount());
  CTagValue value;
  table.pfnLocalTagRead(table.context, "FLOW", &value);
  EXPECT_FLOAT_EQ(1.5f, value.GetFloat());
}

}  // namespace
