// The service requests of the runtime window: the check word, the database
// requests passed to the host table, and the tag and local-tag services.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "qel/checkword.h"
#include "picfile.h"
#include "picobj.h"
#include "runharness.h"

using namespace runtest;

namespace {

class RunServices : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(h.Ok()); }
  Harness h;
};

// A check word whose high word does not match its low word's CRC.
DWORD BadCheckWord() { return MakeHostParam(QSM_CHECKCODE) ^ 0x00010000; }

TEST_F(RunServices, WrongCheckWordAnswersOneAndCallsNothing) {
  QB_VALUE v = {};
  NumTagRequest num = {"a", &v};
  VarReply reply = {};
  VarTagRequest var = {"a", &reply};
  QB_TAGATTR attr = {};
  h.locals.values["a"] = CTagValue(TT_INT32);
  const struct {
    UINT msg;
    const void* record;
  } requests[] = {{QSM_READTAG, &num},    {QSM_READLOCAL, &num},     {QSM_READLOCALVAR, &var},
                  {QSM_WRITELOCAL, &num}, {QSM_WRITELOCALVAR, &var}, {QSM_TAGGETATTR, &attr},
                  {QSM_READREALVAR, &var}};
  for (const auto& r : requests) EXPECT_EQ(h.Request(r.msg, r.record, BadCheckWord()), 1) << r.msg;
  EXPECT_TRUE(h.host.readCounts.empty());
  EXPECT_EQ(h.host.otherCalls, 0);
  EXPECT_TRUE(h.locals.reads.empty());
  EXPECT_TRUE(h.locals.writes.empty());
  EXPECT_EQ(::SendMessageA(h.View(), QPM_FIREEVENT, BadCheckWord(), 0), 1);
}

TEST_F(RunServices, AnotherLowWordWithMatchingCrcIsAccepted) {
  QB_VALUE v = {};
  NumTagRequest num = {"a", &v};
  EXPECT_EQ(h.Request(QSM_READTAG, &num, MakeHostParam(1234)), 0);
  EXPECT_EQ(::SendMessageA(h.View(), QPM_FIREEVENT, MakeHostParam(7), 0), 0);
}

TEST_F(RunServices, NullRecordsAnswerOne) {
  for (UINT msg = QSM_TAGGETATTR; msg <= QSM_WRITELOCALVAR; ++msg)
    EXPECT_EQ(h.Request(msg, nullptr), 1) << msg;
  EXPECT_EQ(h.host.otherCalls, 0);
}

TEST_F(RunServices, DatabaseRequestsReachTheirCallback) {
  QB_TAGATTR attr = {};
  TagQueryRequest query = {"*", "", 0, 0, nullptr, nullptr};
  QB_TAGVALUE records[2] = {};
  ReadRealRequest real = {records, 2};
  VarReply reply = {};
  VarTagRequest var = {"s", &reply};
  int count = 0, done = 0;
  ReadHisRequest his = {"a", 1, 2, 0, 0, nullptr, 0, &count, &done};
  ReadHisVarRequest hisVar = {"a", 1, 2, &reply};
  ReadHisExRequest hisEx = {records, 5, 2};
  GetHisSumRequest sum = {"a", 1, 2, nullptr, nullptr, nullptr, nullptr, nullptr};
  GetHisSumExRequest sumEx = {"a", 1, 2, 3, nullptr, 0, &count};
  const struct {
    UINT msg;
    const void* record;
    const char* callback;
  } requests[] = {{QSM_TAGGETATTR, &attr, "TagGetAttr"},   {QSM_TAGQUERY, &query, "TagQuery"},
                  {QSM_READREALVAR, &var, "ReadRealVar"},  {QSM_READHIS, &his, "ReadHis"},
                  {QSM_READHISVAR, &hisVar, "ReadHisVar"}, {QSM_READHISEX, &hisEx, "ReadHisEx"},
                  {QSM_GETHISSUM, &sum, "GetHisSum"},      {QSM_GETHISSUMEX, &sumEx, "GetHisSumEx"}};
  for (const auto& r : requests) {
    h.host.otherNames.clear();
    EXPECT_EQ(h.Request(r.msg, r.record), 0) << r.callback;
    EXPECT_EQ(h.host.otherNames, (std::vector<std::string>{r.callback}));
  }
  EXPECT_EQ(h.Request(QSM_READREAL, &real), 0);
  EXPECT_EQ(h.host.readCounts, (std::vector<int>{2}));
}

