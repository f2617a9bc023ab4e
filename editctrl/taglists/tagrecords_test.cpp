// The tag records as the lists see them: the order of two records by column
// for both kinds, fields that fill their space without a terminator, and
// the type names.
#include <gtest/gtest.h>

#include <cstring>

#include "localtag.h"
#include "tagrecords.h"
#include "taglisttest_util.h"

namespace {

using taglisttest::ServerTag;

struct ServerCase {
  const char* what;
  QB_TAGATTR a, b;
  int column;
  int ascending;  // the ascending result; the descending one is its negation
};

TEST(CompareTagRecords, ServerRecordsByColumnWithTheNameBreakingTies) {
  const ServerCase cases[] = {
      {"name", ServerTag("a", 2), ServerTag("b", 1), kTagColumnName, -1},
      {"name, bytes unsigned", ServerTag("\xB0\xA1", 2), ServerTag("z", 2), kTagColumnName, 1},
      {"equal names", ServerTag("a", 2, "x"), ServerTag("a", 3, "y"), kTagColumnName, 0},
      {"description", ServerTag("b", 2, "a"), ServerTag("a", 2, "b"), kTagColumnDescription, -1},
      {"description without tie-break", ServerTag("b", 2, "d"), ServerTag("a", 2, "d"), kTagColumnDescription,
       0},
      {"unit", ServerTag("b", 2, "", "kg"), ServerTag("a", 2, "", "m"), kTagColumnUnit, -1},
      {"unit, then name", ServerTag("b", 2, "", "kg"), ServerTag("a", 2, "", "kg"), kTagColumnUnit, 1},
      {"type", ServerTag("b", 1), ServerTag("a", 2), kTagColumnType, -1},
      {"type, then name", ServerTag("a", 5), ServerTag("b", 5), kTagColumnType, -1},
      {"type as a signed byte", ServerTag("a", 0x80), ServerTag("b", 1), kTagColumnType, -1},
      {"the row number column is equal", ServerTag("a", 1), ServerTag("b", 2), 0, 0},
      {"a column past the type is equal", ServerTag("a", 1), ServerTag("b", 2), 5, 0},
  };
  for (const ServerCase& c : cases) {
    EXPECT_EQ(c.ascending, CompareTagRecords(kServerTagLayout, &c.a, &c.b, 1, c.column)) << c.what;
    EXPECT_EQ(-c.ascending, CompareTagRecords(kServerTagLayout, &c.a, &c.b, 0, c.column)) << c.what;
  }
}

// A name that fills all 80 bytes has no terminator; the bytes after it (the
// description) differ, and must not be read as part of the name.
TEST(CompareTagRecords, AFieldWithoutTerminatorIsNeverReadPastItsEnd) {
  QB_TAGATTR a = ServerTag("", 2, "first"), b = ServerTag("", 2, "second");
  std::memset(a.name, 'n', sizeof a.name);
  std::memset(b.name, 'n', sizeof b.name);
  EXPECT_EQ(0, CompareTagRecords(kServerTagLayout, &a, &b, 1, kTagColumnName));
  std::memset(a.unit, 'u', sizeof a.unit);
  std::memset(b.unit, 'u', sizeof b.unit);
  // Equal units: the names decide, and they are equal too, whatever follows.
  EXPECT_EQ(0, CompareTagRecords(kServerTagLayout, &a, &b, 1, kTagColumnUnit));

  const CString name =
      TagFieldText(reinterpret_cast<const BYTE*>(&a), kServerTagLayout.nameOffset, kServerTagLayout.nameSize);
  EXPECT_EQ(std::string(80, 'n'), name.str());
  EXPECT_EQ("first", TagFieldText(reinterpret_cast<const BYTE*>(&a), kServerTagLayout.descriptionOffset,
                                  kServerTagLayout.descriptionSize)
                         .str());
}

TEST(CompareTagRecords, LocalRecordsOrderLikeTheLocalTagTable) {
  const LocalTagRecord a = MakeLocalTag("b", "x", "kg", "", 3), b = MakeLocalTag("a", "y", "kg", "", 3);
  EXPECT_EQ(1, CompareTagRecords(kLocalTagLayout, &a, &b, 1, kTagColumnName));
  EXPECT_EQ(-1, CompareTagRecords(kLocalTagLayout, &a, &b, 1, kTagColumnDescription));
  EXPECT_EQ(1, CompareTagRecords(kLocalTagLayout, &a, &b, 1, kTagColumnUnit));
  EXPECT_EQ(-1, CompareTagRecords(kLocalTagLayout, &a, &b, 0, kTagColumnType));
}

TEST(TagRecordLayouts, NameTheFieldsOfBothRecords) {
  EXPECT_EQ(256, kServerTagLayout.recordSize);
  EXPECT_EQ(8192, kServerTagLayout.growStep);
  EXPECT_EQ(4, kServerTagLayout.typeOffset);
  EXPECT_EQ(12, kServerTagLayout.nameOffset);
  EXPECT_EQ(92, kServerTagLayout.descriptionOffset);
  EXPECT_EQ(172, kServerTagLayout.unitOffset);
  EXPECT_EQ(212, kServerTagLayout.markOffset);
  EXPECT_EQ(-1, kServerTagLayout.systemOffset);
  EXPECT_EQ(256, kLocalTagLayout.recordSize);
  EXPECT_EQ(128, kLocalTagLayout.growStep);
  EXPECT_EQ(208, kLocalTagLayout.typeOffset);
  EXPECT_EQ(209, kLocalTagLayout.systemOffset);
  EXPECT_EQ(210, kLocalTagLayout.markOffset);
  EXPECT_EQ(128, kLocalTagLayout.initialValueOffset);
}

TEST(GetTagTypeName, NamesTheSevenTypesAndVoidForAnyOther) {
  const struct {
    int type;
    const char* name;
  } cases[] = {{1, "digital"}, {2, "int32"}, {3, "float32"}, {4, "int64"},  {5, "float64"}, {6, "string"},
               {7, "blob"},    {0, "void"},  {8, "void"},    {255, "void"}, {-1, "void"},   {0x106, "void"}};
  for (const auto& c : cases) EXPECT_STREQ(c.name, GetTagTypeName(c.type)) << c.type;
}

}  // namespace
