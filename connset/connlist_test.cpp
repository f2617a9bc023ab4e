// The entries behind a handle and the texts of a row, without windows.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "connlist.h"
#include "connrow.h"

namespace {

RtdbConnEntry Entry(int i) {
  return MakeConnEntry(("10.0.0." + std::to_string(i)).c_str(), 1000 + i, "op", "pw");
}

TEST(ConnList, KeepsAtMostEightAndNoneForNothing) {
  RtdbConnEntry many[12];
  for (int i = 0; i < 12; ++i) many[i] = Entry(i);
  struct Case {
    const RtdbConnEntry* entries;
    int count;
    int held;
  } cases[] = {{many, 12, 8}, {many, 8, 8}, {many, 5, 5}, {many, 0, 0}, {many, -3, 0}, {nullptr, 4, 0}};
  for (const Case& c : cases) {
    CConnList list(c.entries, c.count);
    EXPECT_EQ(list.Count(), c.held) << c.count;
    for (int i = 0; i < list.Count(); ++i) EXPECT_EQ(std::memcmp(&list.Entry(i), &many[i], 64), 0);
  }
}

TEST(ConnList, CopiesOutNoMoreThanAskedAndLeavesTheRestOfTheBuffer) {
  RtdbConnEntry five[5];
  for (int i = 0; i < 5; ++i) five[i] = Entry(i);
  CConnList list(five, 5);
  RtdbConnEntry out[5];
  std::memset(out, 0xCC, sizeof out);
  EXPECT_EQ(list.CopyOut(out, 3), 3);
  EXPECT_EQ(std::memcmp(out, five, 3 * 64), 0);
  EXPECT_EQ(reinterpret_cast<unsigned char*>(&out[3])[0], 0xCC);
  EXPECT_EQ(list.CopyOut(out, 0), 0);
  EXPECT_EQ(list.CopyOut(out, -1), 0);
  EXPECT_EQ(list.CopyOut(nullptr, 5), 0);
}

TEST(ConnRow, AnEntryReadsAsItsTextsAndBackByteForByte) {
  RtdbConnEntry entry = MakeConnEntry("192.168.10.200", 65535, "操作员", "passwd_15_bytes");
  ConnRowTexts row = RowTextsOf(entry);
  EXPECT_EQ(row.host, "192.168.10.200");
  EXPECT_EQ(row.port, "65535");
  EXPECT_EQ(row.account, "操作员");
  EXPECT_EQ(row.password, "passwd_15_bytes");
  RtdbConnEntry back = EntryOf(row);
  EXPECT_EQ(std::memcmp(&back, &entry, sizeof entry), 0);
}

TEST(ConnRow, TextsAreCutToFifteenBytesNeverInsideACharacter) {
  ConnRowTexts row{"1.2.3.4", "1024", "一二三四五六七八", "0123456789abcdefXYZ"};
  RtdbConnEntry entry = EntryOf(row);
  EXPECT_STREQ(entry.account, "一二三四五六七");  // 14 bytes: the eighth would end at 16
  EXPECT_STREQ(entry.password, "0123456789abcde");
}

TEST(ConnRow, AnUnterminatedFieldIsReadUpToItsEnd) {
  RtdbConnEntry entry = MakeConnEntry("", 0, "", "");
  std::memset(entry.host, '7', sizeof entry.host);
  EXPECT_EQ(RowTextsOf(entry).host, "7777777777777777");
}

TEST(ConnRow, PortsAsRowsAndTheEditDialogSeeThem) {
  EXPECT_EQ(PortText(11084), "11084");
  EXPECT_EQ(PortText(0xFFFFFFFFu), "-1");  // written with %d
  EXPECT_EQ(EntryOf(ConnRowTexts{"", "-1", "", ""}).port, 0xFFFFFFFFu);
  EXPECT_EQ(EditPortOf("70000"), 70000u & 0xFFFF);
  EXPECT_EQ(EditPortOf("11084"), 11084u);
  EXPECT_EQ(EditPortOf(""), 0u);
}

}  // namespace