TEST_F(RunServices, MissingHostContextOrCallbackAnswersOne) {
  HostCallbackBlock table = h.host.Table();
  table.pfnTagGetAttr = nullptr;
  ::SendMessageA(h.View(), QCM_SETHOSTCALLBACKS, 0, reinterpret_cast<LPARAM>(&table));
  QB_TAGATTR attr = {};
  EXPECT_EQ(h.Request(QSM_TAGGETATTR, &attr), 1);
  table = h.host.Table();
  table.context = nullptr;
  ::SendMessageA(h.View(), QCM_SETHOSTCALLBACKS, 0, reinterpret_cast<LPARAM>(&table));
  VarReply reply = {};
  VarTagRequest var = {"s", &reply};
  EXPECT_EQ(h.Request(QSM_READREALVAR, &var), 1);
  // Without a host context the first read of a tag fails and is cached.
  QB_VALUE v = {};
  NumTagRequest num = {"a", &v};
  EXPECT_EQ(h.Request(QSM_READTAG, &num), 1);
  EXPECT_EQ(v.status, 'C');
  EXPECT_EQ(h.host.otherCalls, 0);
}

TEST_F(RunServices, ReadTagAnswersFromTheCacheAfterTheFirstRead) {
  h.host.values["泵"] = IntValue(3);
  QB_VALUE v = {};
  NumTagRequest num = {"泵", &v};
  EXPECT_EQ(h.Request(QSM_READTAG, &num), 0);
  EXPECT_EQ(v.data.i32, 3);
  EXPECT_EQ(h.Request(QSM_READTAG, &num), 0);
  EXPECT_EQ(h.host.readCounts, (std::vector<int>{1}));
  const std::string longest(79, 'n'), tooLong(80, 'n');
  NumTagRequest ok = {longest.c_str(), &v}, bad = {tooLong.c_str(), &v};
  EXPECT_EQ(h.Request(QSM_READTAG, &ok), 0);
  EXPECT_EQ(h.Request(QSM_READTAG, &bad), 1);
  EXPECT_EQ(h.Request(QSM_READTAG, &bad), 1);
  EXPECT_EQ(h.host.readCounts.size(), 2u);  // the 80-character name was never asked
  NumTagRequest empty = {"", &v}, noName = {nullptr, &v}, noValue = {"x", nullptr};
  EXPECT_EQ(h.Request(QSM_READTAG, &empty), 1);
  EXPECT_EQ(h.Request(QSM_READTAG, &noName), 1);
  EXPECT_EQ(h.Request(QSM_READTAG, &noValue), 1);
}

TEST_F(RunServices, ReadLocalGivesNumericTypesOnly) {
  CTagValue d(TT_DOUBLE);
  d.SetDouble(2.5);
  d.m_time = 1234;
  d.m_status1 = 0x0107;
  d.m_status2 = 0x0203;
  h.locals.values["d"] = d;
  CTagValue s(TT_STRING);
  s.SetString("text");
  h.locals.values["s"] = s;
  QB_VALUE v;
  std::memset(&v, 0x5A, sizeof v);
  NumTagRequest num = {"d", &v};
  EXPECT_EQ(h.Request(QSM_READLOCAL, &num), 0);
  EXPECT_EQ(v.type, TT_DOUBLE);
  EXPECT_EQ(v.data.f64, 2.5);
  EXPECT_EQ(v.quality, 7);
  EXPECT_EQ(v.status, 3);
  EXPECT_EQ(v.time, 1234);
  EXPECT_EQ(v.spare, 0);
  for (const char* name : {"s", "missing"}) {
    std::memset(&v, 0x5A, sizeof v);
    num.name = name;
    EXPECT_EQ(h.Request(QSM_READLOCAL, &num), 1) << name;
    const QB_VALUE zero = {};
    EXPECT_EQ(std::memcmp(&v, &zero, sizeof v), 0) << name;
  }
}

