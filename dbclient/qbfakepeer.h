// A scripted stand-in for the database server, for the client's tests and
// benchmark: one loopback listener on an ephemeral port, a thread that reads
// request frames and answers each with the steps a handler returns (send
// bytes, pause, hold until the test releases, close the connection). The
// login is answered on its own. What the peer has done is counted, so that a
// test waits for it instead of for a while.
#pragma once
#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace qbtest {

using Bytes = std::vector<uint8_t>;

struct PeerStep {
  enum Kind { kSend, kSleep, kHold, kClose } kind;
  Bytes bytes;
  int ms = 0;
};
using PeerScript = std::vector<PeerStep>;

PeerStep Send(const Bytes& bytes);
PeerStep Sleep(int ms);
// Waits until the test calls Release() (once for each Hold, in any order), so
// that what follows comes at a moment the test chooses.
PeerStep Hold();
PeerStep Close();

// A reply frame with a valid header.
Bytes Frame(uint8_t group, uint8_t command, uint8_t status, const Bytes& body = {}, uint8_t flag = 0);
// The reply that answers a request frame (group + 0x70, same command).
Bytes ReplyTo(const Bytes& request, uint8_t status, const Bytes& body = {}, uint8_t flag = 0);
Bytes Concat(std::initializer_list<Bytes> parts);
Bytes Le32(uint32_t v);
Bytes Le16(uint16_t v);

// Starts Windows Sockets for the calling test program (once).
void StartSockets();

class FakePeer {
 public:
  using Handler = std::function<PeerScript(const Bytes& request)>;

  FakePeer();
  ~FakePeer();
  FakePeer(const FakePeer&) = delete;
  FakePeer& operator=(const FakePeer&) = delete;

  int Port() const { return port_; }
  // Answers every request but the login (default: a bare status frame, 0).
  void SetHandler(Handler handler);
  // Answers the login (default: a 20-byte reply with status 0).
  void SetLoginHandler(Handler handler);

  // Request frames received (header included), the logins apart.
  std::vector<Bytes> Requests();
  std::vector<Bytes> LoginRequests();
  size_t RequestCount();
  int Connections() const { return connections_; }
  // Connections the peer has closed on its side.
  int ConnectionsClosed() const { return closed_; }
  // Send steps carried out whole.
  int Sent() const { return sent_; }
  // Lets one Hold step go on (one that is waiting or the next one to come).
  void Release() { ++released_; }
  void ClearRequests();

 private:
  void Run();
  void Serve(uintptr_t connection);
  bool ReadExact(uintptr_t s, uint8_t* target, size_t n);
  bool Perform(uintptr_t s, const PeerScript& script);
  bool AwaitRelease();

  uintptr_t listener_;
  int port_ = 0;
  std::atomic<bool> stop_{false};
  std::atomic<int> connections_{0};
  std::atomic<int> closed_{0};
  std::atomic<int> sent_{0};
  std::atomic<int> holds_{0};
  std::atomic<int> released_{0};
  std::mutex mutex_;
  Handler handler_;
  Handler loginHandler_;
  std::vector<Bytes> requests_;
  std::vector<Bytes> logins_;
  std::thread thread_;
};

}  // namespace qbtest
