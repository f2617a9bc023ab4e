// The database binding against the real qel3api.dll and the simulated server:
// connecting, the host callbacks, a lost server, reconnecting, Restart and Stop.
#include <gtest/gtest.h>

#include <string>

#include "projecttest_util.h"
#include "tagsim.h"

namespace {

const char kBuiltLibrary[] = "..\\out\\qel3api.dll";

const char kTags[] =
    "[tags]\n"
    "FIC101.PV | float64 | const 12.5 | 进料流量 | m3/h | 5\n"
    "CNT | int32 | const 42\n"
    "MSG | string | const 你好\n"
    "[accounts]\n"
    "admin | secret | 7\n";

CRtdbConnBlock BlockFor(int port) {
  CRtdbConnBlock block;
  block.Clear();
  block.entries[0] = MakeConnEntry("127.0.0.1", (DWORD)port, "admin", "secret");
  block.count = 1;
  return block;
}

// The worker connects a second after its start and reconnects within a
// second; this leaves room for a loaded machine, not for a worker that waits
// several periods.
const DWORD kReconnectMs = 5 * CRtdbClient::kConnectPeriodMs;
const DWORD kStopLimitMs = CRtdbClient::kStopSlices * CRtdbClient::kStopSliceMs;

const uint8_t kLogin[] = {0x08, 0x57};
const uint8_t kReadReal[] = {0x20, 0x92};

// The next login is answered only when the test releases it, so that the
// client is certainly not connected until then.
void HoldNextLogin(tagsim::Server& sim) {
  tagsim::Fault held;
  held.held = true;
  held.times = 1;
  sim.SetFault(kLogin[0], kLogin[1], held);
}

void StartServer(tagsim::Server& sim, uint16_t port = 0) {
  std::string error;
  ASSERT_TRUE(sim.LoadTagsFromString(kTags, &error)) << error;
  sim.SetFixedTime(1000000);
  ASSERT_TRUE(sim.Start("127.0.0.1", port, &error)) << error;
}

class RtdbClientTagsim : public ::testing::Test {
 protected:
  void SetUp() override {
    HoldNextLogin(sim);  // the first login waits for FirstConnect
    StartServer(sim);
    client = project.GetClient();
    ASSERT_EQ(1, client->BindApi(kBuiltLibrary));
    project.m_conn = BlockFor(sim.Port());
    ASSERT_EQ(1, client->SetEntriesAndBind(project.m_conn, 0));
    started = GetTickCount();
    ASSERT_EQ(1, client->Start());
  }
  bool WaitConnected(DWORD timeoutMs = kReconnectMs) {
    return WaitFor(timeoutMs, [&] { return client->IsConnected(); });
  }
  // Lets the first login be answered and waits until the client is connected.
  bool FirstConnect() {
    sim.ReleaseHeld();
    return WaitConnected();
  }
  int Reads(tagsim::Server& server) { return server.FramesReceived(kReadReal[0], kReadReal[1]); }
  int Logins(tagsim::Server& server) { return server.FramesReceived(kLogin[0], kLogin[1]); }
  int ReadTwo() {
    std::memset(values, 0, sizeof values);
    std::strcpy(values[0].name, "FIC101.PV");
    std::strcpy(values[1].name, "CNT");
    return table().pfnReadReal(table().context, values, 2);
  }
  const HostCallbackBlock& table() { return project.GetHostCallbacks(); }