TEST_F(RunServices, ReadLocalVarBoundsTheString) {
  CTagValue s(TT_STRING);
  s.SetString(std::string(5000, 'a').c_str());
  h.locals.values["long"] = s;
  CTagValue n(TT_INT32);
  n.SetInt32(9);
  h.locals.values["n"] = n;
  const BYTE blobBytes[] = {1, 0, 2};
  CTagValue b;
  b.SetBlob(blobBytes, 3);
  h.locals.values["b"] = b;
  auto reply = std::make_unique<VarReply>();
  VarTagRequest var = {"long", reply.get()};
  EXPECT_EQ(h.Request(QSM_READLOCALVAR, &var), 0);
  EXPECT_EQ(reply->type, TT_STRING);
  EXPECT_EQ(reply->length, 3999);
  EXPECT_EQ(std::strlen(reply->data), 3999u);
  var.name = "n";
  EXPECT_EQ(h.Request(QSM_READLOCALVAR, &var), 0);
  const VarReply zero = {};
  EXPECT_EQ(std::memcmp(reply.get(), &zero, sizeof zero), 0);
  var.name = "b";
  EXPECT_EQ(h.Request(QSM_READLOCALVAR, &var), 0);
  EXPECT_EQ(reply->type, TT_BLOB);
  EXPECT_EQ(reply->length, 3);
  EXPECT_EQ(std::memcmp(reply->data, blobBytes, 3), 0);
  var.name = "missing";
  EXPECT_EQ(h.Request(QSM_READLOCALVAR, &var), 1);
}

TEST_F(RunServices, WriteLocalTakesNumericTypesOnly) {
  QB_VALUE v = IntValue(77);
  v.quality = 4;
  v.status = 2;
  v.time = 99;
  NumTagRequest num = {"n", &v};
  EXPECT_EQ(h.Request(QSM_WRITELOCAL, &num), 0);
  ASSERT_EQ(h.locals.writes, (std::vector<std::string>{"n"}));
  const CTagValue& written = h.locals.values["n"];
  EXPECT_EQ(written.GetType(), TT_INT32);
  EXPECT_EQ(written.GetInt32(), 77);
  EXPECT_EQ(written.m_status1, 4);
  EXPECT_EQ(written.m_status2, 2);
  EXPECT_EQ(written.m_time, 99u);
  for (int type : {0, 6, 7, 8}) {
    v.type = static_cast<uint8_t>(type);
    EXPECT_EQ(h.Request(QSM_WRITELOCAL, &num), 1) << type;
  }
  EXPECT_EQ(h.locals.writes.size(), 1u);
  v.type = TT_INT32;
  h.locals.writeResult = 0;
  EXPECT_EQ(h.Request(QSM_WRITELOCAL, &num), 1);  // the host refused
}

