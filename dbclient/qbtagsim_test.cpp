// The client against the simulated real-time database server, in-process:
// login, the tag catalogue, current values, history, and the server's faults
// on the wire. Two codecs written apart check each other here.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "qbapi.h"
#include "qbclient.h"
#include "qbprotocol.h"
#include "qbtest_wait.h"
#include "tagsim.h"

namespace {

const char kTags[] =
    "[tags]\n"
    "FIC101.PV | float64 | const 12.5 | 进料流量 | m3/h | 5\n"
    "TI201.PV | float32 | ramp 0 100 100 | 温度 | C | 10\n"
    "CNT | int32 | counter 1 1\n"
    "DIG | digital | toggle 5\n"
    "MSG | string | const 你好\n"
    "[accounts]\n"
    "admin | secret | 7\n";

using qbtest::GenerousLimits;
using qbtest::ShortLimits;
using qbtest::WaitUntil;

class QbTagsim : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    ASSERT_TRUE(sim.LoadTagsFromString(kTags, &error)) << error;
    sim.SetFixedTime(1000000);
    ASSERT_TRUE(sim.Start("127.0.0.1", 0, &error)) << error;
    h = QB_Create();
    GenerousLimits(h);
    ASSERT_EQ(QB_OK, Connect());
  }
  void TearDown() override {
    QB_Destory(h);
    sim.Stop();
  }
  int Connect(const char* password = "secret") {
    return QB_Connect(h, "127.0.0.1", sim.Port(), "admin", password);
  }
  int Connected() {
    int c = -1;
    QB_IsConnnect(h, &c);
    return c;
  }
  QB_TAGVALUE Record(const std::string& name) {
    QB_TAGVALUE r = {};
    std::strncpy(r.name, name.c_str(), 79);
    return r;
  }
  void LoadNumberedTags(int n) {
    std::string text = "[tags]\n";
    for (int i = 0; i < n; ++i)
      text += "N" + std::to_string(10000 + i) + " | int32 | const " + std::to_string(i) + "\n";
    ASSERT_TRUE(sim.LoadTagsFromString(text));
  }

  tagsim::Server sim;
  QB_HANDLE h = nullptr;
};

TEST_F(QbTagsim, LoginWithAWrongPasswordIsRefusedWithTheServersStatus) {
  QB_DisConnnect(h);
  EXPECT_EQ(tagsim::kStatusLoginRefused, Connect("wrong"));
  EXPECT_EQ(0, Connected());
  EXPECT_EQ(QB_OK, Connect());
  EXPECT_EQ(1, Connected());
}

TEST_F(QbTagsim, TagAttributesCarryTypeDescriptionAndUnit) {
  QB_TAGATTR attr = {};
  std::strcpy(attr.name, "FIC101.PV");
  ASSERT_EQ(QB_OK, QB_TagGetAttr(h, &attr));
  EXPECT_EQ(QB_TYPE_FLOAT64, attr.type);
  EXPECT_STREQ("FIC101.PV", attr.name);
  EXPECT_STREQ("进料流量", attr.description);
  EXPECT_STREQ("m3/h", attr.unit);
  std::strcpy(attr.name, "NoSuchTag");
  EXPECT_EQ(tagsim::kStatusNoSuchTag, QB_TagGetAttr(h, &attr));
}

struct Collected {
  std::vector<int> pages;
  std::set<std::string> names;
};

void __stdcall Collect(QB_TAGATTR* records, int count, void* user) {
  Collected* c = static_cast<Collected*>(user);
  c->pages.push_back(count);
  for (int i = 0; i < count; ++i) c->names.insert(records[i].name);
}

