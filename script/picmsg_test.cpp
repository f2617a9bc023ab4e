#include "../editctrl/picmsg.h"
// The picture model names its compiler-output notice itself; both must agree.
#include "../picture/picmsg.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

namespace {

TEST(PicMsg, NoTwoNamesShareANumber) {
  std::map<UINT, std::string> byNumber;
  std::set<std::string> names;
  for (const PicMessageName& row : kPicMessageNames) {
    EXPECT_TRUE(names.insert(row.name).second) << row.name << " listed twice";
    auto inserted = byNumber.emplace(row.number, row.name);
    EXPECT_TRUE(inserted.second) << row.name << " and " << inserted.first->second << " share "
                                 << std::hex << row.number;
  }
}

TEST(PicMsg, ServiceRequestsAreTheFourteenNumbersFrom0xB51) {
  std::set<UINT> requests;
  for (const PicMessageName& row : kPicMessageNames)
    if (std::string(row.name).compare(0, 4, "QSM_") == 0) requests.insert(row.number);
  ASSERT_EQ(14u, requests.size());
  EXPECT_EQ(0xB51u, *requests.begin());
  EXPECT_EQ(0xB5Eu, *requests.rbegin());
}

TEST(PicMsg, NumbersThatPeersRelyOn) {
  EXPECT_EQ(0x432, QCM_LOADPICDATA);
  EXPECT_EQ(0x496, QCM_QUERY);
  EXPECT_EQ(0x4CC, QCN_LINKPICTURE);
  EXPECT_EQ(0x4CD, QVM_LOADLINKEDPIC);
  EXPECT_EQ(0x4DC, QCN_OUTPUTTEXT);
  EXPECT_EQ(0xB04, QPM_FIREEVENT);
  EXPECT_EQ(0xB15, QPM_QUERYTAGS);
  EXPECT_EQ(0xB5A, QSM_READTAG);
  EXPECT_EQ(219, QSM_CHECKCODE);
}

}  // namespace
