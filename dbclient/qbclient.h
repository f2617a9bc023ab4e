// CQbClient: the object behind every qel3api handle. One TCP connection to
// the real-time database server, the buffers of the frame exchange and the
// logged-in flag. Synchronous, on the caller's thread; a handle is used by one
// thread at a time (the caller serialises).
#pragma once
#include <cstddef>
#include <cstdint>

#include "qbbuffer.h"
#include "qbframe.h"
#include "qel/qbtypes.h"

// Time limits of one handle. The exports run with these defaults; tests
// shorten them to keep the suite fast.
struct QbTimeLimits {
  int sendMs = 5;        // wait for the socket to become writable, per send call
  int connectMs = 5000;  // wait for a connect to complete
  int replyMs = 15000;   // first wait for a reply (in polls of pollMs)
  int pollMs = 200;
  int followMs = 1000;  // wait for each further part once bytes have arrived
};

class CQbClient {
 public:
  CQbClient();
  virtual ~CQbClient();
  CQbClient(const CQbClient&) = delete;
  CQbClient& operator=(const CQbClient&) = delete;

  // Connects and logs in; 0 when logged in, else 1, 31 or the server's status.
  int Connect(const char* host, int port, const char* user, const char* password);
  // Closes the socket when open and clears the logged-in flag.
  void Disconnect();

  bool HasSocket() const;
  bool IsConnected() const { return HasSocket() && loggedIn_; }
  // True when bytes from the peer are ready to be read: a late reply has
  // reached this end (loopback delivery may trail the peer's send).
  bool HasBytesWaiting() const;

  // One request/reply exchange with the frame already in the send buffer, or
  // built from the given body. QB_OK with the matching reply frame in Reply(),
  // QB_ERR_FAIL (not sent or no reply in time) or QB_ERR_NOTCONNECTED (the
  // connection was lost and is closed now).
  int Request(uint8_t group, uint8_t command);
  int RequestWith(uint8_t group, uint8_t command, const void* body, size_t bodySize);
  int RequestWithBody(uint8_t group, uint8_t command);  // body from Body()

  // Waits for writability (at most limitMs per call) and sends the whole frame:
  // bytes sent, 0 on time-out, -1 on a socket error.
  int SendTimed(const uint8_t* bytes, size_t size, int limitMs);
  // Waits for readability at most limitMs and receives: bytes received, 0 on
  // time-out, -1 on a socket error, a closed connection or no socket.
  int RecvTimed(uint8_t* area, size_t size, int limitMs);
  // Waits for the frame with the reply group and command: its length, 0 when
  // none came in time, -1 when the connection was lost (and is closed now).
  int Exchange(uint8_t replyGroup, uint8_t command);

  const QbBuffer& Reply() const { return reply_; }
  QbBuffer& Body() { return body_; }
  QbTimeLimits& Limits() { return limits_; }
  QbFrameParser& Parser() { return parser_; }
  const char* Host() const { return host_; }
  int Port() const { return port_; }
  QB_TAGATTR* TagPage() { return tagPage_; }
  int& TagPageCount() { return tagPageCount_; }

 private:
  int Login(const char* user, const char* password);
  int OpenSocket(uint32_t address, uint16_t port);
  void LoseConnection();
  // Drops whatever is already readable (late replies to timed-out requests)
  // and any half-parsed bytes; false when the connection turned out lost.
  bool DropStale();
  void TakeFrames(uint8_t replyGroup, uint8_t command, bool& answered);

  char host_[64];
  int port_ = QB_DEFAULT_PORT;
  uintptr_t socket_;
  QbBuffer send_;
  QbFrameParser parser_;
  QbBuffer reply_;
  uint8_t area_[8192];
  QbBuffer body_;
  int loggedIn_ = 0;
  QB_TAGATTR tagPage_[QB_TAGPAGE_MAX];
  int tagPageCount_ = 0;
  QbTimeLimits limits_;
};

// The client behind a handle (null for a null handle).
inline CQbClient* QbClientOf(QB_HANDLE handle) { return static_cast<CQbClient*>(handle); }
