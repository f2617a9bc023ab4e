#include "qbfakepeer.h"

#include <winsock.h>

#include <chrono>
#include <cstring>

#include "qbframe.h"

namespace qbtest {

namespace {

constexpr int kPollMs = 20;

int WaitReadable(SOCKET s, int ms) {
  fd_set set;
  FD_ZERO(&set);
  FD_SET(s, &set);
  timeval tv = {ms / 1000, (ms % 1000) * 1000};
  return select(0, &set, nullptr, nullptr, &tv);
}

}  // namespace

PeerStep Send(const Bytes& bytes) { return {PeerStep::kSend, bytes, 0}; }
PeerStep Sleep(int ms) { return {PeerStep::kSleep, {}, ms}; }
PeerStep Hold() { return {PeerStep::kHold, {}, 0}; }
PeerStep Close() { return {PeerStep::kClose, {}, 0}; }

Bytes Frame(uint8_t group, uint8_t command, uint8_t status, const Bytes& body, uint8_t flag) {
  Bytes frame(16);
  QbWriteHeader(frame.data(), uint32_t(16 + body.size()), group, command, flag, status);
  frame.insert(frame.end(), body.begin(), body.end());
  return frame;
}

Bytes ReplyTo(const Bytes& request, uint8_t status, const Bytes& body, uint8_t flag) {
  return Frame(uint8_t(request[8] + 0x70), request[9], status, body, flag);
}

Bytes Concat(std::initializer_list<Bytes> parts) {
  Bytes all;
  for (const Bytes& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

Bytes Le32(uint32_t v) { return {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)}; }
Bytes Le16(uint16_t v) { return {uint8_t(v), uint8_t(v >> 8)}; }

void StartSockets() {
  static const bool started = [] {
    WSADATA data;
    return WSAStartup(MAKEWORD(1, 1), &data) == 0;
  }();
  (void)started;
}

FakePeer::FakePeer() : listener_(INVALID_SOCKET) {
  StartSockets();
  handler_ = [](const Bytes& request) { return PeerScript{Send(ReplyTo(request, 0))}; };
  loginHandler_ = [](const Bytes& request) { return PeerScript{Send(ReplyTo(request, 0, Le32(1)))}; };
  SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  sockaddr_in at = {};
  at.sin_family = AF_INET;
  at.sin_addr.s_addr = inet_addr("127.0.0.1");
  at.sin_port = 0;
  bind(s, reinterpret_cast<sockaddr*>(&at), sizeof at);
  listen(s, 4);
  int size = sizeof at;
  getsockname(s, reinterpret_cast<sockaddr*>(&at), &size);
  port_ = ntohs(at.sin_port);
  listener_ = s;
  thread_ = std::thread([this] { Run(); });
}

FakePeer::~FakePeer() {
  stop_ = true;
  thread_.join();
  closesocket(SOCKET(listener_));
}

void FakePeer::SetHandler(Handler handler) {
  std::lock_guard<std::mutex> lock(mutex_);
  handler_ = std::move(handler);
}

void FakePeer::SetLoginHandler(Handler handler) {
  std::lock_guard<std::mutex> lock(mutex_);
  loginHandler_ = std::move(handler);
}

std::vector<Bytes> FakePeer::Requests() {
  std::lock_guard<std::mutex> lock(mutex_);
  return requests_;
}

std::vector<Bytes> FakePeer::LoginRequests() {
  std::lock_guard<std::mutex> lock(mutex_);
  return logins_;
}

size_t FakePeer::RequestCount() {
  std::lock_guard<std::mutex> lock(mutex_);
  return requests_.size();
}

void FakePeer::ClearRequests() {
  std::lock_guard<std::mutex> lock(mutex_);
  requests_.clear();
  logins_.clear();
}

void FakePeer::Run() {
  while (!stop_) {
    if (WaitReadable(SOCKET(listener_), kPollMs) <= 0) continue;
    SOCKET connection = accept(SOCKET(listener_), nullptr, nullptr);
    if (connection == INVALID_SOCKET) continue;
    ++connections_;
    Serve(connection);
    closesocket(connection);
    ++closed_;
  }
}

bool FakePeer::ReadExact(uintptr_t s, uint8_t* target, size_t n) {
  size_t got = 0;
  while (got < n) {
    if (stop_) return false;
    const int ready = WaitReadable(SOCKET(s), kPollMs);
    if (ready < 0) return false;
    if (ready == 0) continue;
    const int r = recv(SOCKET(s), reinterpret_cast<char*>(target + got), int(n - got), 0);
    if (r <= 0) return false;
    got += size_t(r);
  }
  return true;
}

bool FakePeer::Perform(uintptr_t s, const PeerScript& script) {
  for (const PeerStep& step : script) {
    switch (step.kind) {
      case PeerStep::kSend: {
        size_t sent = 0;
        while (sent < step.bytes.size()) {
          const int r = send(SOCKET(s), reinterpret_cast<const char*>(step.bytes.data() + sent),
                             int(step.bytes.size() - sent), 0);
          if (r <= 0) return false;
          sent += size_t(r);
        }
        ++sent_;
        break;
      }
      case PeerStep::kSleep: std::this_thread::sleep_for(std::chrono::milliseconds(step.ms)); break;
      case PeerStep::kHold:
        if (!AwaitRelease()) return false;
        break;
      case PeerStep::kClose: return false;
    }
  }
  return true;
}

// Each Hold takes the next ticket and goes on once that many releases came;
// the peer's end ends the wait too.
bool FakePeer::AwaitRelease() {
  const int ticket = ++holds_;
  while (released_ < ticket) {
    if (stop_) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(kPollMs));
  }
  return true;
}

void FakePeer::Serve(uintptr_t s) {
  for (;;) {
    Bytes request(16);
    if (!ReadExact(s, request.data(), 16)) return;
    const uint32_t length = uint32_t(request[4]) | uint32_t(request[5]) << 8 | uint32_t(request[6]) << 16 |
                            uint32_t(request[7]) << 24;
    if (length < 16 || length > 0x400000) return;
    request.resize(length);
    if (length > 16 && !ReadExact(s, request.data() + 16, length - 16)) return;
    const bool login = request[8] == 0x08 && request[9] == 0x57;
    Handler handler;
    {
      std::lock_guard<std::mutex> lock(mutex_);
      (login ? logins_ : requests_).push_back(request);
      handler = login ? loginHandler_ : handler_;
    }
    if (!Perform(s, handler(request))) return;
  }
}

}  // namespace qbtest
