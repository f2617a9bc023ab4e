// Each export's request bytes, decoded outputs, batches, pages and checks,
// against the scripted fake server.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "qbapi.h"
#include "qbmd5.h"
#include "qbtest_fixture.h"

using namespace qbtest;

namespace {

// The wire form of a value record, written out by hand for replies.
Bytes WireValue(const std::string& name, const QB_VALUE& value) {
  const size_t padded = (name.size() + 4 + 3) / 4 * 4;
  Bytes b = Concat({Le16(uint16_t(padded + 16)), Le16(uint16_t(name.size()))});
  b.insert(b.end(), name.begin(), name.end());
  b.resize(padded, 0);
  return Concat({b, Raw(&value, 16)});
}

QB_VALUE Value(uint8_t type, int32_t time, int64_t i64, uint8_t quality = 0) {
  QB_VALUE v = {};
  v.type = type;
  v.quality = quality;
  v.time = time;
  v.data.i64 = i64;
  return v;
}

QB_TAGVALUE Record(const std::string& name, QB_VALUE value = {}) {
  QB_TAGVALUE r = {};
  std::strncpy(r.name, name.c_str(), 79);
  r.value = value;
  return r;
}

// Names of the wire records in a request body.
std::vector<std::string> WireNames(const Bytes& body) {
  std::vector<std::string> names;
  for (size_t at = 0; at + 4 <= body.size();) {
    const size_t total = body[at] | body[at + 1] << 8;
    const size_t length = body[at + 2] | body[at + 3] << 8;
    names.emplace_back(reinterpret_cast<const char*>(&body[at + 4]), length);
    if (total == 0) break;
    at += total;
  }
  return names;
}

Bytes HisRecord(uint8_t type, int32_t time, int64_t value, uint8_t quality = 0) {
  QB_HISVALUE r = {};
  r.type = type;
  r.quality = quality;
  r.zero = 0xBEEF;  // spare bytes the client clears
  r.time = time;
  r.data.i64 = value;
  return Raw(&r, 16);
}

Bytes Md5Of(const char* text) {
  uint8_t d[16];
  QbMd5(text, std::strlen(text), d);
  return Raw(d, 16);
}

// --- Every export with a null handle, and every data export unconnected ---

using Call = std::function<int(QB_HANDLE)>;

void __stdcall IgnorePage(QB_TAGATTR*, int, void*) {}

struct NamedCall {
  const char* name;
  Call call;
};

std::vector<NamedCall> DataExportCalls() {
  static QB_TAGATTR attr;
  static QB_TAGVALUE records[2];
  static VarReply var;
  static QB_HISVALUE his[4];
  static QB_HISSTEP steps[2];
  static QB_VALUE a, b;
  static QB_VALUEDATA c, d;
  static int32_t e, r1, r2;
  static int count, done, result;
  static QB_ACTOR actor;
  static QB_OPERATOR op;
  static QB_ACTOR actors[2];
  static QB_OPERATOR ops[2];
  static QB_VOLUME vols[2];
  return {
      {"QB_TagGetAttr", [](QB_HANDLE h) { return QB_TagGetAttr(h, &attr); }},
      {"QB_TagQuery", [](QB_HANDLE h) { return QB_TagQuery(h, "*", "", -1, -1, IgnorePage, nullptr); }},
      {"QB_TagInport", [](QB_HANDLE h) { return QB_TagInport(h, 0, &attr, &result); }},
      {"QB_TagDel", [](QB_HANDLE h) { return QB_TagDel(h, "T"); }},
      {"QB_ReadReal", [](QB_HANDLE h) { return QB_ReadReal(h, records, 2); }},
      {"QB_ReadReal count 0", [](QB_HANDLE h) { return QB_ReadReal(h, records, 0); }},
      {"QB_ReadRealVar", [](QB_HANDLE h) { return QB_ReadRealVar(h, "T", &var); }},
      {"QB_WriteReal", [](QB_HANDLE h) { return QB_WriteReal(h, records, 2); }},
      {"QB_WriteRealVar", [](QB_HANDLE h) { return QB_WriteRealVar(h, "T", 0, 1, 6, "x", 1); }},
      {"QB_ReadHis", [](QB_HANDLE h) { return QB_ReadHis(h, "T", 1, 9, 0, 0, his, 4, &count, &done); }},
      {"QB_ReadHis_EX", [](QB_HANDLE h) { return QB_ReadHis_EX(h, records, 5, 2); }},
      {"QB_ReadHisVar", [](QB_HANDLE h) { return QB_ReadHisVar(h, "T", 0, 0, &var); }},
      {"QB_GetHisSum", [](QB_HANDLE h) { return QB_GetHisSum(h, "T", 1, 9, &a, &b, &c, &d, &e); }},
      {"QB_GetHisSum_EX", [](QB_HANDLE h) { return QB_GetHisSum_EX(h, "T", 1, 9, 1, steps, 2, &count); }},
      {"QB_WriteHis", [](QB_HANDLE h) { return QB_WriteHis(h, records, 2); }},
      {"QB_WriteHisVar", [](QB_HANDLE h) { return QB_WriteHisVar(h, "T", 0, 1, 6, "x", 1); }},
      {"QB_QueryHisExp",
       [](QB_HANDLE h) { return QB_QueryHisExp(h, "T", "x>1", 1, 9, 0, 0, his, 4, &count, &done); }},
      {"QB_CountHisExp", [](QB_HANDLE h) { return QB_CountHisExp(h, "T", "x>1", 1, 9, &r1, &r2); }},
      {"QB_CountKstAct", [](QB_HANDLE h) { return QB_CountKstAct(h, "T", 1, 9, 0, 0, &r1, &r2); }},
      {"QB_OptAddAct", [](QB_HANDLE h) { return QB_OptAddAct(h, &actor); }},
      {"QB_OptDelAct", [](QB_HANDLE h) { return QB_OptDelAct(h, "a"); }},
      {"QB_OptAddOpt", [](QB_HANDLE h) { return QB_OptAddOpt(h, &op); }},
      {"QB_OptDelOpt", [](QB_HANDLE h) { return QB_OptDelOpt(h, "o"); }},
      {"QB_OptModPass", [](QB_HANDLE h) { return QB_OptModPass(h, "u", "p1", "p2"); }},
      {"QB_OptGetActors", [](QB_HANDLE h) { return QB_OptGetActors(h, actors, 2, &count); }},
      {"QB_OptGetOperators", [](QB_HANDLE h) { return QB_OptGetOperators(h, ops, 2, &count); }},
      {"QB_VolLoad", [](QB_HANDLE h) { return QB_VolLoad(h, 1); }},
      {"QB_VolDown", [](QB_HANDLE h) { return QB_VolDown(h, 1); }},
      {"QB_VolGetTab", [](QB_HANDLE h) { return QB_VolGetTab(h, vols, 2, &count); }},
  };
}

TEST(QbExports, NullHandleGives1Everywhere) {
  for (const NamedCall& c : DataExportCalls()) EXPECT_EQ(QB_ERR_FAIL, c.call(nullptr)) << c.name;
  int connected = 0;
  EXPECT_EQ(QB_ERR_FAIL, QB_IsConnnect(nullptr, &connected));
  EXPECT_EQ(QB_ERR_FAIL, QB_DisConnnect(nullptr));
  EXPECT_EQ(QB_ERR_FAIL, QB_Destory(nullptr));
  EXPECT_EQ(QB_ERR_FAIL, QB_Connect(nullptr, "127.0.0.1", 1, "u", "p"));
}

TEST(QbExports, EveryDataExportNeedsALoggedInConnection) {
  QB_HANDLE h = QB_Create();
  for (const NamedCall& c : DataExportCalls()) EXPECT_EQ(QB_ERR_NOTCONNECTED, c.call(h)) << c.name;
  QB_Destory(h);
}

TEST(QbExports, TimeBelowOneGives64BeforeTheConnectionCheck) {
  QB_HANDLE h = QB_Create();
  QB_VALUE a, b;
  QB_VALUEDATA c, d;
  int32_t e, r1 = 5, r2 = 5;
  QB_HISSTEP steps[1];
  int count = 5;
  const struct {
    const char* why;
    std::function<int()> call;
  } cases[] = {
      {"sum t0 0", [&] { return QB_GetHisSum(h, "T", 0, 5, &a, &b, &c, &d, &e); }},
      {"sum t1 -1", [&] { return QB_GetHisSum(h, "T", 5, -1, &a, &b, &c, &d, &e); }},
      {"steps t0 0", [&] { return QB_GetHisSum_EX(h, "T", 0, 5, 1, steps, 1, &count); }},
      {"steps t1 0", [&] { return QB_GetHisSum_EX(h, "T", 5, 0, 1, steps, 1, &count); }},
      {"count t0 0", [&] { return QB_CountKstAct(h, "T", 0, 5, 0, 0, &r1, &r2); }},
      {"count t1 INT_MIN", [&] { return QB_CountKstAct(h, "T", 5, INT_MIN, 0, 0, &r1, &r2); }},
  };
  for (const auto& c : cases) EXPECT_EQ(QB_ERR_TIMERANGE, c.call()) << c.why;
  EXPECT_EQ(0, count);
  EXPECT_EQ(0, r1);
  EXPECT_EQ(0, r2);
  QB_Destory(h);
}

// --- Exports answered by a bare status frame: their request bytes ---

struct StatusCase {
  const char* name;
  Call call;
  uint8_t group;
  uint8_t command;
  Bytes body;
};

using QbStatusExports = ConnectedClient;

TEST_F(QbStatusExports, SendTheirBodiesAndReturnTheServersStatus) {
  QB_ACTOR actor;
  std::memset(&actor, 0x11, sizeof actor);
  QB_OPERATOR op;
  std::memset(&op, 0x22, sizeof op);
  const StatusCase cases[] = {
      {"QB_TagDel",
       [](QB_HANDLE h) { return QB_TagDel(h, "Tag.A"); },
       0x10,
       0x84,
       {'T', 'a', 'g', '.', 'A', 0}},
      {"QB_OptAddAct", [&](QB_HANDLE h) { return QB_OptAddAct(h, &actor); }, 0x30, 0x51, Bytes(128, 0x11)},
      {"QB_OptDelAct empty name", [](QB_HANDLE h) { return QB_OptDelAct(h, ""); }, 0x30, 0x52, {0}},
      {"QB_OptAddOpt", [&](QB_HANDLE h) { return QB_OptAddOpt(h, &op); }, 0x30, 0x53, Bytes(160, 0x22)},
      {"QB_OptDelOpt", [](QB_HANDLE h) { return QB_OptDelOpt(h, "op1"); }, 0x30, 0x54, {'o', 'p', '1', 0}},
      {"QB_OptModPass", [](QB_HANDLE h) { return QB_OptModPass(h, "a_user_name_longer", "old", "new"); },
       0x30, 0x55, Concat({Text("a_user_name_lon", 16), Md5Of("old"), Md5Of("new")})},
      {"QB_WriteRealVar", [](QB_HANDLE h) { return QB_WriteRealVar(h, "S1", 1, 0x100, 6, "hello", 5); }, 0x20,
       0x95, Concat({Text("S1", 80), Le32(0x100), {6, 1}, Le16(5), {'h', 'e', 'l', 'l', 'o'}})},
      {"QB_WriteHisVar", [](QB_HANDLE h) { return QB_WriteHisVar(h, "S2", 2, 7, 7, "\x01\x02", 2); }, 0x20,
       0x96, Concat({Text("S2", 80), Le32(7), {7, 2}, Le16(2), {1, 2}})},
      {"QB_WriteRealVar empty", [](QB_HANDLE h) { return QB_WriteRealVar(h, "S1", 0, 0, 6, nullptr, 0); },
       0x20, 0x95, Concat({Text("S1", 80), Le32(0), {6, 0}, Le16(0)})},
  };
  for (const StatusCase& c : cases) {
    peer.ClearRequests();
    Answer(6);
    EXPECT_EQ(6, c.call(h)) << c.name;
    const Bytes request = OnlyRequest();
    ASSERT_GE(request.size(), 16u) << c.name;
    EXPECT_EQ(c.group, request[8]) << c.name;
    EXPECT_EQ(c.command, request[9]) << c.name;
    EXPECT_EQ(0, request[10]) << c.name;
    EXPECT_EQ(0, request[11]) << c.name;
    EXPECT_EQ(c.body, BodyOf(request)) << c.name;
    peer.ClearRequests();
    Answer(0, Bytes(4, 0));  // a status export given a longer reply
    EXPECT_EQ(QB_ERR_FAIL, c.call(h)) << c.name;
  }
}

TEST_F(QbStatusExports, BadArgumentsGive1WithoutARequest) {
  std::string name80(80, 'n');
  std::string expr501(501, 'e');
  VarReply var;
  QB_HISVALUE his[2];
  int count, done;
  int32_t r1, r2;
  QB_VALUE a;
  QB_VALUEDATA c;
  int32_t e;
  const NamedCall cases[] = {
      {"ReadRealVar name of 80", [&](QB_HANDLE h) { return QB_ReadRealVar(h, name80.c_str(), &var); }},
      {"ReadRealVar null out", [&](QB_HANDLE h) { return QB_ReadRealVar(h, "T", nullptr); }},
      {"WriteRealVar length 4000",
       [&](QB_HANDLE h) { return QB_WriteRealVar(h, "T", 0, 0, 6, name80.c_str(), 4000); }},
      {"WriteRealVar length -1", [&](QB_HANDLE h) { return QB_WriteRealVar(h, "T", 0, 0, 6, "x", -1); }},
      {"WriteRealVar null name", [&](QB_HANDLE h) { return QB_WriteRealVar(h, nullptr, 0, 0, 6, "x", 1); }},
      {"WriteRealVar null data", [&](QB_HANDLE h) { return QB_WriteRealVar(h, "T", 0, 0, 6, nullptr, 3); }},
      {"WriteHisVar name of 80",
       [&](QB_HANDLE h) { return QB_WriteHisVar(h, name80.c_str(), 0, 0, 6, "x", 1); }},
      {"ReadHis empty name",
       [&](QB_HANDLE h) { return QB_ReadHis(h, "", 1, 9, 0, 0, his, 2, &count, &done); }},
      {"ReadHis name of 80",
       [&](QB_HANDLE h) { return QB_ReadHis(h, name80.c_str(), 1, 9, 0, 0, his, 2, &count, &done); }},
      {"ReadHis null records",
       [&](QB_HANDLE h) { return QB_ReadHis(h, "T", 1, 9, 0, 0, nullptr, 2, &count, &done); }},
      {"ReadHis null count",
       [&](QB_HANDLE h) { return QB_ReadHis(h, "T", 1, 9, 0, 0, his, 2, nullptr, &done); }},
      {"QueryHisExp expression of 501",
       [&](QB_HANDLE h) {
         return QB_QueryHisExp(h, "T", expr501.c_str(), 1, 9, 0, 0, his, 2, &count, &done);
       }},
      {"QueryHisExp null expression",
       [&](QB_HANDLE h) { return QB_QueryHisExp(h, "T", nullptr, 1, 9, 0, 0, his, 2, &count, &done); }},
      {"CountHisExp empty name", [&](QB_HANDLE h) { return QB_CountHisExp(h, "", "x", 1, 9, &r1, &r2); }},
      {"CountKstAct null name",
       [&](QB_HANDLE h) { return QB_CountKstAct(h, nullptr, 1, 9, 0, 0, &r1, &r2); }},
      {"GetHisSum name of 80",
       [&](QB_HANDLE h) { return QB_GetHisSum(h, name80.c_str(), 1, 9, &a, &a, &c, &c, &e); }},
      {"GetHisSum null output",
       [&](QB_HANDLE h) { return QB_GetHisSum(h, "T", 1, 9, &a, nullptr, &c, &c, &e); }},
      {"ReadHisVar name of 80", [&](QB_HANDLE h) { return QB_ReadHisVar(h, name80.c_str(), 0, 0, &var); }},
      {"TagGetAttr null record", [&](QB_HANDLE h) { return QB_TagGetAttr(h, nullptr); }},
      {"TagQuery null callback",
       [&](QB_HANDLE h) { return QB_TagQuery(h, "*", "", -1, -1, nullptr, nullptr); }},
      {"TagDel null name", [&](QB_HANDLE h) { return QB_TagDel(h, nullptr); }},
      {"ReadReal null records", [&](QB_HANDLE h) { return QB_ReadReal(h, nullptr, 3); }},
      {"OptModPass null password", [&](QB_HANDLE h) { return QB_OptModPass(h, "u", nullptr, "p"); }},
      {"OptGetActors null count", [&](QB_HANDLE h) { return QB_OptGetActors(h, nullptr, 0, nullptr); }},
      {"VolGetTab null records", [&](QB_HANDLE h) { return QB_VolGetTab(h, nullptr, 2, &count); }},
  };
  for (const NamedCall& c : cases) EXPECT_EQ(QB_ERR_FAIL, c.call(h)) << c.name;
  EXPECT_EQ(0u, peer.RequestCount());
  Answer(0);
  EXPECT_EQ(QB_OK, QB_TagDel(h, "T"));  // the connection is untouched
}

TEST_F(QbStatusExports, ANameBeyondTheFrameLimitGives1AndSendsNothing) {
  // Names that the 4 MB body buffer refuses whole, or whose zero it refuses,
  // and one that fits the body (with its zero) but not a frame (with its
  // 16-byte header).
  const std::string names[] = {std::string(0x400000 + 1, 'n'), std::string(0x400000, 'n'),
                               std::string(0x400000 - 16, 'n')};
  Answer(0);
  for (const std::string& name : names) {
    const NamedCall cases[] = {
        {"TagDel", [&](QB_HANDLE h) { return QB_TagDel(h, name.c_str()); }},
        {"OptDelAct", [&](QB_HANDLE h) { return QB_OptDelAct(h, name.c_str()); }},
        {"OptDelOpt", [&](QB_HANDLE h) { return QB_OptDelOpt(h, name.c_str()); }},
    };
    for (const NamedCall& c : cases) {
      EXPECT_EQ(QB_ERR_FAIL, c.call(h)) << c.name << " " << name.size();
      EXPECT_EQ(0u, peer.RequestCount()) << c.name << " " << name.size();
    }
  }
  // The handle stays connected and the next body goes out whole.
  EXPECT_EQ(1, Connected());
  EXPECT_EQ(QB_OK, QB_OptDelAct(h, "a"));
  EXPECT_EQ((Bytes{'a', 0}), BodyOf(OnlyRequest()));
}

// --- Tag catalogue ---

using QbTagExports = ConnectedClient;

TEST_F(QbTagExports, GetAttrSendsTheRecordAndTakesTheReply) {
  QB_TAGATTR attr;
  std::memset(&attr, 'q', sizeof attr);
  QB_TAGATTR answer = {};
  std::strcpy(answer.name, "Flow");
  std::strcpy(answer.description, "流量");
  std::strcpy(answer.unit, "m3/h");
  answer.type = QB_TYPE_FLOAT32;
  Answer(0, Raw(&answer, sizeof answer));
  ASSERT_EQ(QB_OK, QB_TagGetAttr(h, &attr));
  const Bytes body = BodyOf(OnlyRequest());
  ASSERT_EQ(256u, body.size());
  EXPECT_EQ(0, body[91]);  // the name cut to 79 characters
  EXPECT_EQ('q', body[90]);
  EXPECT_EQ(0, std::memcmp(&attr, &answer, sizeof attr));

  QB_TAGATTR kept = attr;
  Answer(9, Raw(&answer, sizeof answer));
  EXPECT_EQ(9, QB_TagGetAttr(h, &attr));
  Answer(0, Bytes(200, 0));
  EXPECT_EQ(QB_ERR_FAIL, QB_TagGetAttr(h, &attr));
  EXPECT_EQ(0, std::memcmp(&attr, &kept, sizeof attr));
}

struct PageLog {
  std::vector<int> counts;
  std::vector<std::string> firstNames;
};

void __stdcall CollectPage(QB_TAGATTR* records, int count, void* user) {
  PageLog* log = static_cast<PageLog*>(user);
  log->counts.push_back(count);
  log->firstNames.push_back(count ? records[0].name : "");
}

Bytes TagPage(int32_t cursor0, int32_t cursor1, int records, const char* prefix) {
  Bytes body = Concat({Le32(uint32_t(cursor0)), Le32(uint32_t(cursor1))});
  for (int i = 0; i < records; ++i) {
    QB_TAGATTR attr = {};
    std::snprintf(attr.name, sizeof attr.name, "%s%d", prefix, i);
    body = Concat({body, Raw(&attr, sizeof attr)});
  }
  return body;
}

TEST_F(QbTagExports, QueryCallsBackOncePerPageUntilTheCursorIsNegative) {
  int page = 0;
  peer.SetHandler([&](const Bytes& r) {
    ++page;
    if (page == 1) return PeerScript{Send(ReplyTo(r, 0, TagPage(5, 77, 2, "A")))};
    if (page == 2) return PeerScript{Send(ReplyTo(r, 0, TagPage(9, 78, 301, "B")))};
    return PeerScript{Send(ReplyTo(r, 0, TagPage(-1, 0, 0, "")))};
  });
  PageLog log;
  ASSERT_EQ(QB_OK, QB_TagQuery(h, "Flow*", "", -1, -1, CollectPage, &log));
  EXPECT_EQ((std::vector<int>{2, 300, 0}), log.counts);
  EXPECT_EQ((std::vector<std::string>{"A0", "B0", ""}), log.firstNames);
  const std::vector<Bytes> requests = peer.Requests();
  ASSERT_EQ(3u, requests.size());
  EXPECT_EQ(Concat({Le32(0), Le32(0), Text("Flow*", 80), Bytes(80, 0), {0xFF, 0xFF}}), BodyOf(requests[0]));
  EXPECT_EQ(Concat({Le32(5), Le32(77)}), Bytes(requests[1].begin() + 16, requests[1].begin() + 24));
  EXPECT_EQ(Concat({Le32(9), Le32(78)}), Bytes(requests[2].begin() + 16, requests[2].begin() + 24));
  EXPECT_EQ(186u, requests[0].size());
}

TEST_F(QbTagExports, QueryStopsAtAFailingPageAfterDeliveringTheEarlierOnes) {
  int page = 0;
  peer.SetHandler([&](const Bytes& r) {
    return ++page == 1 ? PeerScript{Send(ReplyTo(r, 0, TagPage(1, 0, 1, "A")))}
                       : PeerScript{Send(ReplyTo(r, 13, Bytes(8, 0)))};
  });
  PageLog log;
  EXPECT_EQ(13, QB_TagQuery(h, "", "", 1, 2, CollectPage, &log));
  EXPECT_EQ(std::vector<int>{1}, log.counts);
  Answer(0);  // a 16-byte reply is too short for a page
  EXPECT_EQ(QB_ERR_FAIL, QB_TagQuery(h, "", "", 1, 2, CollectPage, &log));
}

TEST_F(QbTagExports, ImportSetsItsResultBeforeLookingAtTheStatus) {
  QB_TAGATTR attr;
  std::memset(&attr, 'z', sizeof attr);
  QB_TAGATTR answer = {};
  answer.importFlag = 0;
  answer.importResult = -3;
  std::strcpy(answer.name, "New");
  int result = 99;
  Answer(0, Raw(&answer, sizeof answer));
  ASSERT_EQ(QB_OK, QB_TagInport(h, 2, &attr, &result));
  EXPECT_EQ(-3, result);
  EXPECT_STREQ("New", attr.name);
  const Bytes body = BodyOf(OnlyRequest());
  ASSERT_EQ(260u, body.size());
  EXPECT_EQ(Le32(2), Bytes(body.begin(), body.begin() + 4));
  EXPECT_EQ(0, body[4 + 91]);
  EXPECT_EQ(0, body[4 + 171]);
  EXPECT_EQ(0, body[4 + 187]);
  EXPECT_EQ('z', body[4 + 170]);

  answer.importFlag = 1;
  std::strcpy(answer.name, "Refused");
  Answer(9, Raw(&answer, sizeof answer));
  EXPECT_EQ(9, QB_TagInport(h, 0, &attr, &result));
  EXPECT_EQ(0, result);
  EXPECT_STREQ("New", attr.name);  // not replaced
}

// --- Current values ---

using QbRealExports = ConnectedClient;

// Answers each read with the records asked, value = batch number * 1000 + position.
PeerScript EchoRead(const Bytes& r, int batch) {
  const std::vector<std::string> names = WireNames(BodyOf(r));
  Bytes body;
  for (size_t i = 0; i < names.size(); ++i)
    body = Concat({body, WireValue(names[i], Value(QB_TYPE_INT64, 7, batch * 1000 + int(i)))});
  return PeerScript{Send(ReplyTo(r, 0, body))};
}

TEST_F(QbRealExports, ReadRealSendsBatchesOf500AndFillsTheRecords) {
  std::vector<QB_TAGVALUE> records;
  for (int i = 0; i < 1200; ++i) records.push_back(Record("Tag" + std::to_string(i)));
  int batch = 0;
  peer.SetHandler([&](const Bytes& r) { return EchoRead(r, ++batch); });
  ASSERT_EQ(QB_OK, QB_ReadReal(h, records.data(), 1200));
  const std::vector<Bytes> requests = peer.Requests();
  ASSERT_EQ(3u, requests.size());
  EXPECT_EQ(500u, WireNames(BodyOf(requests[0])).size());
  EXPECT_EQ(500u, WireNames(BodyOf(requests[1])).size());
  EXPECT_EQ(200u, WireNames(BodyOf(requests[2])).size());
  EXPECT_EQ("Tag500", WireNames(BodyOf(requests[1]))[0]);
  EXPECT_EQ(0x20, requests[0][8]);
  EXPECT_EQ(0x92, requests[0][9]);
  EXPECT_EQ(1000 + 0, records[0].value.data.i64);
  EXPECT_EQ(2000 + 499, records[999].value.data.i64);
  EXPECT_EQ(3000 + 199, records[1199].value.data.i64);
  EXPECT_STREQ("Tag1199", records[1199].name);
}

TEST_F(QbRealExports, ReadRealStopsAtTheFirstFailingBatch) {
  std::vector<QB_TAGVALUE> records;
  for (int i = 0; i < 1201; ++i) records.push_back(Record("T" + std::to_string(i)));
  int batch = 0;
  peer.SetHandler(
      [&](const Bytes& r) { return ++batch == 2 ? PeerScript{Send(ReplyTo(r, 8))} : EchoRead(r, batch); });
  EXPECT_EQ(8, QB_ReadReal(h, records.data(), 1201));
  EXPECT_EQ(2u, peer.RequestCount());
  EXPECT_EQ(1499, records[499].value.data.i64);
  EXPECT_EQ(0, records[500].value.data.i64);
}

TEST_F(QbRealExports, ReadRealReplyIsMatchedByPositionAndStopsAtAMalformedRecord) {
  QB_TAGVALUE records[3] = {Record("A"), Record("B"), Record("C")};
  Bytes bad = WireValue("BB", Value(QB_TYPE_INT32, 1, 2));
  bad[2] = 80;  // a name of 80 characters
  Answer(0, Concat({WireValue("other", Value(QB_TYPE_INT32, 1, 5)), bad,
                    WireValue("C", Value(QB_TYPE_INT32, 1, 6))}));
  EXPECT_EQ(QB_ERR_FAIL, QB_ReadReal(h, records, 3));
  EXPECT_STREQ("other", records[0].name);  // replaced whole, name included
  EXPECT_EQ(5, records[0].value.data.i32);
  EXPECT_STREQ("B", records[1].name);
  EXPECT_STREQ("C", records[2].name);
  EXPECT_EQ(0, records[2].value.data.i32);

  Answer(0, WireValue("A", Value(QB_TYPE_INT32, 1, 5)));  // fewer records than asked
  EXPECT_EQ(QB_ERR_FAIL, QB_ReadReal(h, records, 2));
  Answer(0, Bytes(19, 0));  // too short for a record
  EXPECT_EQ(QB_ERR_FAIL, QB_ReadReal(h, records, 1));
}

TEST_F(QbRealExports, CountBelowOneSendsNothing) {
  QB_TAGVALUE record = Record("A");
  EXPECT_EQ(QB_OK, QB_ReadReal(h, &record, 0));
  EXPECT_EQ(QB_OK, QB_WriteReal(h, &record, -4));
  EXPECT_EQ(QB_OK, QB_WriteHis(h, nullptr, 0));
  EXPECT_EQ(QB_OK, QB_ReadHis_EX(h, &record, 1, 0));
  EXPECT_EQ(0u, peer.RequestCount());
}

TEST_F(QbRealExports, WriteRealSetsEachRecordsStatus) {
  QB_TAGVALUE records[3] = {Record("A", Value(2, 10, 1)), Record("B", Value(2, 10, 2)),
                            Record("C", Value(2, 10, 3))};
  records[1].value.status = 77;
  Answer(0, {0, 5, 0});
  ASSERT_EQ(QB_OK, QB_WriteReal(h, records, 3));
  EXPECT_EQ(0, records[0].value.status);
  EXPECT_EQ(5, records[1].value.status);
  EXPECT_EQ(0, records[2].value.status);
  const Bytes request = OnlyRequest();
  EXPECT_EQ(0x91, request[9]);
  QB_VALUE sent = Value(2, 10, 2);
  sent.status = 77;
  EXPECT_EQ(Concat({WireValue("A", Value(2, 10, 1)), WireValue("B", sent), WireValue("C", Value(2, 10, 3))}),
            BodyOf(request));
  Answer(0, {0, 0});  // one status byte short
  EXPECT_EQ(QB_ERR_FAIL, QB_WriteReal(h, records, 3));
  Answer(4, {1, 1, 1});
  EXPECT_EQ(4, QB_WriteReal(h, records, 3));
  EXPECT_EQ(0, records[0].value.status);  // untouched on a failing status
}

TEST_F(QbRealExports, ReadRealVarFillsTheVariableValue) {
  VarReply out;
  std::memset(&out, 0x55, sizeof out);
  Answer(3, Concat({Le32(1234), {6, 1}, Le16(3), {'a', 'b', 'c'}}));
  EXPECT_EQ(3, QB_ReadRealVar(h, "Msg", &out));  // the status is passed, the value kept
  EXPECT_EQ(Text("Msg", 80), BodyOf(OnlyRequest()));
  EXPECT_EQ(6, out.type);
  EXPECT_EQ(1, out.quality);
  EXPECT_EQ(0, out.status);
  EXPECT_EQ(1234, out.time);
  EXPECT_EQ(3, out.length);
  EXPECT_STREQ("abc", out.data);

  VarReply kept = out;
  const struct {
    const char* why;
    uint8_t status;
    Bytes body;
    int expected;
  } cases[] = {
      {"bare status", 4, {}, 4},
      {"length 4000", 0, Concat({Le32(1), {6, 1}, Le16(4000), Bytes(4000, 'x')}), QB_ERR_FAIL},
      {"length beyond the reply", 0, Concat({Le32(1), {6, 1}, Le16(5), {'a'}}), QB_ERR_FAIL},
      {"shorter than 24", 0, Bytes(6, 0), QB_ERR_FAIL},
  };
  for (const auto& c : cases) {
    Answer(c.status, c.body);
    EXPECT_EQ(c.expected, QB_ReadRealVar(h, "Msg", &out)) << c.why;
    EXPECT_EQ(0, std::memcmp(&out, &kept, sizeof out)) << c.why;
  }
  Answer(0, Concat({Le32(1), {7, 0}, Le16(3999), Bytes(3999, 'y')}));
  EXPECT_EQ(QB_OK, QB_ReadRealVar(h, "Blob", &out));
  EXPECT_EQ(3999, out.length);
  EXPECT_EQ(0, out.data[3999]);
}

// --- History ---

using QbHisExports = ConnectedClient;

TEST_F(QbHisExports, ReadHisPagesWithTheMoreFlag) {
  int page = 0;
  peer.SetHandler([&](const Bytes& r) {
    if (++page == 1)
      return PeerScript{
          Send(ReplyTo(r, 0, Concat({HisRecord(5, 110, 1), HisRecord(5, 120, 2), HisRecord(5, 130, 3)}), 2))};
    return PeerScript{Send(ReplyTo(r, 0, Concat({HisRecord(5, 140, 4), HisRecord(5, 150, 5)}), 0))};
  });
  QB_HISVALUE records[10] = {};
  int count = -1, done = -1;
  ASSERT_EQ(QB_OK, QB_ReadHis(h, "T1", 100, 200, 11, 22, records, 10, &count, &done));
  EXPECT_EQ(5, count);
  EXPECT_EQ(1, done);
  const std::vector<Bytes> requests = peer.Requests();
  ASSERT_EQ(2u, requests.size());
  EXPECT_EQ(Concat({Le32(100), Le32(200), Le32(11), Le32(22), {'T', '1', 0}}), BodyOf(requests[0]));
  EXPECT_EQ(35u, requests[0].size());
  EXPECT_EQ(Le32(131), Bytes(requests[1].begin() + 16, requests[1].begin() + 20));
  EXPECT_EQ(150, records[4].time);
  EXPECT_EQ(0, records[0].zero);
}

TEST_F(QbHisExports, ReadHisStopsWhenTheRoomIsFull) {
  Bytes six;
  for (int i = 0; i < 6; ++i) six = Concat({six, HisRecord(2, 110 + i, i)});
  Answer(0, six, 2);
  QB_HISVALUE records[4];
  int count, done;
  ASSERT_EQ(QB_OK, QB_ReadHis(h, "T1", 100, 200, 0, 0, records, 4, &count, &done));
  EXPECT_EQ(4, count);
  EXPECT_EQ(0, done);
  EXPECT_EQ(1u, peer.RequestCount());
}

TEST_F(QbHisExports, ReadHisWithAnEmptyRangeOrNoRoomSendsNothing) {
  QB_HISVALUE records[4];
  int count = 9, done = 9;
  EXPECT_EQ(QB_OK, QB_ReadHis(h, "T1", 100, 100, 0, 0, records, 4, &count, &done));
  EXPECT_EQ(0, count);
  EXPECT_EQ(0, done);
  EXPECT_EQ(QB_OK, QB_ReadHis(h, "T1", 100, 200, 0, 0, records, 0, &count, &done));
  EXPECT_EQ(QB_OK, QB_ReadHis(h, "T1", 100, 200, 0, 0, nullptr, -5, &count, &done));
  EXPECT_EQ(0u, peer.RequestCount());
}

TEST_F(QbHisExports, ReadHisDeliversStringRecordsEmpty) {
  Answer(0, Concat({HisRecord(6, 110, 0x1234), HisRecord(int8_t(-1) & 0xFF, 120, 7), HisRecord(3, 130, 9)}));
  QB_HISVALUE records[3];
  int count, done;
  ASSERT_EQ(QB_OK, QB_ReadHis(h, "T1", 100, 200, 0, 0, records, 3, &count, &done));
  ASSERT_EQ(3, count);
  EXPECT_EQ(0, records[0].type);
  EXPECT_EQ(0, records[0].data.i64);
  EXPECT_EQ(110, records[0].time);
  EXPECT_EQ(0xFF, records[1].type);  // negative as a signed byte: delivered as is
  EXPECT_EQ(3, records[2].type);
  EXPECT_EQ(9, records[2].data.i64);
}

TEST_F(QbHisExports, ReadHisStopsAtTheEndOfTimeWithoutOverflow) {
  Answer(0, HisRecord(5, INT_MAX, 1), 2);
  QB_HISVALUE records[4];
  int count, done;
  ASSERT_EQ(QB_OK, QB_ReadHis(h, "T1", 100, INT_MAX, 0, 0, records, 4, &count, &done));
  EXPECT_EQ(1, count);
  EXPECT_EQ(1u, peer.RequestCount());
  peer.ClearRequests();
  Answer(0, HisRecord(5, 50, 1), 2);  // a page that does not move forward
  ASSERT_EQ(QB_OK, QB_ReadHis(h, "T1", 100, 200, 0, 0, records, 4, &count, &done));
  EXPECT_EQ(1, count);
  EXPECT_EQ(1u, peer.RequestCount());
}

TEST_F(QbHisExports, ReadHisReturnsOnlyAFirstPageFailure) {
  Answer(12);
  QB_HISVALUE records[4];
  int count, done;
  EXPECT_EQ(12, QB_ReadHis(h, "T1", 100, 200, 0, 0, records, 4, &count, &done));
  EXPECT_EQ(0, count);
  int page = 0;
  peer.SetHandler([&](const Bytes& r) {
    return ++page == 1 ? PeerScript{Send(ReplyTo(r, 0, HisRecord(5, 110, 1), 2))}
                       : PeerScript{Send(ReplyTo(r, 12))};
  });
  EXPECT_EQ(QB_OK, QB_ReadHis(h, "T1", 100, 200, 0, 0, records, 4, &count, &done));
  EXPECT_EQ(1, count);
  EXPECT_EQ(0, done);
}

TEST_F(QbHisExports, QueryHisExpPagesWithItsOwnBody) {
  Answer(0, Concat({HisRecord(5, 110, 1)}), 0);
  QB_HISVALUE records[4];
  int count, done;
  ASSERT_EQ(QB_OK, QB_QueryHisExp(h, "T1", "v>3", 100, 200, 1, 2, records, 4, &count, &done));
  EXPECT_EQ(1, count);
  EXPECT_EQ(1, done);
  const Bytes request = OnlyRequest();
  EXPECT_EQ(0x9C, request[9]);
  EXPECT_EQ(116u, request.size());
  EXPECT_EQ(Concat({Le32(100), Le32(200), Le32(1), Le32(2), Text("T1", 80), {'v', '>', '3', 0}}),
            BodyOf(request));
}

TEST_F(QbHisExports, ReadHisExFillsTheRecordsByPosition) {
  QB_TAGVALUE records[3] = {Record("A", Value(1, 1, 1)), Record("B", Value(1, 1, 1)),
                            Record("C", Value(1, 1, 77))};
  Answer(0, Concat({HisRecord(5, 300, 10, 2), HisRecord(2, 301, 11, 0)}));
  ASSERT_EQ(QB_OK, QB_ReadHis_EX(h, records, 300, 3));
  EXPECT_EQ(Concat({Le32(300), {'A', '\n', 'B', '\n', 'C', '\n', 0}}), BodyOf(OnlyRequest()));
  EXPECT_EQ(0x94, OnlyRequest()[9]);
  EXPECT_STREQ("A", records[0].name);
  EXPECT_EQ(5, records[0].value.type);
  EXPECT_EQ(1, records[0].value.status);  // quality 2
  EXPECT_EQ(10, records[0].value.data.i64);
  EXPECT_EQ(0, records[1].value.status);
  EXPECT_EQ(301, records[1].value.time);
  EXPECT_EQ(77, records[2].value.data.i64);  // no record came for it
}

TEST_F(QbHisExports, WriteHisSendsBatchesOf100) {
  std::vector<QB_TAGVALUE> records;
  for (int i = 0; i < 250; ++i) records.push_back(Record("H" + std::to_string(i)));
  peer.SetHandler([](const Bytes& r) {
    const size_t k = WireNames(BodyOf(r)).size();
    return PeerScript{Send(ReplyTo(r, 0, Bytes(k, 3)))};
  });
  ASSERT_EQ(QB_OK, QB_WriteHis(h, records.data(), 250));
  const std::vector<Bytes> requests = peer.Requests();
  ASSERT_EQ(3u, requests.size());
  EXPECT_EQ(0x97, requests[0][9]);
  EXPECT_EQ(100u, WireNames(BodyOf(requests[0])).size());
  EXPECT_EQ(100u, WireNames(BodyOf(requests[1])).size());
  EXPECT_EQ(50u, WireNames(BodyOf(requests[2])).size());
  EXPECT_EQ(3, records[249].value.status);
}

TEST_F(QbHisExports, ReadHisVarMarksTheValueInvalidUntilItArrives) {
  VarReply out = {};
  Answer(5);
  EXPECT_EQ(5, QB_ReadHisVar(h, "S", 10, 20, &out));
  EXPECT_EQ(1, out.status);
  EXPECT_EQ(Concat({Text("S", 80), Le32(10), Le32(20)}), BodyOf(OnlyRequest()));
  EXPECT_EQ(0x98, OnlyRequest()[9]);
  Answer(0, Concat({Le32(9), {6, 1}, Le16(2), {'o', 'k'}}));
  EXPECT_EQ(QB_OK, QB_ReadHisVar(h, "S", 10, 20, &out));
  EXPECT_EQ(0, out.status);
  EXPECT_STREQ("ok", out.data);
  Answer(0, Bytes(5, 0));
  EXPECT_EQ(QB_ERR_FAIL, QB_ReadHisVar(h, "S", 10, 20, &out));
  EXPECT_EQ(1, out.status);
}

TEST_F(QbHisExports, GetHisSumSendsTheSmallerTimeFirstAndFillsFiveOutputs) {
  const Bytes a = HisRecord(5, 111, 1, 1), b = HisRecord(5, 222, 2, 1);
  Answer(0, Concat({a, b, Le32(3), Le32(0), Le32(4), Le32(0), Le32(55)}));
  QB_VALUE va, vb;
  QB_VALUEDATA c, d;
  int32_t e = 0;
  ASSERT_EQ(QB_OK, QB_GetHisSum(h, "Sum", 500, 100, &va, &vb, &c, &d, &e));
  EXPECT_EQ(Concat({Text("Sum", 80), Le32(100), Le32(500)}), BodyOf(OnlyRequest()));
  EXPECT_EQ(0x99, OnlyRequest()[9]);
  EXPECT_EQ(111, va.time);
  EXPECT_EQ(0, va.status);  // spare bytes cleared
  EXPECT_EQ(0, va.spare);
  EXPECT_EQ(222, vb.time);
  EXPECT_EQ(3, c.i64);
  EXPECT_EQ(4, d.i64);
  EXPECT_EQ(55, e);
  Answer(7);
  EXPECT_EQ(7, QB_GetHisSum(h, "Sum", 1, 2, &va, &vb, &c, &d, &e));
  EXPECT_EQ(55, e);
  Answer(0, Bytes(20, 0));
  EXPECT_EQ(QB_ERR_FAIL, QB_GetHisSum(h, "Sum", 1, 2, &va, &vb, &c, &d, &e));
}

TEST_F(QbHisExports, GetHisSumExCopiesAtMostTheCapacity) {
  Bytes steps;
  for (int i = 0; i < 3; ++i) {
    Bytes step(64, uint8_t(0x40 + i));
    steps = Concat({steps, step});
  }
  Answer(0, steps);
  QB_HISSTEP records[2];
  int count = 0;
  ASSERT_EQ(QB_OK, QB_GetHisSum_EX(h, "S", 900, 100, 60, records, 2, &count));
  EXPECT_EQ(Concat({Text("S", 80), Le32(100), Le32(900), Le32(60)}), BodyOf(OnlyRequest()));
  EXPECT_EQ(2, count);
  const uint8_t* bytes = reinterpret_cast<const uint8_t*>(&records[1]);
  EXPECT_EQ(0x41, bytes[17]);
  EXPECT_EQ(0, bytes[18]);
  EXPECT_EQ(0, bytes[19]);
  EXPECT_EQ(0, bytes[34]);
  EXPECT_EQ(0, bytes[35]);
  EXPECT_EQ(0x41, bytes[36]);
  Answer(8);
  EXPECT_EQ(8, QB_GetHisSum_EX(h, "S", 1, 2, 60, records, 2, &count));
  EXPECT_EQ(0, count);
}

TEST_F(QbHisExports, CountsTakeTwoWordsFromA24ByteReply) {
  int32_t first = -1, second = -1;
  Answer(0, Concat({Le32(12), Le32(34)}));
  ASSERT_EQ(QB_OK, QB_CountHisExp(h, "C", "v>0", 10, 20, &first, &second));
  EXPECT_EQ(12, first);
  EXPECT_EQ(34, second);
  EXPECT_EQ(Concat({Le32(10), Le32(20), Text("C", 80), {'v', '>', '0', 0}}), BodyOf(OnlyRequest()));
  EXPECT_EQ(0x9D, OnlyRequest()[9]);
  peer.ClearRequests();
  Answer(0, Concat({Le32(5), Le32(6)}));
  ASSERT_EQ(QB_OK, QB_CountKstAct(h, "K", 30, 20, 7, 8, &first, &second));
  EXPECT_EQ(5, first);
  EXPECT_EQ(Concat({Text("K", 80), Le32(20), Le32(30), Le32(7), Le32(8)}), BodyOf(OnlyRequest()));
  EXPECT_EQ(0xA5, OnlyRequest()[9]);
  Answer(3);
  EXPECT_EQ(3, QB_CountKstAct(h, "K", 30, 20, 7, 8, &first, &second));
  EXPECT_EQ(0, first);
  Answer(0, Bytes(4, 0));
  EXPECT_EQ(QB_ERR_FAIL, QB_CountHisExp(h, "C", "", 10, 20, &first, &second));
}

// --- Administration ---

using QbOptExports = ConnectedClient;

TEST_F(QbOptExports, ActorListCopiesAtMostTheCapacity) {
  Bytes five;
  for (int i = 0; i < 5; ++i) five = Concat({five, Bytes(128, uint8_t(i + 1))});
  Answer(0, five);
  QB_ACTOR actors[2] = {};
  int count = -1;
  ASSERT_EQ(QB_OK, QB_OptGetActors(h, actors, 2, &count));
  EXPECT_EQ(2, count);
  EXPECT_EQ(2, actors[1].bytes[127]);
  EXPECT_EQ(16u, OnlyRequest().size());
  EXPECT_EQ(0x56, OnlyRequest()[9]);
}

TEST_F(QbOptExports, ListsNeedAReplyOfAtLeast17Bytes) {
  // A bare header is malformed whatever its status; one byte behind it is an
  // empty list, and then the status counts.
  const struct {
    uint8_t status;
    Bytes body;
    int expected;
  } cases[] = {{0, {}, QB_ERR_FAIL}, {3, {}, QB_ERR_FAIL}, {0, {0}, QB_OK}, {3, {0}, 3}};
  QB_ACTOR actors[2] = {};
  QB_OPERATOR ops[2] = {};
  for (const auto& c : cases) {
    Answer(c.status, c.body);
    int count = -1;
    EXPECT_EQ(c.expected, QB_OptGetActors(h, actors, 2, &count)) << int(c.status) << " " << c.body.size();
    EXPECT_EQ(0, count);
    count = -1;
    EXPECT_EQ(c.expected, QB_OptGetOperators(h, ops, 2, &count)) << int(c.status) << " " << c.body.size();
    EXPECT_EQ(0, count);
  }
}

TEST_F(QbOptExports, OperatorListCountsRecordsOf160Bytes) {
  Answer(0, Bytes(160 * 3 + 100, 9));  // a partial fourth record does not count
  QB_OPERATOR ops[8];
  int count = 0;
  ASSERT_EQ(QB_OK, QB_OptGetOperators(h, ops, 8, &count));
  EXPECT_EQ(3, count);
  EXPECT_EQ(0x57, OnlyRequest()[9]);
  EXPECT_EQ(0x30, OnlyRequest()[8]);
}

TEST_F(QbOptExports, VolumeLoadReturnsTheServersWord) {
  Answer(0, Le32(7));
  EXPECT_EQ(7, QB_VolLoad(h, 3));
  EXPECT_EQ(Le32(3), BodyOf(OnlyRequest()));
  EXPECT_EQ(0x41, OnlyRequest()[8]);
  EXPECT_EQ(0x42, OnlyRequest()[9]);
  peer.ClearRequests();
  Answer(9, Le32(0));
  EXPECT_EQ(0, QB_VolDown(h, 4));
  EXPECT_EQ(0x43, OnlyRequest()[9]);
  Answer(0);
  EXPECT_EQ(QB_ERR_FAIL, QB_VolLoad(h, 3));
}

TEST_F(QbOptExports, VolumeTableIgnoresTheStatusOnceRecordsCame) {
  QB_VOLUME vols[4];
  int count = -1;
  Answer(0);
  EXPECT_EQ(QB_OK, QB_VolGetTab(h, vols, 4, &count));
  EXPECT_EQ(0, count);
  Answer(6);
  EXPECT_EQ(6, QB_VolGetTab(h, vols, 4, &count));
  Answer(5, Bytes(64 * 3, 1));
  EXPECT_EQ(QB_OK, QB_VolGetTab(h, vols, 2, &count));
  EXPECT_EQ(2, count);
  EXPECT_EQ(0x44, peer.Requests().back()[9]);
}

}  // namespace
