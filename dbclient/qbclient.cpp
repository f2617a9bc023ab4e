#include "qbclient.h"

#include <cstring>

#include "qbprotocol.h"
#include "qbsocket.h"

namespace {
// Stale bytes dropped before a request are bounded so that a peer streaming
// without pause cannot hold the caller.
constexpr size_t kMaxStaleBytes = 2 * QB_MAX_FRAME;
}  // namespace

CQbClient::CQbClient() : socket_(INVALID_SOCKET), send_(16384), reply_(65536), body_(65536) {
  std::strcpy(host_, "0.0.0.0");
}

CQbClient::~CQbClient() { Disconnect(); }

bool CQbClient::HasSocket() const { return socket_ != uintptr_t(INVALID_SOCKET); }

bool CQbClient::HasBytesWaiting() const { return HasSocket() && QbWaitReadable(QbSocketOf(socket_), 0) > 0; }

void CQbClient::Disconnect() {
  if (HasSocket()) closesocket(QbSocketOf(socket_));
  socket_ = INVALID_SOCKET;
  loggedIn_ = 0;
}

void CQbClient::LoseConnection() { Disconnect(); }

int CQbClient::SendTimed(const uint8_t* bytes, size_t size, int limitMs) {
  if (!HasSocket()) return -1;
  const SOCKET s = QbSocketOf(socket_);
  size_t sent = 0;
  while (sent < size) {
    const int ready = QbWaitWritable(s, limitMs);
    if (ready < 0) return -1;
    if (ready == 0) return 0;
    const int n = send(s, reinterpret_cast<const char*>(bytes + sent), int(size - sent), 0);
    if (n == SOCKET_ERROR) return -1;
    if (n == 0) return 0;
    sent += size_t(n);
  }
  return int(sent);
}

int CQbClient::RecvTimed(uint8_t* area, size_t size, int limitMs) {
  if (!HasSocket()) return -1;
  const SOCKET s = QbSocketOf(socket_);
  const int ready = QbWaitReadable(s, limitMs);
  if (ready <= 0) return ready;
  const int n = recv(s, reinterpret_cast<char*>(area), int(size), 0);
  return n > 0 ? n : -1;
}

bool CQbClient::DropStale() {
  parser_.Reset();
  size_t dropped = 0;
  while (dropped < kMaxStaleBytes) {
    const int n = RecvTimed(area_, sizeof area_, 0);
    if (n < 0) return false;
    if (n == 0) return true;
    dropped += size_t(n);
  }
  return true;
}

void CQbClient::TakeFrames(uint8_t replyGroup, uint8_t command, bool& answered) {
  while (parser_.GetState() == QbFrameParser::kCompleteFrame) {
    const QbBuffer& frame = parser_.Frame();
    const uint8_t* head = frame.Data();
    // Only the first matching frame answers; its own length bounds it.
    if (!answered && head[8] == replyGroup && head[9] == command) {
      reply_.Append(head, frame.Size());
      answered = true;
    }
    parser_.Next();
  }
}

int CQbClient::Exchange(uint8_t replyGroup, uint8_t command) {
  reply_.Reset();
  if (!HasSocket()) return -1;
  const SOCKET s = QbSocketOf(socket_);
  const int polls = limits_.replyMs / limits_.pollMs + 1;
  int n = 0;
  for (int i = 0; i < polls && n == 0; ++i) {
    const int ready = QbWaitReadable(s, limits_.pollMs);
    if (ready < 0) {
      n = -1;
      break;
    }
    if (ready == 0) continue;
    n = recv(s, reinterpret_cast<char*>(area_), int(sizeof area_), 0);
    if (n <= 0) {
      n = -1;
      break;
    }
  }
  if (n == 0) return 0;
  bool answered = false;
  while (n > 0) {
    parser_.Receive(area_, size_t(n));
    TakeFrames(replyGroup, command, answered);
    if (answered) return int(reply_.Size());
    n = RecvTimed(area_, sizeof area_, limits_.followMs);
  }
  if (n == 0) return 0;
  LoseConnection();
  return -1;
}

int CQbClient::Request(uint8_t group, uint8_t command) {
  if (!HasSocket()) return QB_ERR_NOTCONNECTED;
  if (!DropStale()) {
    LoseConnection();
    return QB_ERR_NOTCONNECTED;
  }
  const int sent = SendTimed(send_.Data(), send_.Size(), limits_.sendMs);
  if (sent < 0) {
    LoseConnection();
    return QB_ERR_NOTCONNECTED;
  }
  if (sent == 0) return QB_ERR_FAIL;
  const int got = Exchange(uint8_t(group + QB_REPLY_GROUP_DELTA), command);
  if (got < 0) return QB_ERR_NOTCONNECTED;
  // An allocation failure while copying still answers: the short reply fails.
  if (got == 0 || reply_.Size() < QB_HEAD_SIZE) return QB_ERR_FAIL;
  return QB_OK;
}

int CQbClient::RequestWith(uint8_t group, uint8_t command, const void* body, size_t bodySize) {
  if (!QbBuildFrame(send_, group, command, 0, 0, body, bodySize)) return QB_ERR_FAIL;
  return Request(group, command);
}

int CQbClient::RequestWithBody(uint8_t group, uint8_t command) {
  // A body that could not be built whole (a text beyond the buffer's limit,
  // memory gone) is never sent in part.
  if (body_.Failed()) return QB_ERR_FAIL;
  return RequestWith(group, command, body_.Data(), body_.Size());
}
