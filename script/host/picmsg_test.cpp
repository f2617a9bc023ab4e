#include "qel/picmsg.h"
// The picture model names its compiler-output notice itself; both must agree.

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

namespace {

// Every message number of the picture-window protocol as the protocol's
// tables give it (the host messages, the notices, the service requests, the
// plug-in messages, the viewer's own message and the notices of the list and
// colour components), written out here by hand:
// the header's name beside the number that the programs and plug-ins built
// apart rely on.
struct Documented {
  const char* name;
  UINT inHeader;
  UINT number;
};
#define ROW(name, number) \
  { #name, name, number }
const Documented kDocumented[] = {
    // host to picture window
    ROW(QCM_SETLOCALCALLBACKS, 0x400),
    ROW(QCM_SETHOSTCALLBACKS, 0x401),
    ROW(QCM_PICFOLDER, 0x402),
    ROW(QCM_OPENPIC, 0x403),
    ROW(QCM_NEWPIC, 0x404),
    ROW(QCM_SAVEPIC, 0x405),
    ROW(QCM_SETPROPERTY, 0x406),
    ROW(QCM_OBJECTDIALOG, 0x407),
    ROW(QCM_SETEVENTLINK, 0x408),
    ROW(QCM_COPY, 0x409),
    ROW(QCM_CUT, 0x40A),
    ROW(QCM_PASTE, 0x40B),
    ROW(QCM_UNDO, 0x40C),
    ROW(QCM_REDO, 0x40D),
    ROW(QCM_ARRANGE, 0x40E),
    ROW(QCM_GROUP, 0x40F),
    ROW(QCM_SUBPICTURE, 0x410),
    ROW(QCM_ROTATE, 0x411),
    ROW(QCM_RENOTIFY, 0x412),
    ROW(QCM_IMPORTWMF, 0x413),
    ROW(QCM_NOTIFYPROPS, 0x414),
    ROW(QCM_LOADPICDATA, 0x432),
    ROW(QCM_SELECTTOOL, 0x464),
    ROW(QCM_ZOOM, 0x465),
    ROW(QCM_SNAPGRID, 0x466),
    ROW(QCM_COMPILE, 0x467),
    ROW(QCM_QUERY, 0x496),
    // picture window to its parent
    ROW(QCN_VIEWCHANGED, 0x4C8),
    ROW(QCN_PROPERTIES, 0x4C9),
    ROW(QCN_EVENTLINKS, 0x4CA),
    ROW(QCN_CHANGED, 0x4CB),
    ROW(QCN_LINKPICTURE, 0x4CC),
    ROW(QCN_OUTPUTTEXT, 0x4DC),
    // the viewer's own, posted to itself
    ROW(QVM_LOADLINKEDPIC, 0x4CD),
    // the script editor's own, posted to its edit control
    ROW(QSE_DROPTIPLIST, 0x8001),
    // plug-ins
    ROW(QPM_CALLINTERFACE, 0xB01),
    ROW(QPM_SETPROPERTY, 0xB02),
    ROW(QPM_GETPROPERTY, 0xB03),
    ROW(QPM_FIREEVENT, 0xB04),
    ROW(QPM_SHOWPAGES, 0xB05),
    ROW(QPM_QUERYTAGS, 0xB15),
    // service requests
    ROW(QSM_TAGGETATTR, 0xB51),
    ROW(QSM_TAGQUERY, 0xB52),
    ROW(QSM_READREAL, 0xB53),
    ROW(QSM_READREALVAR, 0xB54),
    ROW(QSM_READHIS, 0xB55),
    ROW(QSM_READHISVAR, 0xB56),
    ROW(QSM_READHISEX, 0xB57),
    ROW(QSM_GETHISSUM, 0xB58),
    ROW(QSM_GETHISSUMEX, 0xB59),
    ROW(QSM_READTAG, 0xB5A),
    ROW(QSM_READLOCAL, 0xB5B),
    ROW(QSM_READLOCALVAR, 0xB5C),
    ROW(QSM_WRITELOCAL, 0xB5D),
    ROW(QSM_WRITELOCALVAR, 0xB5E),
    // the list and colour components to their owners
    ROW(QLN_ROWDBLCLK, 0x415),
    ROW(QCPN_SELCHANGE, 0x7E9),
    ROW(QCPN_SELENDOK, 0x7EC),
    ROW(QCPN_SELENDCANCEL, 0x7ED),
    ROW(QCCN_CHANGED, 0x3F3),
};
#undef ROW

TEST(PicMsg, EveryMessageHasItsDocumentedNumber) {
  for (const Documented& row : kDocumented)
    EXPECT_EQ(row.number, row.inHeader) << row.name << std::hex << " is 0x" << row.inHeader;
  // The code in the low word of every service request's check word.
  EXPECT_EQ(219, QSM_CHECKCODE);
}

TEST(PicMsg, TheHeadersTableListsEveryDocumentedMessageOnce) {
  std::map<std::string, UINT> documented;
  for (const Documented& row : kDocumented) documented.emplace(row.name, row.number);
  std::set<std::string> listed;
  for (const PicMessageName& row : kPicMessageNames) {
    EXPECT_TRUE(listed.insert(row.name).second) << row.name << " listed twice";
    auto found = documented.find(row.name);
    if (found == documented.end()) {
      ADD_FAILURE() << row.name << " is no message of the protocol";
      continue;
    }
    EXPECT_EQ(found->second, row.number) << row.name;
  }
  for (const auto& entry : documented) EXPECT_EQ(1u, listed.count(entry.first)) << entry.first << " missing";
}

TEST(PicMsg, NoTwoNamesShareANumber) {
  std::map<UINT, std::string> byNumber;
  for (const PicMessageName& row : kPicMessageNames) {
    auto inserted = byNumber.emplace(row.number, row.name);
    EXPECT_TRUE(inserted.second) << row.name << " and " << inserted.first->second << " share " << std::hex
                                 << row.number;
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

TEST(PicMsg, QueryAndArrangeCodesAreTheDocumentedOnes) {
  const int queries[] = {QCQ_CANPASTE, QCQ_SELCOUNT, QCQ_CANUNDO, QCQ_CANREDO,
                         QCQ_MULTISEL, QCQ_GROUPSEL, QCQ_ANYSEL,  QCQ_SUBPICTURESEL,
                         QCQ_TOOL,     QCQ_MODIFIED, QCQ_SNAP};
  for (int code = 0; code <= 10; ++code) EXPECT_EQ(code, queries[code]) << "query " << code;
  const int arranges[] = {QCA_ALIGNLEFT, QCA_ALIGNTOP,  QCA_ALIGNRIGHT, QCA_ALIGNBOTTOM,
                          QCA_SPACEHORZ, QCA_SPACEVERT, QCA_BACKWARD,   QCA_FORWARD};
  for (int code = 0; code <= 7; ++code) EXPECT_EQ(code, arranges[code]) << "arrange " << code;
}

}  // namespace