TEST_F(QbTagsim, TagQueryDeliversTheCatalogueInPages) {
  LoadNumberedTags(250);
  sim.SetTagPageSize(100);
  Collected c;
  ASSERT_EQ(QB_OK, QB_TagQuery(h, "N*", "", -1, -1, Collect, &c));
  EXPECT_GE(c.pages.size(), 3u);
  int total = 0;
  for (int n : c.pages) {
    EXPECT_LE(n, 100);
    total += n;
  }
  EXPECT_EQ(250, total);
  EXPECT_EQ(250u, c.names.size());
  EXPECT_EQ(1u, c.names.count("N10249"));
  EXPECT_EQ(int(c.pages.size()), sim.FramesReceived(QBG_TAG, QBC_TAG_QUERY));
}

TEST_F(QbTagsim, WriteThenReadCurrentValues) {
  QB_TAGVALUE records[3] = {Record("FIC101.PV"), Record("CNT"), Record("NoSuchTag")};
  records[0].value.type = QB_TYPE_FLOAT64;
  records[0].value.data.f64 = 42.25;
  records[0].value.time = 1000000;
  records[1].value.type = QB_TYPE_INT32;
  records[1].value.data.i32 = 77;
  records[1].value.time = 1000000;
  records[2].value.type = QB_TYPE_INT32;
  ASSERT_EQ(QB_OK, QB_WriteReal(h, records, 3));
  EXPECT_EQ(0, records[0].value.status);
  EXPECT_EQ(0, records[1].value.status);
  EXPECT_NE(0, records[2].value.status);  // the server refuses an unknown tag per record
  tagsim::Value16 v;
  ASSERT_TRUE(sim.GetValue("FIC101.PV", &v));
  EXPECT_DOUBLE_EQ(42.25, tagsim::ValueAsDouble(v));

  QB_TAGVALUE read[3] = {Record("FIC101.PV"), Record("CNT"), Record("NoSuchTag")};
  ASSERT_EQ(QB_OK, QB_ReadReal(h, read, 3));
  EXPECT_STREQ("FIC101.PV", read[0].name);
  EXPECT_EQ(QB_TYPE_FLOAT64, read[0].value.type);
  EXPECT_DOUBLE_EQ(42.25, read[0].value.data.f64);
  EXPECT_EQ(77, read[1].value.data.i32);
  EXPECT_EQ(tagsim::kQualityBad, read[2].value.quality);
}

TEST_F(QbTagsim, ReadRealOf1200TagsGoesOutAs500And500And200) {
  LoadNumberedTags(1200);
  std::vector<QB_TAGVALUE> records;
  for (int i = 0; i < 1200; ++i) records.push_back(Record("N" + std::to_string(10000 + i)));
  ASSERT_EQ(QB_OK, QB_ReadReal(h, records.data(), 1200));
  EXPECT_EQ(3, sim.FramesReceived(QBG_VALUE, QBC_READ_REAL));
  for (int i : {0, 499, 500, 1199}) {
    EXPECT_EQ(QB_TYPE_INT32, records[i].value.type) << i;
    EXPECT_EQ(i, records[i].value.data.i32) << i;
  }
}

TEST_F(QbTagsim, StringValuesTravelWhole) {
  VarReply out = {};
  ASSERT_EQ(QB_OK, QB_ReadRealVar(h, "MSG", &out));
  EXPECT_EQ(QB_TYPE_STRING, out.type);
  EXPECT_STREQ("你好", out.data);
  EXPECT_EQ(int(std::strlen("你好")), out.length);
  const char text[] = "运行 running";
  ASSERT_EQ(QB_OK, QB_WriteRealVar(h, "MSG", 0, 1000000, QB_TYPE_STRING, text, int(std::strlen(text))));
  std::string data;
  ASSERT_TRUE(sim.GetVarValue("MSG", &data));
  EXPECT_EQ(text, data);
  ASSERT_EQ(QB_OK, QB_ReadRealVar(h, "MSG", &out));
  EXPECT_STREQ(text, out.data);
}

