// Round trips over loopback with a raw Winsock client written here, so the server
// is checked on the wire and not through its own codec alone.
#include <winsock2.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>

#include "md5.h"
#include "tagsim.h"
#include "wire.h"

namespace tagsim {
namespace {

const char kTags[] =
    "[tags]\n"
    "RAMP | float64 | ramp 0 100 100 | 斜坡 | % | 10\n"
    "DIG | digital | toggle 5\n"
    "CNT | int32 | counter 1 1\n"
    "TXT | string | const 你好\n"
    "A1 | int32 | const 1\n"
    "A2 | int32 | const 2\n"
    "A3 | int32 | const 3\n"
    "B1 | float32 | const 4 | other\n"
    "[accounts]\n"
    "admin | secret | 7\n";

// What a test waits at most for something that must happen: a read that
// is to see a close waits this long, and returns as soon as it comes.
const int kGenerousMs = 30000;

// Minimal blocking client: frames out, whole frames in (assembled by length).
class RawClient {
 public:
  explicit RawClient(uint16_t port) {
    s_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(port);
    a.sin_addr.s_addr = inet_addr("127.0.0.1");
    connected_ = connect(s_, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0;
  }
  ~RawClient() { closesocket(s_); }
  bool Connected() const { return connected_; }

  void SendRaw(const Bytes& b) {
    ASSERT_EQ(send(s_, reinterpret_cast<const char*>(b.data()), int(b.size()), 0), int(b.size()));
  }
  void Send(uint8_t group, uint8_t command, const Bytes& body) {
    SendRaw(EncodeFrame(group, command, 0, 0, body));
  }

  // The bytes of one receive within `ms`; empty on silence or a closed connection.
  Bytes ReadOnce(int ms) {
    fd_set set;
    FD_ZERO(&set);
    FD_SET(s_, &set);
    timeval tv{ms / 1000, (ms % 1000) * 1000};
    if (select(0, &set, nullptr, nullptr, &tv) <= 0) return Bytes();
    char buf[8192];
    int n = recv(s_, buf, sizeof buf, 0);
    if (n <= 0) {
      closed_ = true;
      return Bytes();
    }
    return Bytes(buf, buf + n);
  }
  // Every byte that arrives until `ms` pass in silence.
  Bytes ReadFor(int ms) {
    Bytes out;
    for (Bytes more = ReadOnce(ms); !more.empty(); more = ReadOnce(ms))
      out.insert(out.end(), more.begin(), more.end());
    return out;
  }
  // At least n bytes (or what came before a close or a long silence).
  Bytes ReadAtLeast(size_t n) {
    Bytes out;
    while (out.size() < n) {
      Bytes more = ReadOnce(kGenerousMs);
      if (more.empty()) break;
      out.insert(out.end(), more.begin(), more.end());
    }
    return out;
  }
  // One frame, trusting the header (the server under test is well-behaved here).
  Bytes ReadFrame() {
    Bytes f;
    while (f.size() < kHeaderSize || f.size() < GetU32(f.data() + 4)) {
      Bytes more = ReadOnce(3000);
      if (more.empty()) return f;
      f.insert(f.end(), more.begin(), more.end());
    }
    return f;
  }
  Bytes Exchange(uint8_t group, uint8_t command, const Bytes& body) {
    Send(group, command, body);
    return ReadFrame();
  }
  bool Closed() const { return closed_; }

 private:
  SOCKET s_ = INVALID_SOCKET;
  bool connected_ = false;
  bool closed_ = false;
};

Bytes LoginBody(const std::string& user, const std::string& password, uint32_t version = 0x300) {
  Bytes b(36, 0);
  PutFixedText(b.data(), 16, user);
  Md5Digest d = Md5(password);
  std::memcpy(b.data() + 16, d.data(), 16);
  PutU32(b.data() + 32, version);
  return b;
}

Bytes QueryBody(int32_t cursor, const std::string& pattern, uint8_t type = 0xFF) {
  Bytes b(170, 0);
  PutU32(b.data(), uint32_t(cursor));
  PutFixedText(b.data() + 8, 80, pattern);
  b[168] = type;
  b[169] = 0xFF;
  return b;
}

Bytes WireRecord(const std::string& name, const Value16& v) {
  size_t p = (name.size() + 4 + 3) & ~size_t(3);
  Bytes b(p + 16, 0);
  PutU16(b.data(), uint16_t(p + 16));
  PutU16(b.data() + 2, uint16_t(name.size()));
  std::memcpy(b.data() + 4, name.data(), name.size());
  std::memcpy(b.data() + p, &v, 16);
  return b;
}

Bytes HisBody(int32_t from, int32_t to, const std::string& name) {
  Bytes b(16 + name.size() + 1, 0);
  PutU32(b.data(), uint32_t(from));
  PutU32(b.data() + 4, uint32_t(to));
  std::memcpy(b.data() + 16, name.data(), name.size());
  return b;
}

class TagsimProtocol : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    ASSERT_TRUE(sim.LoadTagsFromString(kTags, &error)) << error;
    sim.SetFixedTime(1000000);
    ASSERT_TRUE(sim.Start("127.0.0.1", 0, &error)) << error;
    ASSERT_NE(sim.Port(), 0);
  }
  // A logged-in client.
  std::unique_ptr<RawClient> Login() {
    auto c = std::make_unique<RawClient>(sim.Port());
    Bytes r = c->Exchange(kGroupLogin, kCmdLogin, LoginBody("admin", "secret"));
    EXPECT_EQ(r.size(), 20u);
    EXPECT_EQ(r.size() > 11 ? r[11] : 0xFF, 0);
    return c;
  }
  Server sim;
};

TEST_F(TagsimProtocol, LoginAcceptsTheRightPasswordOnly) {
  struct Case {
    const char* user;
    const char* password;
    uint32_t version;
    uint8_t status;
  } cases[] = {
      {"admin", "secret", 0x300, kStatusOk},
      {"admin", "Secret", 0x300, kStatusLoginRefused},
      {"nobody", "secret", 0x300, kStatusLoginRefused},
      {"admin", "secret", 0x200, kStatusBadVersion},
  };
  for (const Case& c : cases) {
    RawClient client(sim.Port());
    ASSERT_TRUE(client.Connected());
    Bytes r = client.Exchange(kGroupLogin, kCmdLogin, LoginBody(c.user, c.password, c.version));
    // Refusals have the 20-byte length too, so the client sees their status.
    ASSERT_EQ(r.size(), 20u) << c.user;
    EXPECT_TRUE(HeaderCrcValid(r.data()));
    EXPECT_EQ(r[8], 0x78);
    EXPECT_EQ(r[9], 0x57);
    EXPECT_EQ(r[11], c.status) << c.user << "/" << c.password;
    if (c.status == kStatusOk) {
      EXPECT_EQ(GetU32(r.data() + 16), 7u);  // the account's rights
    }
  }
  EXPECT_EQ(sim.FramesReceived(kGroupLogin, kCmdLogin), 4);
}

TEST_F(TagsimProtocol, DataRequestsNeedALogin) {
  RawClient client(sim.Port());
  Bytes r = client.Exchange(kGroupTag, kCmdTagQuery, QueryBody(0, ""));
  ASSERT_EQ(r.size(), 24u);  // long enough for the client to read the status
  EXPECT_EQ(r[11], kStatusNotLoggedIn);

  // A refused login ends an earlier one.
  auto c = Login();
  EXPECT_EQ(c->Exchange(kGroupLogin, kCmdLogin, LoginBody("admin", "wrong"))[11], kStatusLoginRefused);
  EXPECT_EQ(c->Exchange(kGroupTag, kCmdTagQuery, QueryBody(0, ""))[11], kStatusNotLoggedIn);
}

TEST_F(TagsimProtocol, TagQueryPagesThroughTheMatches) {
  auto c = Login();
  sim.SetTagPageSize(2);
  std::vector<std::string> names;
  int32_t cursor = 0;
  int pages = 0;
  do {
    Bytes r = c->Exchange(kGroupTag, kCmdTagQuery, QueryBody(cursor, "A*"));
    ASSERT_GE(r.size(), 24u);
    ASSERT_EQ((r.size() - 24) % 256, 0u);
    cursor = int32_t(GetU32(r.data() + 16));
    EXPECT_EQ(GetU32(r.data() + 20), 3u);  // matches in all
    for (size_t off = 24; off < r.size(); off += 256) {
      names.push_back(GetFixedText(r.data() + off + 12, 80));
      EXPECT_EQ(r[off + 4], kTypeInt32);
    }
    ++pages;
  } while (cursor >= 0 && pages < 10);
  EXPECT_EQ(pages, 2);
  EXPECT_EQ(names, (std::vector<std::string>{"A1", "A2", "A3"}));

  Bytes r = c->Exchange(kGroupTag, kCmdTagQuery, QueryBody(0, "", kTypeFloat32));
  ASSERT_EQ(r.size(), 24u + 256u);
  EXPECT_EQ(GetFixedText(r.data() + 24 + 12, 80), "B1");
  EXPECT_EQ(int32_t(GetU32(r.data() + 16)), -1);
}

TEST_F(TagsimProtocol, ReadAndWriteCurrentValues) {
  auto c = Login();
  Bytes body = WireRecord("RAMP", Value16{});
  Bytes more = WireRecord("NOPE", Value16{});
  body.insert(body.end(), more.begin(), more.end());
  Bytes r = c->Exchange(kGroupValue, kCmdReadReal, body);
  ASSERT_EQ(r.size(), 16u + 24u + 24u);
  EXPECT_EQ(r[11], 0);
  Value16 v;
  std::memcpy(&v, r.data() + 16 + 8, 16);
  EXPECT_EQ(v.type, kTypeFloat64);
  EXPECT_EQ(v.time, 1000000u);
  EXPECT_DOUBLE_EQ(ValueAsDouble(v), 0.0);  // 1000000 is a whole number of 100-second periods
  std::memcpy(&v, r.data() + 16 + 24 + 8, 16);
  EXPECT_EQ(v.type, kTypeEmpty);
  EXPECT_EQ(v.quality, kQualityBad);

  // Written values are converted to the tag's type; each record gets its status.
  Bytes w = WireRecord("CNT", MakeValue(kTypeFloat64, 41.7, 5));
  Bytes w2 = WireRecord("NOPE", MakeValue(kTypeInt32, 1));
  Bytes w3 = WireRecord("TXT", MakeValue(kTypeInt32, 1));
  w.insert(w.end(), w2.begin(), w2.end());
  w.insert(w.end(), w3.begin(), w3.end());
  r = c->Exchange(kGroupValue, kCmdWriteReal, w);
  ASSERT_EQ(r.size(), 19u);
  EXPECT_EQ(r[16], kStatusOk);
  EXPECT_EQ(r[17], kStatusNoSuchTag);
  EXPECT_EQ(r[18], kStatusWrongType);
  ASSERT_TRUE(sim.GetValue("CNT", &v));
  EXPECT_EQ(v.type, kTypeInt32);
  EXPECT_EQ(ValueAsInt64(v), 41);
  EXPECT_EQ(v.time, 5u);

  // The written value is in the history at its time as well (CNT samples every 5 s).
  r = c->Exchange(kGroupValue, kCmdReadHis, HisBody(0, 10, "CNT"));
  ASSERT_EQ(r.size(), 16u + 3 * 16u);
  std::memcpy(&v, r.data() + 16 + 16, 16);
  EXPECT_EQ(v.time, 5u);
  EXPECT_EQ(ValueAsInt64(v), 41);
}

TEST_F(TagsimProtocol, StringValuesRoundTrip) {
  auto c = Login();
  Bytes w(88, 0);
  PutFixedText(w.data(), 80, "TXT");
  PutU32(w.data() + 80, 1234);
  w[84] = kTypeString;
  w[85] = 0;
  std::string text = "液位高";
  PutU16(w.data() + 86, uint16_t(text.size()));
  w.insert(w.end(), text.begin(), text.end());
  Bytes r = c->Exchange(kGroupValue, kCmdWriteRealVar, w);
  ASSERT_EQ(r.size(), 16u);
  EXPECT_EQ(r[11], 0);

  Bytes q(80, 0);
  PutFixedText(q.data(), 80, "TXT");
  r = c->Exchange(kGroupValue, kCmdReadRealVar, q);
  ASSERT_EQ(r.size(), 24u + text.size());
  EXPECT_EQ(GetU32(r.data() + 16), 1234u);
  EXPECT_EQ(r[20], kTypeString);
  EXPECT_EQ(GetU16(r.data() + 22), text.size());
  EXPECT_EQ(std::string(r.begin() + 24, r.end()), text);

  PutFixedText(q.data(), 80, "RAMP");  // a numeric tag has no string value
  r = c->Exchange(kGroupValue, kCmdReadRealVar, q);
  ASSERT_EQ(r.size(), 16u);
  EXPECT_EQ(r[11], kStatusWrongType);
}

TEST_F(TagsimProtocol, HistoryPagesCarryTheMoreFlag) {
  auto c = Login();
  sim.SetHistoryPageSize(3);
  // RAMP has a sample every 10 s: 100..150 holds 100, 110, 120 | 130, 140, 150.
  Bytes r = c->Exchange(kGroupValue, kCmdReadHis, HisBody(100, 150, "RAMP"));
  ASSERT_EQ(r.size(), 16u + 3 * 16u);
  EXPECT_EQ(r[10], kFlagMoreFollows);
  EXPECT_EQ(GetU32(r.data() + 16 + 4), 100u);
  EXPECT_EQ(GetU32(r.data() + 16 + 2 * 16 + 4), 120u);
  Value16 v;
  std::memcpy(&v, r.data() + 16 + 16, 16);
  EXPECT_NEAR(ValueAsDouble(v), 10.0, 1e-9);  // ramp 0..100 over 100 s at t = 110
  r = c->Exchange(kGroupValue, kCmdReadHis, HisBody(121, 150, "RAMP"));
  ASSERT_EQ(r.size(), 16u + 3 * 16u);
  EXPECT_EQ(r[10], 0);
  EXPECT_EQ(GetU32(r.data() + 16 + 2 * 16 + 4), 150u);
  EXPECT_EQ(sim.RequestLog(kGroupValue, kCmdReadHis).size(), 2u);
  EXPECT_EQ(sim.LastRequest(kGroupValue, kCmdReadHis), HisBody(121, 150, "RAMP"));
}

// Every command answers a request with an empty body, and a refusal has a length
// that the client accepts for that command, so its status is not lost.
TEST_F(TagsimProtocol, EveryCommandAnswersAnEmptyBody) {
  auto c = Login();
  struct Case {
    uint8_t group, command;
    size_t length;
    uint8_t status;
  } cases[] = {
      {0x10, 0x81, 24, kStatusBadRequest},
      {0x10, 0x82, 272, kStatusBadRequest},
      {0x10, 0x83, 272, kStatusBadRequest},
      {0x10, 0x84, 16, kStatusBadRequest},
      {0x20, 0x91, 16, kStatusOk},
      {0x20, 0x92, 16, kStatusOk},
      {0x20, 0x93, 16, kStatusBadRequest},
      {0x20, 0x94, 16, kStatusBadRequest},
      {0x20, 0x95, 16, kStatusBadRequest},
      {0x20, 0x96, 16, kStatusBadRequest},
      {0x20, 0x97, 16, kStatusOk},
      {0x20, 0x98, 16, kStatusBadRequest},
      {0x20, 0x99, 16, kStatusBadRequest},
      {0x20, 0x9A, 16, kStatusBadRequest},
      {0x20, 0x9B, 16, kStatusBadRequest},
      {0x20, 0x9C, 16, kStatusBadRequest},
      {0x20, 0x9D, 16, kStatusBadRequest},
      {0x20, 0xA5, 16, kStatusBadRequest},
      {0x30, 0x51, 16, kStatusBadRequest},
      {0x30, 0x52, 16, kStatusBadRequest},
      {0x30, 0x53, 16, kStatusBadRequest},
      {0x30, 0x54, 16, kStatusBadRequest},
      {0x30, 0x55, 16, kStatusBadRequest},
      {0x30, 0x56, 17, kStatusOk},
      {0x30, 0x57, 16 + 160, kStatusOk},
      {0x41, 0x42, 20, kStatusBadRequest},
      {0x41, 0x43, 20, kStatusBadRequest},
      {0x41, 0x44, 16 + 8 * 64, kStatusOk},
      {0x20, 0x7F, 16, kStatusUnknownCommand},
      {0x55, 0x01, 16, kStatusUnknownCommand},
      {0x08, 0x57, 20, kStatusBadRequest},  // last: it logs the connection out
  };
  for (const Case& k : cases) {
    Bytes r = c->Exchange(k.group, k.command, Bytes());
    ASSERT_EQ(r.size(), k.length) << std::hex << int(k.group) << "/" << int(k.command);
    EXPECT_TRUE(HeaderCrcValid(r.data()));
    EXPECT_EQ(r[8], uint8_t(k.group + 0x70));
    EXPECT_EQ(r[9], k.command);
    EXPECT_EQ(r[11], k.status) << std::hex << int(k.group) << "/" << int(k.command);
  }
  // The volume commands report in the word behind the header.
  Bytes r = Login()->Exchange(0x41, 0x42, Bytes());
  EXPECT_EQ(GetU32(r.data() + 16), uint32_t(kStatusBadRequest));
}

TEST_F(TagsimProtocol, ImportGetAttributesAndDelete) {
  auto c = Login();
  Bytes body(260, 0);
  PutU32(body.data(), 1);  // create only
  uint8_t* rec = body.data() + 4;
  rec[4] = kTypeFloat32;
  PutFixedText(rec + 12, 80, "NEW.PV");
  PutFixedText(rec + 92, 80, "新位号");
  PutFixedText(rec + 172, 16, "kPa");
  rec[230] = 0x5C;  // a byte of the server's own that must survive
  Bytes r = c->Exchange(kGroupTag, kCmdTagImport, body);
  ASSERT_EQ(r.size(), 272u);
  EXPECT_EQ(r[11], 0);
  EXPECT_EQ(r[16 + 7], 1);
  EXPECT_EQ(r[16 + 252], 0);
  r = c->Exchange(kGroupTag, kCmdTagImport, body);
  ASSERT_EQ(r.size(), 272u);
  EXPECT_EQ(r[11], kStatusExists);
  EXPECT_EQ(r[16 + 7], 0);
  EXPECT_EQ(int8_t(r[16 + 252]), -3);

  Bytes q(256, 0);
  PutFixedText(q.data() + 12, 80, "NEW.PV");
  r = c->Exchange(kGroupTag, kCmdTagGetAttr, q);
  ASSERT_EQ(r.size(), 272u);
  EXPECT_EQ(r[16 + 4], kTypeFloat32);
  EXPECT_EQ(GetFixedText(r.data() + 16 + 92, 80), "新位号");
  EXPECT_EQ(GetFixedText(r.data() + 16 + 172, 16), "kPa");
  EXPECT_EQ(r[16 + 230], 0x5C);

  r = c->Exchange(kGroupTag, kCmdTagDelete, Bytes{'N', 'E', 'W', '.', 'P', 'V', 0});
  EXPECT_EQ(r[11], 0);
  r = c->Exchange(kGroupTag, kCmdTagGetAttr, q);
  ASSERT_EQ(r.size(), 272u);
  EXPECT_EQ(r[11], kStatusNoSuchTag);
}

TEST_F(TagsimProtocol, SummariesAndCounts) {
  auto c = Login();
  // RAMP: 0..100 over 100 s, a sample every 10 s; 1000000 starts a period.
  Bytes sum(88, 0);
  PutFixedText(sum.data(), 80, "RAMP");
  PutU32(sum.data() + 80, 1000000);
  PutU32(sum.data() + 84, 1000095);
  Bytes r = c->Exchange(kGroupValue, kCmdHisSum, sum);
  ASSERT_EQ(r.size(), 68u);
  Value16 a, b;
  std::memcpy(&a, r.data() + 16, 16);
  std::memcpy(&b, r.data() + 32, 16);
  double average, total;
  std::memcpy(&average, r.data() + 48, 8);
  std::memcpy(&total, r.data() + 56, 8);
  EXPECT_NEAR(ValueAsDouble(a), 0, 1e-9);
  EXPECT_EQ(a.time, 1000000u);
  EXPECT_NEAR(ValueAsDouble(b), 90, 1e-9);
  EXPECT_EQ(b.time, 1000090u);
  EXPECT_NEAR(average, 45, 1e-9);
  EXPECT_NEAR(total, 450, 1e-9);
  EXPECT_EQ(GetU32(r.data() + 64), 10u);

  Bytes steps = sum;
  steps.resize(92);
  PutU32(steps.data() + 88, 50);
  r = c->Exchange(kGroupValue, kCmdHisSumSteps, steps);
  ASSERT_EQ(r.size(), 16u + 2 * 64u);
  EXPECT_EQ(GetU32(r.data() + 16 + 8), 5u);
  EXPECT_EQ(GetU32(r.data() + 16 + 64 + 8), 5u);

  Bytes count(88, 0);
  PutU32(count.data(), 1000000);
  PutU32(count.data() + 4, 1000095);
  PutFixedText(count.data() + 8, 80, "RAMP");
  std::string expr = "v > 45";
  count.insert(count.end(), expr.begin(), expr.end());
  count.push_back(0);
  r = c->Exchange(kGroupValue, kCmdCountHisExp, count);
  ASSERT_EQ(r.size(), 24u);
  EXPECT_EQ(GetU32(r.data() + 16), 5u);
  EXPECT_EQ(GetU32(r.data() + 20), 10u);

  // DIG toggles every 5 s and has a sample every 5 s: 0, 1, 0, ...
  Bytes kst(96, 0);
  PutFixedText(kst.data(), 80, "DIG");
  PutU32(kst.data() + 80, 1000000);
  PutU32(kst.data() + 84, 1000045);
  PutU32(kst.data() + 88, 1);
  r = c->Exchange(kGroupValue, kCmdCountKstAct, kst);
  ASSERT_EQ(r.size(), 24u);
  EXPECT_EQ(GetU32(r.data() + 16), 5u);
  EXPECT_EQ(GetU32(r.data() + 20), 9u);

  Bytes at(4, 0);
  PutU32(at.data(), 1000050);
  std::string names = "RAMP\nNOPE\n";
  at.insert(at.end(), names.begin(), names.end());
  at.push_back(0);
  r = c->Exchange(kGroupValue, kCmdReadHisAt, at);
  ASSERT_EQ(r.size(), 16u + 2 * 16u);
  std::memcpy(&a, r.data() + 16, 16);
  std::memcpy(&b, r.data() + 32, 16);
  EXPECT_NEAR(ValueAsDouble(a), 50, 1e-9);
  EXPECT_EQ(b.type, kTypeEmpty);
  EXPECT_EQ(b.quality, kQualityBad);
}

TEST_F(TagsimProtocol, OperatorsLogInAndChangeTheirPassword) {
  auto c = Login();
  Bytes op(160, 0);
  PutFixedText(op.data(), 16, "zhang");
  Md5Digest d = Md5(std::string("old"));
  std::memcpy(op.data() + 16, d.data(), 16);
  EXPECT_EQ(c->Exchange(kGroupOperator, kCmdAddOperator, op)[11], 0);
  EXPECT_EQ(c->Exchange(kGroupOperator, kCmdAddOperator, op)[11], kStatusExists);

  Bytes change(48, 0);
  PutFixedText(change.data(), 16, "zhang");
  std::memcpy(change.data() + 16, d.data(), 16);
  Md5Digest n = Md5(std::string("new"));
  std::memcpy(change.data() + 32, n.data(), 16);
  EXPECT_EQ(c->Exchange(kGroupOperator, kCmdChangePassword, change)[11], 0);
  EXPECT_EQ(c->Exchange(kGroupOperator, kCmdChangePassword, change)[11], kStatusLoginRefused);

  RawClient z(sim.Port());
  EXPECT_EQ(z.Exchange(kGroupLogin, kCmdLogin, LoginBody("zhang", "old"))[11], kStatusLoginRefused);
  EXPECT_EQ(z.Exchange(kGroupLogin, kCmdLogin, LoginBody("zhang", "new"))[11], 0);

  Bytes list = c->Exchange(kGroupOperator, kCmdListOperators, Bytes());
  ASSERT_EQ(list.size(), 16u + 2 * 160u);
  EXPECT_EQ(GetFixedText(list.data() + 16 + 160, 16), "zhang");
  EXPECT_EQ(Bytes(list.begin() + 16 + 160 + 16, list.begin() + 16 + 160 + 32), Bytes(16, 0));  // no digests
}

TEST_F(TagsimProtocol, PrefixFaultsComeBeforeTheReplyInOneStream) {
  auto c = Login();
  Fault f;
  f.garbageBytes = 7;
  f.badCrcHeaderFirst = true;
  f.bogusLengthFirst = 0x400001;
  f.unrelatedFrameFirst = true;
  f.twice = true;
  f.forceStatus = 77;
  f.times = 1;
  sim.SetFault(kGroupTag, kCmdTagDelete, f);
  c->Send(kGroupTag, kCmdTagDelete, Bytes{'A', '1', 0});
  Bytes reply = EncodeFrame(0x80, kCmdTagDelete, 0, 77, Bytes());
  size_t prefix = 7 + 16 + 16 + 20;
  Bytes got = c->ReadAtLeast(prefix + 2 * reply.size());
  ASSERT_EQ(got.size(), prefix + 2 * reply.size());
  EXPECT_FALSE(HeaderCrcValid(got.data() + 7));
  EXPECT_TRUE(HeaderCrcValid(got.data() + 23));
  EXPECT_EQ(GetU32(got.data() + 23 + 4), 0x400001u);
  EXPECT_EQ(got[39 + 9], kCmdTagDelete ^ 1);
  EXPECT_TRUE(std::equal(reply.begin(), reply.end(), got.begin() + prefix));
  EXPECT_FALSE(sim.HasTag("A1"));  // the request itself was carried out

  // The fault was for one request only.
  Bytes r = c->Exchange(kGroupTag, kCmdTagDelete, Bytes{'A', '1', 0});
  ASSERT_EQ(r.size(), 16u);
  EXPECT_EQ(r[11], kStatusNoSuchTag);
}

TEST_F(TagsimProtocol, CloseAfterSkippedRequestsAndNoReply) {
  auto c = Login();
  Fault f;
  f.skip = 1;
  f.closeInsteadOfReply = true;
  sim.SetFault(kGroupValue, kCmdReadReal, f);
  Bytes body = WireRecord("DIG", Value16{});
  EXPECT_EQ(c->Exchange(kGroupValue, kCmdReadReal, body).size(), 40u);
  c->Send(kGroupValue, kCmdReadReal, body);
  EXPECT_TRUE(c->ReadFor(kGenerousMs).empty());
  EXPECT_TRUE(c->Closed());

  auto d = Login();
  Fault silent;
  silent.noReply = true;
  sim.SetFault(kGroupValue, kCmdReadReal, silent);
  d->Send(kGroupValue, kCmdReadReal, body);
  // The server answers one request after the other: the reply to a later
  // request, coming first, shows that the silent one got none.
  Bytes later = d->Exchange(kGroupTag, kCmdTagDelete, Bytes{'A', '1', 0});
  ASSERT_EQ(later.size(), 16u);
  EXPECT_EQ(later[9], kCmdTagDelete);
  EXPECT_FALSE(d->Closed());
  EXPECT_EQ(sim.FramesReceived(kGroupValue, kCmdReadReal), 3);
}

TEST_F(TagsimProtocol, OneByteWritesAndMidFrameClose) {
  auto c = Login();
  Fault f;
  f.chunkSize = 1;
  f.times = 1;
  sim.SetFault(kGroupTag, kCmdTagDelete, f);
  Bytes r = c->Exchange(kGroupTag, kCmdTagDelete, Bytes{'A', '2', 0});
  ASSERT_EQ(r.size(), 16u);
  EXPECT_EQ(r[11], 0);

  Fault cut;
  cut.closeMidFrameAt = 10;
  sim.SetFault(kGroupTag, kCmdTagDelete, cut);
  c->Send(kGroupTag, kCmdTagDelete, Bytes{'A', '3', 0});
  EXPECT_EQ(c->ReadFor(kGenerousMs).size(), 10u);
  EXPECT_TRUE(c->Closed());
}

TEST_F(TagsimProtocol, ClientsAreServedSideBySide) {
  auto slow = Login();
  auto quick = Login();
  Fault f;
  f.delayMs = 60000;
  sim.SetFault(kGroupTag, kCmdTagDelete, f);
  slow->Send(kGroupTag, kCmdTagDelete, Bytes{'A', '1', 0});
  // The other connection is not held up by the one waiting out its delay.
  Bytes r = quick->Exchange(kGroupValue, kCmdReadReal, WireRecord("DIG", Value16{}));
  EXPECT_EQ(r.size(), 40u);
  EXPECT_EQ(sim.ActiveConnections(), 2);
  // Dropping ends the delayed one too, without its reply.
  ASSERT_TRUE(sim.DropConnections());
  EXPECT_TRUE(slow->ReadFor(kGenerousMs).empty());
  EXPECT_TRUE(slow->Closed());
  EXPECT_EQ(sim.ActiveConnections(), 0);
  EXPECT_EQ(sim.ConnectionsAccepted(), 2);
}

TEST_F(TagsimProtocol, ResetClearsFaultsAndCounters) {
  auto c = Login();
  Fault f;
  f.noReply = true;
  sim.SetFault(kGroupTag, kCmdTagDelete, f);
  sim.Reset();
  EXPECT_EQ(sim.TotalFramesReceived(), 0);
  EXPECT_TRUE(sim.LastRequest(kGroupLogin, kCmdLogin).empty());
  EXPECT_EQ(c->Exchange(kGroupTag, kCmdTagDelete, Bytes{'A', '1', 0}).size(), 16u);
  EXPECT_EQ(sim.FramesReceived(kGroupTag, kCmdTagDelete), 1);
}

TEST_F(TagsimProtocol, StopEndsOpenConnectionsAndThePortIsFreeAgain) {
  auto c = Login();
  auto d = Login();
  EXPECT_EQ(sim.ActiveConnections(), 2);
  uint16_t port = sim.Port();
  sim.Stop();
  EXPECT_FALSE(sim.Running());
  EXPECT_EQ(sim.ActiveConnections(), 0);
  c->ReadFor(kGenerousMs);
  EXPECT_TRUE(c->Closed());
  std::string error;
  ASSERT_TRUE(sim.Start("127.0.0.1", port, &error)) << error;
  EXPECT_EQ(sim.Port(), port);
}

}  // namespace
}  // namespace tagsim
