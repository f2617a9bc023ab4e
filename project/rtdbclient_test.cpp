// The database binding without a database server: a missing library, binding
// the real qel3api.dll, the worker without entries or without a server, and a
// Stop that must not wait for a connect attempt that hangs.
#include <gtest/gtest.h>
#include <winsock2.h>

#include <atomic>
#include <memory>
#include <thread>

#include "projecttest_util.h"

namespace {

const char kBuiltLibrary[] = "..\\out\\qel3api.dll";  // the program folder, seen from the tests

// Stop's own limit, a hundred slices of 100 ms: a Stop that waited for a
// worker that never ended would use it up.
const DWORD kStopLimitMs = CRtdbClient::kStopSlices * CRtdbClient::kStopSliceMs;

// A loopback listener that accepts connections and never answers them.
class SilentListener {
 public:
  SilentListener() {
    WSADATA data;
    WSAStartup(MAKEWORD(1, 1), &data);
    m_listener = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in addr = {};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = inet_addr("127.0.0.1");
    bind(m_listener, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
    listen(m_listener, 4);
    int length = sizeof addr;
    getsockname(m_listener, reinterpret_cast<sockaddr*>(&addr), &length);
    m_port = ntohs(addr.sin_port);
  }
  ~SilentListener() {
    CloseAccepted();
    CloseListener();
    WSACleanup();
  }
  int Port() const { return m_port; }
  // Waits up to timeoutMs for one connection and keeps it open.
  bool Accept(DWORD timeoutMs) {
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(m_listener, &readable);
    timeval wait = {(long)(timeoutMs / 1000), (long)(timeoutMs % 1000) * 1000};
    if (select(0, &readable, nullptr, nullptr, &wait) != 1) return false;
    m_accepted = accept(m_listener, nullptr, nullptr);
    return m_accepted != INVALID_SOCKET;
  }
  // True while the accepted connection is open on the other side too (what
  // the client sent is read and dropped).
  bool StillOpen() {
    if (m_accepted == INVALID_SOCKET) return false;
    for (;;) {
      fd_set readable;
      FD_ZERO(&readable);
      FD_SET(m_accepted, &readable);
      timeval now = {0, 0};
      if (select(0, &readable, nullptr, nullptr, &now) != 1) return true;
      char bytes[256];
      if (recv(m_accepted, bytes, sizeof bytes, 0) <= 0) return false;
    }
  }
  void CloseAccepted() {
    if (m_accepted != INVALID_SOCKET) closesocket(m_accepted);
    m_accepted = INVALID_SOCKET;
  }
  void CloseListener() {
    if (m_listener != INVALID_SOCKET) closesocket(m_listener);
    m_listener = INVALID_SOCKET;
  }

 private:
  SOCKET m_listener = INVALID_SOCKET;
  SOCKET m_accepted = INVALID_SOCKET;
  int m_port = 0;
};

// A loopback server that hangs up on every connection at once: each
// connection attempt is counted and fails, and the next comes a second later.
class HangUpListener {
 public:
  HangUpListener() : m_thread([this] { Run(); }) {}
  ~HangUpListener() {
    m_stop = true;
    m_thread.join();
  }
  int Port() const { return m_socket.Port(); }
  int Accepted() const { return m_accepted; }