TEST_F(QbTagsim, HistoryPagesCoverTheRange) {
  sim.SetHistoryPageSize(20);
  const int32_t t1 = 1000000, t0 = t1 - 1000;  // 5-second samples: about 200
  std::vector<QB_HISVALUE> records(1000);
  int count = 0, done = 0;
  ASSERT_EQ(QB_OK, QB_ReadHis(h, "FIC101.PV", t0, t1, 0, 0, records.data(), 1000, &count, &done));
  EXPECT_GE(count, 190);
  EXPECT_LE(count, 202);
  EXPECT_EQ(1, done);
  EXPECT_GE(sim.FramesReceived(QBG_VALUE, QBC_READ_HIS), count / 20);
  for (int i = 1; i < count; ++i) ASSERT_LT(records[i - 1].time, records[i].time) << i;
  EXPECT_GE(records[0].time, t0);
  EXPECT_LE(records[count - 1].time, t1);
  EXPECT_EQ(QB_TYPE_FLOAT64, records[0].type);

  count = 0;
  ASSERT_EQ(QB_OK, QB_ReadHis(h, "FIC101.PV", t0, t1, 0, 0, records.data(), 7, &count, &done));
  EXPECT_EQ(7, count);
}

TEST_F(QbTagsim, HistorySummaryAndValuesAtOneTime) {
  QB_VALUE a, b;
  QB_VALUEDATA c, d;
  int32_t e = -1;
  EXPECT_EQ(QB_OK, QB_GetHisSum(h, "TI201.PV", 1000000, 999000, &a, &b, &c, &d, &e));
  EXPECT_GT(e, 0);
  EXPECT_EQ(QB_ERR_TIMERANGE, QB_GetHisSum(h, "TI201.PV", 0, 999000, &a, &b, &c, &d, &e));

  QB_TAGVALUE records[2] = {Record("FIC101.PV"), Record("CNT")};
  ASSERT_EQ(QB_OK, QB_ReadHis_EX(h, records, 999500, 2));
  EXPECT_EQ(QB_TYPE_FLOAT64, records[0].value.type);
  EXPECT_DOUBLE_EQ(12.5, records[0].value.data.f64);
}

// --- The server's faults on the wire; each must leave the next request working ---

struct FaultCase {
  const char* name;
  tagsim::Fault fault;
  int expected;
};

tagsim::Fault Once(tagsim::Fault f) {
  f.times = 1;
  return f;
}

