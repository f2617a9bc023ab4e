// The listener, one thread per connection, and the test-facing controls.
#include <winsock2.h>
#include <ws2tcpip.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <list>
#include <map>
#include <mutex>
#include <sstream>
#include <thread>

#include "crtformat.h"
#include "handlers.h"
#include "reply_plan.h"
#include "tagsim.h"
#include "values.h"

namespace tagsim {
namespace {

constexpr int kPollMs = 50;                     // how quickly threads notice a stop or drop
constexpr size_t kRequestLogMax = 10000;        // entries per command
constexpr size_t kRequestLogBytes = 64u << 20;  // and bytes, for a long-running server
constexpr size_t kReceiveSize = 8192;
constexpr DWORD kSendLimitMs = 5000;

uint16_t Key(uint8_t group, uint8_t command) { return uint16_t(group << 8 | command); }

struct CommandCounter {
  int frames = 0;
  Bytes lastFrame;
  std::vector<Bytes> log;
  size_t logBytes = 0;
};

struct FaultState {
  Fault fault;
  int seen = 0;
  int applied = 0;
};

struct Connection {
  SOCKET socket = INVALID_SOCKET;
  uint32_t number = 0;
  std::atomic<bool> drop{false};
  std::atomic<bool> done{false};
  std::thread thread;
};

// 1 readable, 0 time-out, -1 error.
int WaitReadable(SOCKET s, int ms) {
  fd_set set;
  FD_ZERO(&set);
  FD_SET(s, &set);
  timeval tv{ms / 1000, (ms % 1000) * 1000};
  int n = select(0, &set, nullptr, nullptr, &tv);
  return n > 0 ? 1 : n == 0 ? 0 : -1;
}

std::string Hex(uint8_t v) { return qel::FormatStr("0x%02X", v); }

}  // namespace

struct Server::Impl {
  mutable std::mutex mu;  // everything below up to the sockets
  Store store;
  std::map<uint16_t, FaultState> faults;
  std::map<uint16_t, CommandCounter> counters;
  int totalFrames = 0;
  uint32_t fixedTime = 0;
  size_t tagPageSize = 100;
  size_t historyPageSize = 200;
  std::atomic<bool> verbose{false};

  std::atomic<bool> stopping{false};
  SOCKET listener = INVALID_SOCKET;
  uint16_t port = 0;
  std::thread acceptThread;
  std::mutex connMu;
  std::list<Connection> connections;
  std::atomic<int> accepted{0};
  std::atomic<int> active{0};
  std::atomic<int> repliesSent{0};
  std::atomic<int> holds{0};  // held replies so far: each waits for its own release
  std::atomic<int> released{0};
  bool wsaReady = false;

  Impl() {
    WSADATA data;
    wsaReady = WSAStartup(MAKEWORD(2, 2), &data) == 0;
  }
  ~Impl() {
    if (wsaReady) WSACleanup();
  }

  int64_t NowMs() const {
    if (fixedTime) return int64_t(fixedTime) * 1000;
    using namespace std::chrono;
    return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
  }