 private:
  void Run() {
    while (!m_stop)
      if (m_socket.Accept(20)) {
        ++m_accepted;
        m_socket.CloseAccepted();
      }
  }
  SilentListener m_socket;
  std::atomic<bool> m_stop{false};
  std::atomic<int> m_accepted{0};
  std::thread m_thread;
};

CRtdbConnBlock BlockFor(int port) {
  CRtdbConnBlock block;
  block.Clear();
  block.entries[0] = MakeConnEntry("127.0.0.1", (DWORD)port, "admin", "secret");
  block.count = 1;
  return block;
}

// Every data operation with harmless arguments, for the status it answers.
std::vector<int> AllDataStatuses(IRtdbClient& client) {
  QB_TAGATTR attr = {};
  QB_TAGVALUE values[2] = {};
  VarReply var = {};
  QB_HISVALUE his[4] = {};
  QB_VALUE a = {}, b = {};
  QB_VALUEDATA c = {}, d = {};
  QB_HISSTEP steps[2] = {};
  int count = 0, done = 0;
  int32_t e = 0;
  return {client.TagGetAttr(&attr),
          client.TagQuery("", "", -1, -1, nullptr, nullptr),
          client.ReadReal(values, 2),
          client.ReadRealVar("T", &var),
          client.ReadHis("T", 1, 2, 0, 0, his, 4, &count, &done),
          client.ReadHisEx(values, 1, 2),
          client.ReadHisVar("T", 1, 0, &var),
          client.GetHisSum("T", 1, 2, &a, &b, &c, &d, &e),
          client.GetHisSumEx("T", 1, 2, 1, steps, 2, &count)};
}

TEST(RtdbClient, MissingLibraryStartsNothingAndDataOperationsFail) {
  const DWORD start = GetTickCount();
  {
    CRtdbClient client;
    EXPECT_EQ(0, client.SetEntriesAndBind(BlockFor(11084), 0));  // no qel3api.dll beside the tests
    EXPECT_FALSE(client.IsBound());
    EXPECT_EQ(0, client.BindApi("no-such-library.dll"));
    EXPECT_EQ(0, client.Start());
    EXPECT_FALSE(client.IsRunning());
    EXPECT_EQ(std::vector<int>(9, QB_ERR_FAIL), AllDataStatuses(client));
    EXPECT_EQ(0, client.Restart(BlockFor(11084), 0));  // Restart never loads the library
    EXPECT_FALSE(client.IsRunning());
    EXPECT_EQ(1, client.Stop());
  }
  EXPECT_LT(Elapsed(start), kStopLimitMs);  // Stop and the destructor have no worker to wait for
}

TEST(RtdbClient, BindsTheFourteenExportsByName) {
  CRtdbClient client;
  ASSERT_EQ(1, client.BindApi(kBuiltLibrary));
  EXPECT_EQ(1, client.BindApi("no-such-library.dll"));  // already loaded
  const Qel3apiEntries& api = client.Entries();
  const bool bound[] = {
#define RTDB_ENTRY_BOUND(name) api.name != nullptr,
      RTDB_BOUND_EXPORTS(RTDB_ENTRY_BOUND)
#undef RTDB_ENTRY_BOUND
  };
  ASSERT_EQ(14u, sizeof bound / sizeof bound[0]);
  for (bool entry : bound) EXPECT_TRUE(entry);
  EXPECT_EQ(1, client.SetEntriesAndBind(BlockFor(11084), 0));  // keeps the library already bound
}

// A client started after the one under test, connecting to a server that
// hangs up: its attempts come a second apart, so once it has made n of them
// the client started before it has been through n periods of its own.
class LaterClient {
 public:
  LaterClient() {
    m_client.BindApi(kBuiltLibrary);
    m_client.SetEntriesAndBind(BlockFor(m_server.Port()), 0);
    m_client.Start();
  }
  bool WaitForAttempts(int n) {
    return WaitFor(kGenerousMs, [&] { return m_server.Accepted() >= n; });
  }