TEST_F(QbTagsim, FaultsEndInTheirResultCodeAndTheNextRequestWorks) {
  std::vector<FaultCase> cases;
  auto add = [&](const char* name, int expected, auto set) {
    tagsim::Fault f;
    set(f);
    cases.push_back({name, Once(f), expected});
  };
  add("garbage before the reply", QB_OK, [](tagsim::Fault& f) { f.garbageBytes = 300; });
  add("bad-CRC header first", QB_OK, [](tagsim::Fault& f) { f.badCrcHeaderFirst = true; });
  add("header of length 8 first", QB_OK, [](tagsim::Fault& f) { f.bogusLengthFirst = 8; });
  add("header of length 0x400001 first", QB_OK, [](tagsim::Fault& f) { f.bogusLengthFirst = 0x400001; });
  add("unrelated frame first", QB_OK, [](tagsim::Fault& f) { f.unrelatedFrameFirst = true; });
  add("the reply twice", QB_OK, [](tagsim::Fault& f) { f.twice = true; });
  add("one-byte writes", QB_OK, [](tagsim::Fault& f) { f.chunkSize = 1; });
  add("slow pieces", QB_OK, [](tagsim::Fault& f) {
    f.chunkSize = 7;
    f.chunkGapMs = 30;
  });
  add("all of it together", QB_OK, [](tagsim::Fault& f) {
    f.garbageBytes = 50;
    f.badCrcHeaderFirst = true;
    f.bogusLengthFirst = 8;
    f.unrelatedFrameFirst = true;
    f.chunkSize = 3;
  });
  add("no reply", QB_ERR_FAIL, [](tagsim::Fault& f) { f.noReply = true; });
  add("late reply", QB_ERR_FAIL, [](tagsim::Fault& f) { f.held = true; });
  add("status 9", 9, [](tagsim::Fault& f) { f.forceStatus = 9; });
  add("a body too long", QB_OK, [](tagsim::Fault& f) { f.lengthDelta = 4; });
  add("a body cut short", QB_ERR_FAIL, [](tagsim::Fault& f) { f.lengthDelta = -4; });
  add("a bare header", QB_ERR_FAIL, [](tagsim::Fault& f) { f.bareHeader = true; });
  add("closed instead of a reply", QB_ERR_NOTCONNECTED,
      [](tagsim::Fault& f) { f.closeInsteadOfReply = true; });
  add("closed mid-frame", QB_ERR_NOTCONNECTED, [](tagsim::Fault& f) { f.closeMidFrameAt = 30; });

  for (const FaultCase& c : cases) {
    sim.SetFault(QBG_VALUE, QBC_READ_REAL, c.fault);
    QB_TAGVALUE records[2] = {Record("FIC101.PV"), Record("CNT")};
    const bool timesOut = c.fault.noReply || c.fault.held;
    if (timesOut) ShortLimits(h);
    const int replies = sim.RepliesSent();
    EXPECT_EQ(c.expected, QB_ReadReal(h, records, 2)) << c.name;
    GenerousLimits(h);
    if (c.expected == QB_OK) {
      EXPECT_DOUBLE_EQ(12.5, records[0].value.data.f64) << c.name;
    }
    if (c.expected == QB_ERR_NOTCONNECTED) {
      EXPECT_EQ(0, Connected()) << c.name;
      ASSERT_EQ(QB_OK, Connect()) << c.name;
    } else {
      EXPECT_EQ(1, Connected()) << c.name;
    }
    if (c.fault.held) {  // the late reply comes in before the next request goes out
      sim.ReleaseHeld();
      ASSERT_TRUE(WaitUntil([&] { return sim.RepliesSent() > replies; })) << c.name << ": never sent";
      ASSERT_TRUE(WaitUntil([&] { return QbClientOf(h)->HasBytesWaiting(); })) << c.name << ": never came";
    }
    QB_TAGVALUE again[2] = {Record("CNT"), Record("FIC101.PV")};
    ASSERT_EQ(QB_OK, QB_ReadReal(h, again, 2)) << c.name << ": the next request";
    EXPECT_STREQ("CNT", again[0].name) << c.name;
    EXPECT_DOUBLE_EQ(12.5, again[1].value.data.f64) << c.name;
    sim.ClearFaults();
  }
}

TEST_F(QbTagsim, TagImportCreatesATagAndDeleteRemovesIt) {
  QB_TAGATTR attr = {};
  attr.type = QB_TYPE_INT32;
  std::strcpy(attr.name, "NEW.TAG");
  std::strcpy(attr.description, "新位号");
  std::strcpy(attr.unit, "kg");
  int result = -99;
  ASSERT_EQ(QB_OK, QB_TagInport(h, 0, &attr, &result));
  EXPECT_TRUE(sim.HasTag("NEW.TAG"));
  QB_TAGATTR back = {};
  std::strcpy(back.name, "NEW.TAG");
  ASSERT_EQ(QB_OK, QB_TagGetAttr(h, &back));
  EXPECT_STREQ("新位号", back.description);
  EXPECT_STREQ("kg", back.unit);
  EXPECT_EQ(QB_OK, QB_TagDel(h, "NEW.TAG"));
  EXPECT_FALSE(sim.HasTag("NEW.TAG"));
  EXPECT_EQ(tagsim::kStatusNoSuchTag, QB_TagDel(h, "NEW.TAG"));
}