  void Log(const std::string& line) {
    if (!verbose) return;
    std::fputs(line.c_str(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
  }

  // Counts the frame, runs its handler and plans the reply with the command's fault.
  SendPlan Process(const Bytes& frame, SessionState& session) {
    std::lock_guard<std::mutex> lock(mu);
    uint8_t group = frame[8], command = frame[9];
    uint16_t key = Key(group, command);
    CommandCounter& c = counters[key];
    ++c.frames;
    ++totalFrames;
    c.lastFrame = frame;
    if (c.log.size() < kRequestLogMax && c.logBytes < kRequestLogBytes) {
      c.log.emplace_back(frame.begin() + kHeaderSize, frame.end());
      c.logBytes += frame.size();
    }

    Body body{frame.data() + kHeaderSize, frame.size() - kHeaderSize};
    Reply reply;
    const CommandEntry* entry = FindCommand(group, command);
    if (!entry) {
      reply.status = kStatusUnknownCommand;
    } else if (entry->needsLogin && !session.loggedIn) {
      reply.status = kStatusNotLoggedIn;
    } else {
      Context ctx{store, session, NowMs(), tagPageSize, historyPageSize};
      entry->handler(ctx, body, reply);
    }
    if (entry && reply.status != kStatusOk && reply.body.empty())
      reply.body = ErrorBody(*entry, body, reply.status);

    const Fault* fault = nullptr;
    auto f = faults.find(key);
    if (f != faults.end()) {
      FaultState& st = f->second;
      ++st.seen;
      if (st.seen > st.fault.skip && (st.fault.times < 0 || st.applied < st.fault.times)) {
        ++st.applied;
        fault = &st.fault;
      }
    }
    Log(qel::FormatStr("#%u %s/%s %s: %u bytes -> status %u, %u bytes%s", session.number, Hex(group).c_str(),
                       Hex(command).c_str(), entry ? entry->name : "unknown", unsigned(frame.size()),
                       unsigned(reply.status), unsigned(reply.body.size() + kHeaderSize),
                       fault ? " (fault)" : ""));
    return PlanReply(fault, group, command, std::move(reply));
  }

  // Sleeps in small steps; false when the connection should end meanwhile.
  bool Pause(const Connection& conn, int ms) {
    auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (std::chrono::steady_clock::now() < until) {
      if (stopping || conn.drop) return false;
      std::this_thread::sleep_for(std::chrono::milliseconds(std::min(ms, 10)));
    }
    return !(stopping || conn.drop);
  }

  // Waits until this held reply's release came; false when the connection
  // should end meanwhile.
  bool AwaitRelease(const Connection& conn) {
    const int ticket = ++holds;
    while (released < ticket) {
      if (stopping || conn.drop) return false;
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
  }

  bool SendAll(SOCKET s, const uint8_t* p, size_t n) {
    while (n > 0) {
      int sent = send(s, reinterpret_cast<const char*>(p), int(std::min<size_t>(n, 65536)), 0);
      if (sent <= 0) return false;
      p += sent;
      n -= size_t(sent);
    }
    return true;
  }

  // False when the connection is to be closed.
  bool Carry(Connection& conn, const SendPlan& plan) {
    if (plan.delayMs > 0 && !Pause(conn, plan.delayMs)) return false;
    if (plan.held && !AwaitRelease(conn)) return false;
    size_t chunk = plan.chunkSize ? plan.chunkSize : plan.bytes.size();
    for (size_t off = 0; off < plan.bytes.size(); off += chunk) {
      if (off > 0 && plan.chunkGapMs > 0 && !Pause(conn, plan.chunkGapMs)) return false;
      if (!SendAll(conn.socket, plan.bytes.data() + off, std::min(chunk, plan.bytes.size() - off)))
        return false;
    }
    if (!plan.bytes.empty()) ++repliesSent;
    return !plan.closeAfter;
  }

  void Serve(Connection& conn) {
    SessionState session;
    session.number = conn.number;
    FrameScanner scanner;
    uint8_t buf[kReceiveSize];
    bool open = true;
    while (open && !stopping) {
      int ready = WaitReadable(conn.socket, kPollMs);
      if (ready < 0) break;
      if (ready == 0) {
        if (conn.drop) break;
        continue;
      }
      if (conn.drop) break;
      int n = recv(conn.socket, reinterpret_cast<char*>(buf), sizeof buf, 0);
      if (n <= 0) break;
      scanner.Feed(buf, size_t(n));
      Bytes frame;
      while (open && scanner.Next(&frame)) open = Carry(conn, Process(frame, session));
      open = open && !conn.drop;
    }
    closesocket(conn.socket);
    Log(qel::FormatStr("#%u closed", conn.number));
    --active;
    conn.done = true;
  }

  void Reap(bool all) {
    std::lock_guard<std::mutex> lock(connMu);
    for (auto it = connections.begin(); it != connections.end();) {
      if (all || it->done) {
        if (it->thread.joinable()) it->thread.join();
        it = connections.erase(it);
      } else {
        ++it;
      }
    }
  }

  void AcceptLoop() {
    while (!stopping) {
      Reap(false);
      if (WaitReadable(listener, kPollMs) <= 0) continue;
      SOCKET s = accept(listener, nullptr, nullptr);
      if (s == INVALID_SOCKET) continue;
      // Every piece leaves at once (one-byte writes must arrive as such), and a
      // client that stops reading cannot hold a connection thread, or Stop, forever.
      BOOL on = TRUE;
      setsockopt(s, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&on), sizeof on);
      DWORD sendLimitMs = kSendLimitMs;
      setsockopt(s, SOL_SOCKET, SO_SNDTIMEO, reinterpret_cast<const char*>(&sendLimitMs), sizeof sendLimitMs);
      std::lock_guard<std::mutex> lock(connMu);
      connections.emplace_back();
      Connection& conn = connections.back();
      conn.socket = s;
      conn.number = uint32_t(++accepted);
      ++active;
      Log(qel::FormatStr("#%u connected", conn.number));
      conn.thread = std::thread([this, &conn] { Serve(conn); });
    }
  }
};

Server::Server() : impl_(new Impl) {}
Server::~Server() { Stop(); }

bool Server::Start(const std::string& address, uint16_t port, std::string* error) {
  auto fail = [&](const char* why) {
    if (error) *error = qel::FormatStr("%s (error %d)", why, WSAGetLastError());
    if (impl_->listener != INVALID_SOCKET) closesocket(impl_->listener);
    impl_->listener = INVALID_SOCKET;
    return false;
  };
  if (Running()) {
    if (error) *error = "already running";
    return false;
  }
  if (!impl_->wsaReady) return fail("Windows Sockets not available");
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_port = htons(port);
  addr.sin_addr.s_addr = inet_addr(address.c_str());
  if (addr.sin_addr.s_addr == INADDR_NONE && address != "255.255.255.255") {
    if (error) *error = "not a dotted IPv4 address: " + address;
    return false;
  }
  impl_->listener = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  if (impl_->listener == INVALID_SOCKET) return fail("socket failed");
  BOOL exclusive = TRUE;
  setsockopt(impl_->listener, SOL_SOCKET, SO_EXCLUSIVEADDRUSE, reinterpret_cast<const char*>(&exclusive),
             sizeof exclusive);
  if (bind(impl_->listener, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0) return fail("bind failed");
  if (listen(impl_->listener, SOMAXCONN) != 0) return fail("listen failed");
  int len = sizeof addr;
  getsockname(impl_->listener, reinterpret_cast<sockaddr*>(&addr), &len);
  impl_->port = ntohs(addr.sin_port);
  impl_->stopping = false;
  impl_->acceptThread = std::thread([this] { impl_->AcceptLoop(); });
  return true;
}

void Server::Stop() {
  if (!impl_->acceptThread.joinable()) return;
  impl_->stopping = true;
  impl_->acceptThread.join();
  impl_->Reap(true);
  closesocket(impl_->listener);
  impl_->listener = INVALID_SOCKET;
}

bool Server::Running() const { return impl_->acceptThread.joinable(); }
uint16_t Server::Port() const { return impl_->port; }

bool Server::LoadTagsFromFile(const std::string& path, std::string* error) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    if (error) *error = "cannot open " + path;
    return false;
  }
  std::ostringstream text;
  text << in.rdbuf();
  std::lock_guard<std::mutex> lock(impl_->mu);
  Store scratch = impl_->store;  // a bad file changes nothing
  if (!LoadTagFileText(text.str(), &scratch, error)) return false;
  impl_->store = std::move(scratch);
  return true;
}

bool Server::LoadTagsFromString(const std::string& text, std::string* error) {
  std::lock_guard<std::mutex> lock(impl_->mu);
  Store scratch = impl_->store;
  if (!LoadTagText(text, &scratch, error)) return false;
  impl_->store = std::move(scratch);
  return true;
}

void Server::ClearTags() {
  std::lock_guard<std::mutex> lock(impl_->mu);
  impl_->store.ClearTags();
}

size_t Server::TagCount() const {
  std::lock_guard<std::mutex> lock(impl_->mu);
  return impl_->store.Tags().size();
}

bool Server::HasTag(const std::string& name) const {
  std::lock_guard<std::mutex> lock(impl_->mu);
  return impl_->store.Find(name) != nullptr;
}

void Server::AddAccount(const std::string& name, const std::string& password, uint32_t rights) {
  std::lock_guard<std::mutex> lock(impl_->mu);
  impl_->store.AddAccount(name, Md5(password), rights);
}

void Server::ClearAccounts() {
  std::lock_guard<std::mutex> lock(impl_->mu);
  impl_->store.Accounts().clear();
}

bool Server::SetValue(const std::string& name, const Value16& value) {
  std::lock_guard<std::mutex> lock(impl_->mu);
  Tag* tag = impl_->store.Find(name);
  if (!tag || !IsNumericType(tag->type) || !IsNumericType(value.type)) return false;
  tag->frozen = true;
  tag->value = ConvertValue(value, tag->type);
  if (tag->value.time == 0) tag->value.time = uint32_t(impl_->NowMs() / 1000);
  return true;
}

bool Server::SetVarValue(const std::string& name, const std::string& data, uint32_t time) {
  std::lock_guard<std::mutex> lock(impl_->mu);
  Tag* tag = impl_->store.Find(name);
  if (!tag || !IsVarType(tag->type) || data.size() > kVarDataMax) return false;
  tag->frozen = true;
  tag->var.type = tag->type;
  tag->var.quality = kQualityGood;
  tag->var.time = time ? time : uint32_t(impl_->NowMs() / 1000);
  tag->var.data = data;
  return true;
}

bool Server::GetValue(const std::string& name, Value16* out) const {
  std::lock_guard<std::mutex> lock(impl_->mu);
  const Tag* tag = impl_->store.Find(name);
  if (!tag) return false;
  *out = impl_->store.CurrentValue(*tag, impl_->NowMs());
  return true;
}

bool Server::GetVarValue(const std::string& name, std::string* data) const {
  std::lock_guard<std::mutex> lock(impl_->mu);
  const Tag* tag = impl_->store.Find(name);
  if (!tag || !IsVarType(tag->type)) return false;
  *data = impl_->store.CurrentVar(*tag, impl_->NowMs()).data;
  return true;
}

void Server::SetFixedTime(uint32_t seconds) {
  std::lock_guard<std::mutex> lock(impl_->mu);
  impl_->fixedTime = seconds;
}

uint32_t Server::Now() const {
  std::lock_guard<std::mutex> lock(impl_->mu);
  return uint32_t(impl_->NowMs() / 1000);
}

void Server::SetTagPageSize(int records) {
  std::lock_guard<std::mutex> lock(impl_->mu);
  impl_->tagPageSize = size_t(std::max(1, std::min(records, int((kMaxFrame - 24) / kAttrSize))));
}

void Server::SetHistoryPageSize(int records) {
  std::lock_guard<std::mutex> lock(impl_->mu);
  impl_->historyPageSize = size_t(std::max(1, std::min(records, int((kMaxFrame - kHeaderSize) / 16))));
}

void Server::SetFault(uint8_t group, uint8_t command, const Fault& fault) {
  std::lock_guard<std::mutex> lock(impl_->mu);
  impl_->faults[Key(group, command)] = FaultState{fault, 0, 0};
}

void Server::ClearFault(uint8_t group, uint8_t command) {
  std::lock_guard<std::mutex> lock(impl_->mu);
  impl_->faults.erase(Key(group, command));
}

void Server::ClearFaults() {
  std::lock_guard<std::mutex> lock(impl_->mu);
  impl_->faults.clear();
}

int Server::FramesReceived(uint8_t group, uint8_t command) const {
  std::lock_guard<std::mutex> lock(impl_->mu);
  auto it = impl_->counters.find(Key(group, command));
  return it == impl_->counters.end() ? 0 : it->second.frames;
}

int Server::TotalFramesReceived() const {
  std::lock_guard<std::mutex> lock(impl_->mu);
  return impl_->totalFrames;
}

std::vector<uint8_t> Server::LastRequestFrame(uint8_t group, uint8_t command) const {
  std::lock_guard<std::mutex> lock(impl_->mu);
  auto it = impl_->counters.find(Key(group, command));
  return it == impl_->counters.end() ? Bytes() : it->second.lastFrame;
}

std::vector<uint8_t> Server::LastRequest(uint8_t group, uint8_t command) const {
  Bytes frame = LastRequestFrame(group, command);
  return frame.size() > kHeaderSize ? Bytes(frame.begin() + kHeaderSize, frame.end()) : Bytes();
}

std::vector<std::vector<uint8_t>> Server::RequestLog(uint8_t group, uint8_t command) const {
  std::lock_guard<std::mutex> lock(impl_->mu);
  auto it = impl_->counters.find(Key(group, command));
  return it == impl_->counters.end() ? std::vector<Bytes>() : it->second.log;
}

int Server::ConnectionsAccepted() const { return impl_->accepted; }
int Server::ActiveConnections() const { return impl_->active; }

int Server::RepliesSent() const { return impl_->repliesSent; }

void Server::ReleaseHeld() { ++impl_->released; }

bool Server::DropConnections() {
  {
    std::lock_guard<std::mutex> lock(impl_->connMu);
    for (Connection& c : impl_->connections) c.drop = true;
  }
  // Wait until every thread has closed its socket, so the next request sees it.
  const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  for (;;) {
    bool allDone = true;
    {
      std::lock_guard<std::mutex> lock(impl_->connMu);
      for (Connection& c : impl_->connections) allDone = allDone && c.done;
    }
    if (allDone) return true;
    if (std::chrono::steady_clock::now() > limit) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
}

void Server::Reset() {
  std::lock_guard<std::mutex> lock(impl_->mu);
  impl_->faults.clear();
  impl_->counters.clear();
  impl_->totalFrames = 0;
}

void Server::SetVerbose(bool on) {
  std::lock_guard<std::mutex> lock(impl_->mu);
  impl_->verbose = on;
}

}  // namespace tagsim