  tagsim::Server sim;
  CProject project;
  CRtdbClient* client = nullptr;
  QB_TAGVALUE values[2];
  DWORD started = 0;
};

// GetTickCount moves in steps of up to this much.
const DWORD kTickStepMs = 16;

TEST_F(RtdbClientTagsim, ConnectsASecondAfterTheStartAndTheCallbacksReadValues) {
  ASSERT_TRUE(WaitFor(kGenerousMs, [&] { return Logins(sim) == 1; })) << "no login came";
  EXPECT_GE(Elapsed(started), CRtdbClient::kConnectPeriodMs - kTickStepMs);  // the first attempt
  EXPECT_EQ(QB_ERR_NOTCONNECTED, ReadTwo());                                 // while the login is unanswered
  EXPECT_EQ(0, Reads(sim));
  ASSERT_TRUE(FirstConnect());

  ASSERT_EQ(QB_OK, ReadTwo());
  EXPECT_EQ(QB_TYPE_FLOAT64, values[0].value.type);
  EXPECT_DOUBLE_EQ(12.5, values[0].value.data.f64);
  EXPECT_EQ(QB_TYPE_INT32, values[1].value.type);
  EXPECT_EQ(42, values[1].value.data.i32);

  VarReply text = {};
  ASSERT_EQ(QB_OK, table().pfnReadRealVar(table().context, "MSG", &text));
  EXPECT_STREQ("你好", text.data);

  QB_TAGATTR attr = {};
  std::strcpy(attr.name, "FIC101.PV");
  ASSERT_EQ(QB_OK, table().pfnTagGetAttr(table().context, &attr));
  EXPECT_STREQ("进料流量", attr.description);
  EXPECT_STREQ("m3/h", attr.unit);
}

TEST_F(RtdbClientTagsim, LostServerMarksDisconnectedAndTheWorkerReconnects) {
  ASSERT_TRUE(FirstConnect());
  ASSERT_EQ(QB_OK, ReadTwo());
  const uint16_t port = sim.Port();
  sim.Stop();

  EXPECT_EQ(QB_ERR_NOTCONNECTED, ReadTwo());
  EXPECT_FALSE(client->IsConnected());

  tagsim::Server again;
  HoldNextLogin(again);
  StartServer(again, port);
  // Until the worker has connected again, nothing reaches the library.
  ASSERT_TRUE(WaitFor(kReconnectMs, [&] { return Logins(again) == 1; })) << "no new login came";
  EXPECT_EQ(QB_ERR_NOTCONNECTED, ReadTwo());
  EXPECT_EQ(0, Reads(again));
  again.ReleaseHeld();
  ASSERT_TRUE(WaitConnected());
  EXPECT_EQ(QB_OK, ReadTwo());
  EXPECT_EQ(1, Reads(again));
  EXPECT_EQ(1, again.ConnectionsAccepted());
}

TEST_F(RtdbClientTagsim, DroppedConnectionIsNoticedByTheNextReadAndRestored) {
  ASSERT_TRUE(FirstConnect());
  HoldNextLogin(sim);
  ASSERT_TRUE(sim.DropConnections());
  ASSERT_EQ(0, sim.ActiveConnections());
  EXPECT_EQ(QB_ERR_NOTCONNECTED, ReadTwo());
  const int reads = Reads(sim);
  EXPECT_EQ(QB_ERR_NOTCONNECTED, ReadTwo());  // refused at once, without the library
  ASSERT_TRUE(WaitFor(kReconnectMs, [&] { return Logins(sim) == 2; })) << "no new login came";
  EXPECT_EQ(QB_ERR_NOTCONNECTED, ReadTwo());  // still: the new login is unanswered
  EXPECT_EQ(reads, Reads(sim));
  sim.ReleaseHeld();
  ASSERT_TRUE(WaitConnected());
  EXPECT_EQ(QB_OK, ReadTwo());
  EXPECT_EQ(2, sim.ConnectionsAccepted());
}

TEST_F(RtdbClientTagsim, RestartWithAnotherFirstEntryMovesToThatServer) {
  ASSERT_TRUE(FirstConnect());
  tagsim::Server other;
  StartServer(other);
  ASSERT_TRUE(other.SetValue("CNT", tagsim::MakeValue(tagsim::kTypeInt32, 77)));
  EXPECT_EQ(1, client->Restart(BlockFor(other.Port()), 0));
  EXPECT_TRUE(WaitFor(kGenerousMs, [&] { return sim.ActiveConnections() == 0; }));
  ASSERT_TRUE(WaitConnected());
  ASSERT_EQ(QB_OK, ReadTwo());
  EXPECT_EQ(77, values[1].value.data.i32);
  EXPECT_EQ(1, other.ConnectionsAccepted());
  EXPECT_EQ(1, sim.ConnectionsAccepted());
}

TEST_F(RtdbClientTagsim, StopIsPromptAndDisconnects) {
  ASSERT_TRUE(FirstConnect());
  const DWORD stop = GetTickCount();
  EXPECT_EQ(1, client->Stop());
  EXPECT_LT(Elapsed(stop), kStopLimitMs);
  EXPECT_FALSE(client->IsRunning());
  EXPECT_EQ(QB_ERR_NOTCONNECTED, ReadTwo());
  EXPECT_TRUE(WaitFor(kGenerousMs, [&] { return sim.ActiveConnections() == 0; }));
  // Started again, it connects again.
  EXPECT_EQ(1, client->Start());
  ASSERT_TRUE(WaitConnected());
  EXPECT_EQ(QB_OK, ReadTwo());
}

TEST_F(RtdbClientTagsim, RefusedLoginIsRetriedEverySecond) {
  ASSERT_TRUE(FirstConnect());
  CRtdbConnBlock wrong = BlockFor(sim.Port());
  std::strcpy(wrong.entries[0].password, "wrong");
  client->Restart(wrong, 0);
  // The first login, then two refused ones about a second apart.
  EXPECT_TRUE(WaitFor(2 * kReconnectMs, [&] { return Logins(sim) >= 3; }));
  EXPECT_FALSE(client->IsConnected());
  EXPECT_EQ(QB_ERR_NOTCONNECTED, ReadTwo());
}

}  // namespace