TEST_F(QbTagsim, FurtherHistoryRequestsAreUnderstood) {
  std::vector<QB_HISVALUE> records(100);
  int count = 0, done = 0;
  EXPECT_EQ(tagsim::kStatusBadExpression,
            QB_QueryHisExp(h, "FIC101.PV", "((", 999000, 1000000, 0, 0, records.data(), 100, &count, &done));
  EXPECT_EQ(0, count);
  QB_HISSTEP steps[10];
  ASSERT_EQ(QB_OK, QB_GetHisSum_EX(h, "TI201.PV", 999000, 1000000, 100, steps, 10, &count));
  EXPECT_GT(count, 0);
  EXPECT_LE(count, 10);
  QB_TAGVALUE write[2] = {Record("FIC101.PV"), Record("CNT")};
  write[0].value.type = QB_TYPE_FLOAT64;
  write[0].value.data.f64 = 3.0;
  write[0].value.time = 999999;
  write[1].value.type = QB_TYPE_INT32;
  write[1].value.time = 999999;
  ASSERT_EQ(QB_OK, QB_WriteHis(h, write, 2));
  EXPECT_EQ(0, write[0].value.status);
  EXPECT_EQ(1, sim.FramesReceived(QBG_VALUE, QBC_WRITE_HIS));
  VarReply var;
  ASSERT_EQ(QB_OK, QB_ReadHisVar(h, "MSG", 999000, 1000000, &var));
  EXPECT_EQ(0, var.status);
  EXPECT_EQ(QB_TYPE_STRING, var.type);
}

TEST_F(QbTagsim, AdministrationListsAnswer) {
  // The one account of the tag file is listed: its name (16 bytes) and its
  // rights (the word at 32); the digest (16 bytes at 16) is never listed.
  QB_OPERATOR ops[16];
  int count = -1;
  ASSERT_EQ(QB_OK, QB_OptGetOperators(h, ops, 16, &count));
  ASSERT_EQ(1, count);
  EXPECT_STREQ("admin", reinterpret_cast<const char*>(ops[0].bytes));
  EXPECT_EQ(std::vector<uint8_t>(16, 0), std::vector<uint8_t>(ops[0].bytes + 16, ops[0].bytes + 32));
  EXPECT_EQ(7u, LittleEndianAt32(ops[0].bytes + 32));
  // No actors: the server answers one byte behind the header, an empty list.
  QB_ACTOR actors[4];
  count = -1;
  EXPECT_EQ(QB_OK, QB_OptGetActors(h, actors, 4, &count));
  EXPECT_EQ(0, count);
  // Eight volumes, numbered 1 to 8 in order, the last one not loaded.
  QB_VOLUME vols[16];
  ASSERT_EQ(QB_OK, QB_VolGetTab(h, vols, 16, &count));
  ASSERT_EQ(8, count);
  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(uint32_t(i + 1), LittleEndianAt32(vols[i].bytes)) << i;
    EXPECT_EQ(i < 7 ? 1u : 0u, LittleEndianAt32(vols[i].bytes + 4)) << i;
  }
  EXPECT_EQ(1, sim.FramesReceived(QBG_VOLUME, QBC_VOL_TABLE));
}

TEST_F(QbTagsim, ReconnectsAfterTheServerDroppedEveryConnection) {
  ASSERT_TRUE(sim.DropConnections());
  ASSERT_EQ(0, sim.ActiveConnections());
  QB_TAGVALUE record = Record("FIC101.PV");
  EXPECT_EQ(QB_ERR_NOTCONNECTED, QB_ReadReal(h, &record, 1));
  EXPECT_EQ(0, Connected());
  ASSERT_EQ(QB_OK, Connect());
  ASSERT_EQ(QB_OK, QB_ReadReal(h, &record, 1));
  EXPECT_DOUBLE_EQ(12.5, record.value.data.f64);
  EXPECT_EQ(2, sim.ConnectionsAccepted());
}

}  // namespace
