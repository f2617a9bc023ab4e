// Connecting, logging in, and the exchange's faults: time-outs, lost
// connections, late and stray frames, reconnecting.
#include <gtest/gtest.h>

#include <winsock.h>

#include <chrono>
#include <cstring>

#include "qbapi.h"
#include "qbclient.h"
#include "qbmd5.h"
#include "qbprotocol.h"
#include "qbtest_fixture.h"

using namespace qbtest;

namespace {

// A port on which nothing listens.
int UnusedPort() {
  StartSockets();
  SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  sockaddr_in at = {};
  at.sin_family = AF_INET;
  at.sin_addr.s_addr = inet_addr("127.0.0.1");
  bind(s, reinterpret_cast<sockaddr*>(&at), sizeof at);
  int size = sizeof at;
  getsockname(s, reinterpret_cast<sockaddr*>(&at), &size);
  closesocket(s);
  return ntohs(at.sin_port);
}

struct HandleOwner {
  QB_HANDLE h = QB_Create();
  HandleOwner() { GenerousLimits(h); }
  ~HandleOwner() { QB_Destory(h); }
};

TEST(QbConnect, RefusesBadAddressesWithoutASocketAndKeepsThem) {
  const struct {
    const char* host;
    int port;
  } cases[] = {{"0.0.0.0", 11084},        {"", 11084},          {"127.0.0.1", 0},    {"127.0.0.1", 0x10000},
               {"not.an.address", 11084}, {"localhost", 11084}, {"1.2.3.4.5", 11084}};
  for (const auto& c : cases) {
    HandleOwner o;
    EXPECT_EQ(QB_ERR_FAIL, QB_Connect(o.h, c.host, c.port, "u", "p")) << c.host << ":" << c.port;
    EXPECT_FALSE(QbClientOf(o.h)->HasSocket());
    EXPECT_STREQ(c.host, QbClientOf(o.h)->Host());
    EXPECT_EQ(c.port, QbClientOf(o.h)->Port());
  }
}

TEST(QbConnect, NullTextsAndANullHandleGive1) {
  HandleOwner o;
  EXPECT_EQ(QB_ERR_FAIL, QB_Connect(o.h, nullptr, 11084, "u", "p"));
  EXPECT_EQ(QB_ERR_FAIL, QB_Connect(o.h, "127.0.0.1", 11084, nullptr, "p"));
  EXPECT_EQ(QB_ERR_FAIL, QB_Connect(o.h, "127.0.0.1", 11084, "u", nullptr));
  EXPECT_EQ(QB_ERR_FAIL, QB_Connect(nullptr, "127.0.0.1", 11084, "u", "p"));
  EXPECT_EQ(QB_ERR_FAIL, QB_DisConnnect(nullptr));
  EXPECT_EQ(QB_ERR_FAIL, QB_Destory(nullptr));
  int connected = 5;
  EXPECT_EQ(QB_ERR_FAIL, QB_IsConnnect(nullptr, &connected));
  EXPECT_EQ(QB_ERR_FAIL, QB_IsConnnect(o.h, nullptr));
}

using QbTransport = ConnectedClient;

TEST(QbConnect, NoServerGives1) {
  HandleOwner o;
  EXPECT_EQ(QB_ERR_FAIL, QB_Connect(o.h, "127.0.0.1", UnusedPort(), "u", "p"));
  EXPECT_FALSE(QbClientOf(o.h)->HasSocket());
}

TEST(QbConnect, LoginRequestCarriesCutUserMd5AndVersion) {
  FakePeer peer;
  HandleOwner o;
  ASSERT_EQ(QB_OK, QB_Connect(o.h, "127.0.0.1", peer.Port(), "operator_name_too_long", "secret"));
  ASSERT_EQ(QB_OK, QB_DisConnnect(o.h));
  ASSERT_EQ(QB_OK, QB_Connect(o.h, "127.0.0.1", peer.Port(), "", ""));
  const std::vector<Bytes> logins = peer.LoginRequests();
  ASSERT_EQ(2u, logins.size());
  uint8_t secret[16], empty[16];
  QbMd5("secret", 6, secret);
  QbMd5("", 0, empty);
  const Bytes first = Concat({Text("operator_name_t", 16), Raw(secret, 16), Le32(0x300)});
  const Bytes second = Concat({Bytes(16, 0), Raw(empty, 16), Le32(0x300)});
  EXPECT_EQ(52u, logins[0].size());
  EXPECT_EQ(0x08, logins[0][8]);
  EXPECT_EQ(0x57, logins[0][9]);
  EXPECT_EQ(first, BodyOf(logins[0]));
  EXPECT_EQ(second, BodyOf(logins[1]));
}

TEST(QbConnect, RefusedOrMalformedLoginClosesTheSocket) {
  const struct {
    const char* why;
    uint8_t status;
    Bytes body;
    int expected;
  } cases[] = {
      {"refused with status 7", 7, Le32(0), 7},
      {"bare 16-byte reply", 0, {}, QB_ERR_FAIL},
      {"24-byte reply", 0, Bytes(8, 0), QB_ERR_FAIL},
  };
  for (const auto& c : cases) {
    FakePeer peer;
    peer.SetLoginHandler([&](const Bytes& r) { return PeerScript{Send(ReplyTo(r, c.status, c.body))}; });
    HandleOwner o;
    EXPECT_EQ(c.expected, QB_Connect(o.h, "127.0.0.1", peer.Port(), "u", "p")) << c.why;
    EXPECT_FALSE(QbClientOf(o.h)->HasSocket()) << c.why;
  }
}

TEST(QbConnect, SilentLoginGives1) {
  FakePeer peer;
  peer.SetLoginHandler([](const Bytes&) { return PeerScript{}; });
  HandleOwner o;
  ShortLimits(o.h);
  EXPECT_EQ(QB_ERR_FAIL, QB_Connect(o.h, "127.0.0.1", peer.Port(), "u", "p"));
  EXPECT_FALSE(QbClientOf(o.h)->HasSocket());
}

TEST_F(QbTransport, ConnectOnAConnectedHandleReturns0AtOnce) {
  EXPECT_EQ(QB_OK, QB_Connect(h, "10.1.2.3", 1, "other", "x"));
  EXPECT_EQ(1, Connected());
  EXPECT_TRUE(peer.LoginRequests().empty());  // no new login
  EXPECT_EQ(1, peer.Connections());
}

TEST_F(QbTransport, ReplyFoundBehindGarbageBadCrcAndOtherCommands) {
  peer.SetHandler([](const Bytes& r) {
    Bytes badCrc = ReplyTo(r, 0);
    badCrc[13] ^= 1;
    const Bytes other = Frame(0x90, 0x92, 0);
    const Bytes garbage = {0x5A, 0x90, 0xEB, 0xA5, 1, 2, 3, 4, 5, 6, 7, 8, 9};
    return PeerScript{Send(Concat({garbage, badCrc, other, ReplyTo(r, 9)}))};
  });
  EXPECT_EQ(9, QB_TagDel(h, "T1"));
}

// The pauses only keep the pieces apart; the follow limit is generous.
TEST_F(QbTransport, ReplyInPiecesIsReassembled) {
  peer.SetHandler([](const Bytes& r) {
    const Bytes reply = ReplyTo(r, 0, Le32(42));
    return PeerScript{Send(Bytes(reply.begin(), reply.begin() + 10)), Sleep(60),
                      Send(Bytes(reply.begin() + 10, reply.begin() + 17)), Sleep(60),
                      Send(Bytes(reply.begin() + 17, reply.end()))};
  });
  EXPECT_EQ(42, QB_VolLoad(h, 3));
}

TEST_F(QbTransport, OnlyTheFirstMatchingFrameAnswers) {
  peer.SetHandler([](const Bytes& r) { return PeerScript{Send(Concat({ReplyTo(r, 0), ReplyTo(r, 9)}))}; });
  EXPECT_EQ(QB_OK, QB_TagDel(h, "T1"));  // 16 bytes, not 32
  Answer(4);
  EXPECT_EQ(4, QB_TagDel(h, "T1"));  // the surplus frame does not answer this one
}

TEST_F(QbTransport, NoReplyGives1AndKeepsTheConnection) {
  peer.SetHandler([](const Bytes&) { return PeerScript{}; });
  ShortLimits(h);
  EXPECT_EQ(QB_ERR_FAIL, QB_TagDel(h, "T1"));
  GenerousLimits(h);
  EXPECT_EQ(1, Connected());
  Answer(0);
  EXPECT_EQ(QB_OK, QB_TagDel(h, "T1"));
}

TEST_F(QbTransport, SilenceAfterThePartialReplyGives1) {
  peer.SetHandler([](const Bytes& r) {
    const Bytes reply = ReplyTo(r, 0);
    return PeerScript{Send(Bytes(reply.begin(), reply.begin() + 8))};
  });
  ShortLimits(h);
  EXPECT_EQ(QB_ERR_FAIL, QB_TagDel(h, "T1"));
  GenerousLimits(h);
  EXPECT_EQ(1, Connected());
  Answer(6);
  EXPECT_EQ(6, QB_TagDel(h, "T1"));  // the cut-off frame does not swallow this reply
}

TEST_F(QbTransport, LateReplyNeverAnswersTheNextRequest) {
  AnswerLate(3);
  ShortLimits(h);
  EXPECT_EQ(QB_ERR_FAIL, QB_TagDel(h, "T1"));
  GenerousLimits(h);
  const int sent = peer.Sent();
  peer.Release();
  ASSERT_TRUE(WaitUntil([&] { return peer.Sent() > sent; })) << "the late reply never went out";
  ASSERT_TRUE(WaitUntil([&] { return QbClientOf(h)->HasBytesWaiting(); })) << "the late reply never came";
  Answer(5);
  EXPECT_EQ(5, QB_TagDel(h, "T1"));
}

TEST_F(QbTransport, ServerClosingDuringTheWaitGives31) {
  peer.SetHandler([](const Bytes&) { return PeerScript{Close()}; });
  EXPECT_EQ(QB_ERR_NOTCONNECTED, QB_TagDel(h, "T1"));
  EXPECT_EQ(0, Connected());
  EXPECT_FALSE(QbClientOf(h)->HasSocket());
  const size_t sent = peer.RequestCount();
  EXPECT_EQ(QB_ERR_NOTCONNECTED, QB_TagDel(h, "T1"));  // nothing sent any more
  EXPECT_EQ(sent, peer.RequestCount());
}

TEST_F(QbTransport, ServerDroppingWhileIdleIsNoticedByTheNextRequest) {
  peer.SetHandler([](const Bytes& r) { return PeerScript{Send(ReplyTo(r, 0)), Close()}; });
  EXPECT_EQ(QB_OK, QB_TagDel(h, "T1"));
  ASSERT_TRUE(WaitUntil([&] { return peer.ConnectionsClosed() == 1; })) << "the peer never hung up";
  EXPECT_EQ(1, Connected());  // nothing sent, nothing noticed yet
  Answer(0);
  EXPECT_EQ(QB_ERR_NOTCONNECTED, QB_TagDel(h, "T1"));
  EXPECT_EQ(0, Connected());
}

TEST_F(QbTransport, ReconnectsAfterTheServerDropped) {
  peer.SetHandler([](const Bytes& r) {
    const Bytes reply = ReplyTo(r, 0, Bytes(40, 1));
    // A frame cut off by the lost connection.
    return PeerScript{Send(Bytes(reply.begin(), reply.begin() + 24)), Close()};
  });
  EXPECT_EQ(QB_ERR_NOTCONNECTED, QB_TagDel(h, "T1"));
  EXPECT_EQ(0, Connected());
  ASSERT_EQ(QB_OK, QB_Connect(h, "127.0.0.1", peer.Port(), "user", "pw"));
  EXPECT_EQ(1, Connected());
  EXPECT_EQ(2, peer.Connections());
  Answer(0);
  EXPECT_EQ(QB_OK, QB_TagDel(h, "T1"));
}

TEST_F(QbTransport, PartialFrameOfALostConnectionDoesNotReachTheNextLogin) {
  // Drive the parser into its partial state, then lose the connection.
  peer.SetHandler([](const Bytes& r) {
    const Bytes reply = ReplyTo(r, 0, Bytes(100, 1));
    return PeerScript{Send(Bytes(reply.begin(), reply.begin() + 30)), Close()};
  });
  EXPECT_EQ(QB_ERR_NOTCONNECTED, QB_TagDel(h, "T1"));
  QbFrameParser& parser = QbClientOf(h)->Parser();
  EXPECT_EQ(QbFrameParser::kPartialFrame, parser.GetState());
  EXPECT_EQ(QB_OK, QB_Connect(h, "127.0.0.1", peer.Port(), "user", "pw"));
}

TEST_F(QbTransport, DisconnectClosesAndANewConnectLogsInAgain) {
  EXPECT_EQ(QB_OK, QB_DisConnnect(h));
  EXPECT_EQ(0, Connected());
  EXPECT_EQ(QB_ERR_NOTCONNECTED, QB_TagDel(h, "T1"));
  EXPECT_EQ(QB_OK, QB_Connect(h, "127.0.0.1", peer.Port(), "user", "pw"));
  EXPECT_EQ(1u, peer.LoginRequests().size());
  EXPECT_EQ(QB_OK, QB_TagDel(h, "T1"));
}

TEST_F(QbTransport, LargeFramesGoOutWholeAndOversizedOnesNotAtAll) {
  Answer(3);
  const std::string big(3 * 1024 * 1024, 'n');
  EXPECT_EQ(3, QB_TagDel(h, big.c_str()));
  ASSERT_EQ(1u, peer.RequestCount());
  EXPECT_EQ(16 + big.size() + 1, peer.Requests()[0].size());
  const std::string tooBig(0x400000 - 16, 'n');  // with its zero one byte above 4 MB
  EXPECT_EQ(QB_ERR_FAIL, QB_TagDel(h, tooBig.c_str()));
  EXPECT_EQ(1u, peer.RequestCount());
  EXPECT_EQ(3, QB_TagDel(h, "T1"));
}

// The one slow test: the exports' own 15-second reply limit.
TEST(QbExchange, ExportWaitsFifteenSecondsForAReply) {
  FakePeer peer;
  QB_HANDLE h = QB_Create();
  ASSERT_EQ(QB_OK, QB_Connect(h, "127.0.0.1", peer.Port(), "u", "p"));
  peer.SetHandler([](const Bytes&) { return PeerScript{}; });
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(QB_ERR_FAIL, QB_TagDel(h, "T1"));
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  EXPECT_GE(seconds, 14.9);
  EXPECT_LT(seconds, 20.0);
  int connected = 0;
  QB_IsConnnect(h, &connected);
  EXPECT_EQ(1, connected);
  QB_Destory(h);
}

}  // namespace