TEST_F(RunServices, WriteLocalVarBoundsTheLengthByTheRecord) {
  auto reply = std::make_unique<VarReply>();
  std::memset(reply->data, 'z', sizeof reply->data);
  reply->type = TT_STRING;
  reply->length = 100000;  // far beyond the 4,000-byte area
  reply->quality = 5;
  reply->status = 9;
  VarTagRequest var = {"s", reply.get()};
  EXPECT_EQ(h.Request(QSM_WRITELOCALVAR, &var), 0);
  const CTagValue& s = h.locals.values["s"];
  EXPECT_EQ(s.GetType(), TT_STRING);
  EXPECT_EQ(s.GetLength(), 3999u);
  EXPECT_EQ(s.GetData()[3999], '\0');
  EXPECT_EQ(s.m_status1, 5);
  EXPECT_EQ(s.m_status2, 0);

  reply->type = TT_BLOB;
  reply->length = 0;
  var.name = "b";
  EXPECT_EQ(h.Request(QSM_WRITELOCALVAR, &var), 0);
  EXPECT_EQ(h.locals.writeTypes.back(), TT_BLOB);  // an empty blob of type 7
  EXPECT_EQ(h.locals.values["b"].GetLength(), 0u);

  reply->length = -1;
  EXPECT_EQ(h.Request(QSM_WRITELOCALVAR, &var), 1);
  for (int type : {0, 1, 5}) {
    reply->type = static_cast<uint8_t>(type);
    reply->length = 1;
    EXPECT_EQ(h.Request(QSM_WRITELOCALVAR, &var), 1) << type;
  }
  EXPECT_EQ(h.locals.writes.size(), 2u);
}

TEST_F(RunServices, LocalServicesWithoutTableAnswerOne) {
  LocalTagCallbackBlock none = {};
  ::SendMessageA(h.View(), QCM_SETLOCALCALLBACKS, 0, reinterpret_cast<LPARAM>(&none));
  QB_VALUE v = IntValue(1);
  NumTagRequest num = {"n", &v};
  VarReply reply = {};
  reply.type = TT_STRING;
  VarTagRequest var = {"s", &reply};
  EXPECT_EQ(h.Request(QSM_WRITELOCAL, &num), 1);
  EXPECT_EQ(h.Request(QSM_WRITELOCALVAR, &var), 1);
  EXPECT_EQ(h.Request(QSM_READLOCAL, &num), 1);
  EXPECT_EQ(h.Request(QSM_READLOCALVAR, &var), 1);
  EXPECT_TRUE(h.locals.writes.empty());
}

TEST_F(RunServices, TheWindowKeepsItsOwnCopyOfTheTables) {
  // The harness sent its tables; changing them afterwards changes nothing.
  h.hostTable.pfnReadReal = nullptr;
  h.localTable.pfnLocalTagRead = nullptr;
  h.host.values["a"] = IntValue(4);
  CTagValue n(TT_INT32);
  n.SetInt32(6);
  h.locals.values["n"] = n;
  QB_VALUE v = {};
  NumTagRequest tag = {"a", &v};
  EXPECT_EQ(h.Request(QSM_READTAG, &tag), 0);
  EXPECT_EQ(v.data.i32, 4);
  NumTagRequest local = {"n", &v};
  EXPECT_EQ(h.Request(QSM_READLOCAL, &local), 0);
  EXPECT_EQ(v.data.i32, 6);
}

TEST_F(RunServices, EveryLoadCarriesBothTablesAgain) {
  FakeHost other;
  other.values["a"] = IntValue(8);
  HostCallbackBlock otherTable = other.Table();
  LocalTagCallbackBlock noLocals = {};
  std::unique_ptr<CPicObj> picture(NewPicture());
  const std::vector<BYTE> bytes = StorePictureBytes(*picture);
  PictureDataBlock block = {&noLocals, &otherTable, bytes.data(), static_cast<DWORD>(bytes.size())};
  ASSERT_EQ(::SendMessageA(h.View(), QCM_LOADPICDATA, 0, reinterpret_cast<LPARAM>(&block)), 0);
  QB_VALUE v = {};
  NumTagRequest tag = {"a", &v};
  EXPECT_EQ(h.Request(QSM_READTAG, &tag), 0);
  EXPECT_EQ(v.data.i32, 8);
  EXPECT_EQ(other.readCounts.size(), 1u);
  EXPECT_TRUE(h.host.readCounts.empty());
  EXPECT_EQ(h.Request(QSM_READLOCAL, &tag), 1);  // the local table is empty now
}

}  // namespace