 private:
  HangUpListener m_server;
  CRtdbClient m_client;
};

TEST(RtdbClient, WithoutAnEntryTheWorkerNeverConnects) {
  HangUpListener uncounted;
  CRtdbClient client;
  ASSERT_EQ(1, client.BindApi(kBuiltLibrary));
  CRtdbConnBlock empty = BlockFor(uncounted.Port());
  empty.count = 0;  // an entry is there, but not counted
  ASSERT_EQ(1, client.SetEntriesAndBind(empty, 0));
  ASSERT_EQ(1, client.Start());
  EXPECT_EQ(1, client.Start());  // already running: no second worker
  EXPECT_TRUE(client.IsRunning());
  RtdbConnEntry entry;
  EXPECT_FALSE(client.GetFirstEntry(&entry));
  LaterClient later;
  ASSERT_TRUE(later.WaitForAttempts(2)) << "the later client never tried twice";
  EXPECT_FALSE(client.IsConnected());
  EXPECT_EQ(0, uncounted.Accepted());
  EXPECT_EQ(std::vector<int>(9, QB_ERR_NOTCONNECTED), AllDataStatuses(client));
  const DWORD stop = GetTickCount();
  EXPECT_EQ(1, client.Stop());
  EXPECT_LT(Elapsed(stop), kStopLimitMs);
  EXPECT_FALSE(client.IsRunning());
}

TEST(RtdbClient, UnreachableServerGivesNotConnectedAndStopIsPrompt) {
  SilentListener closed;
  const int port = closed.Port();
  closed.CloseListener();  // nothing listens there any more
  CRtdbClient client;
  ASSERT_EQ(1, client.BindApi(kBuiltLibrary));
  client.SetEntriesAndBind(BlockFor(port), 0);
  ASSERT_EQ(1, client.Start());
  LaterClient later;
  ASSERT_TRUE(later.WaitForAttempts(3))
      << "the later client never tried three times";  // two refused attempts
  EXPECT_FALSE(client.IsConnected());
  QB_TAGVALUE value = {};
  EXPECT_EQ(QB_ERR_NOTCONNECTED, client.ReadReal(&value, 1));
  const DWORD stop = GetTickCount();
  client.Stop();
  EXPECT_LT(Elapsed(stop), kStopLimitMs);
}

TEST(RtdbClient, EntryTextsHandedOverAreAlwaysTerminated) {
  CRtdbConnBlock block;
  std::memset(&block, 'q', sizeof block);
  block.count = 99;  // damaged: at most eight entries
  CRtdbClient client;
  client.SetEntriesAndBind(block, 0);
  RtdbConnEntry entry;
  ASSERT_TRUE(client.GetFirstEntry(&entry));
  EXPECT_EQ(15u, std::strlen(entry.host));
  EXPECT_EQ(15u, std::strlen(entry.account));
  EXPECT_EQ(15u, std::strlen(entry.password));
}

// A login that gets no answer keeps the worker inside QB_Connect for up to 15
// seconds; Stop gives up after ten, and a Restart then must still end with a
// worker connecting to the new entry once the old attempt is over.
TEST(RtdbClient, StopDoesNotWaitForAHangingLoginAndRestartStillGetsAWorker) {
  SilentListener hanging, next;
  auto client = std::make_unique<CRtdbClient>();
  ASSERT_EQ(1, client->BindApi(kBuiltLibrary));
  client->SetEntriesAndBind(BlockFor(hanging.Port()), 0);
  ASSERT_EQ(1, client->Start());
  ASSERT_TRUE(hanging.Accept(kGenerousMs));  // the worker is now waiting for the login reply
  // A data call never waits for a connection: it answers while the login
  // still hangs (the worker would close the connection once it timed out).
  QB_TAGVALUE value = {};
  EXPECT_EQ(QB_ERR_NOTCONNECTED, client->ReadReal(&value, 1));
  EXPECT_TRUE(hanging.StillOpen()) << "the data call waited for the connection attempt";

  const DWORD restart = GetTickCount();
  EXPECT_EQ(1, client->Restart(BlockFor(next.Port()), 0));
  EXPECT_GE(Elapsed(restart), 9500u);  // Stop waited its ten seconds
  EXPECT_TRUE(hanging.StillOpen()) << "Stop waited for the hanging login";

  hanging.CloseAccepted();  // the old attempt fails now
  ASSERT_TRUE(next.Accept(kGenerousMs)) << "the worker went on with the new entry";
  next.CloseAccepted();
  next.CloseListener();  // later attempts are refused at once
  const DWORD destroy = GetTickCount();
  client.reset();
  EXPECT_LT(Elapsed(destroy), kStopLimitMs);
}

}  // namespace
