// Connecting a handle to the server and logging in.
#include <cstring>

#include "qbclient.h"
#include "qbmd5.h"
#include "qbprotocol.h"
#include "qbsocket.h"

namespace {

constexpr size_t kUserField = 16;  // at most 15 characters and a zero
constexpr size_t kLoginReplySize = 20;

void CopyCut(char* target, size_t size, const char* text) {
  std::memset(target, 0, size);
  if (text) std::strncpy(target, text, size - 1);
}

// Login body: user name (16), MD5 of the password (16), protocol version (4).
void BuildLoginBody(uint8_t body[36], const char* user, const char* password) {
  CopyCut(reinterpret_cast<char*>(body), kUserField, user);
  QbMd5(password, std::strlen(password), body + 16);
  QbPut32(body + 32, QB_PROTOCOL_VERSION);
}

}  // namespace

int CQbClient::OpenSocket(uint32_t address, uint16_t port) {
  SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  if (s == INVALID_SOCKET) return QB_ERR_FAIL;
  u_long nonBlocking = 1;
  if (ioctlsocket(s, FIONBIO, &nonBlocking) != 0) {
    closesocket(s);
    return QB_ERR_FAIL;
  }
  sockaddr_in to = {};
  to.sin_family = AF_INET;
  to.sin_port = htons(port);
  to.sin_addr.s_addr = address;
  if (connect(s, reinterpret_cast<sockaddr*>(&to), sizeof to) == SOCKET_ERROR &&
      WSAGetLastError() != WSAEWOULDBLOCK) {
    closesocket(s);
    return QB_ERR_FAIL;
  }
  // A refused connect shows in the except set; SO_ERROR confirms the outcome.
  fd_set writable, failed;
  FD_ZERO(&writable);
  FD_ZERO(&failed);
  FD_SET(s, &writable);
  FD_SET(s, &failed);
  timeval tv = {limits_.connectMs / 1000, (limits_.connectMs % 1000) * 1000};
  const int ready = select(0, nullptr, &writable, &failed, &tv);
  int error = 0;
  int errorSize = sizeof error;
  if (ready <= 0 || FD_ISSET(s, &failed) || !FD_ISSET(s, &writable) ||
      getsockopt(s, SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&error), &errorSize) != 0 || error != 0) {
    closesocket(s);
    return QB_ERR_FAIL;
  }
  u_long blocking = 0;
  if (ioctlsocket(s, FIONBIO, &blocking) != 0) {
    closesocket(s);
    return QB_ERR_FAIL;
  }
  socket_ = s;
  int noDelay = 1;
  setsockopt(s, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<char*>(&noDelay), sizeof noDelay);
  return QB_OK;
}

int CQbClient::Connect(const char* host, int port, const char* user, const char* password) {
  if (HasSocket()) return QB_OK;
  CopyCut(host_, sizeof host_, host);
  port_ = port;
  if (!host || !user || !password || host_[0] == 0 || std::strlen(host) >= sizeof host_ ||
      std::strcmp(host_, "0.0.0.0") == 0 || (port & 0xFFFF) == 0)
    return QB_ERR_FAIL;
  const unsigned long address = inet_addr(host_);
  if (address == INADDR_NONE) return QB_ERR_FAIL;
  const int opened = OpenSocket(uint32_t(address), uint16_t(port & 0xFFFF));
  if (opened != QB_OK) return opened;
  // Bytes of an earlier connection never belong to this one.
  parser_.Reset();
  const int login = Login(user, password);
  if (login != QB_OK) {
    Disconnect();
    return login;
  }
  loggedIn_ = 1;
  return QB_OK;
}

int CQbClient::Login(const char* user, const char* password) {
  uint8_t body[36];
  BuildLoginBody(body, user, password);
  const int result = RequestWith(QBG_LOGIN, QBC_LOGIN, body, sizeof body);
  if (result != QB_OK) return result;
  if (reply_.Size() != kLoginReplySize) return QB_ERR_FAIL;
  return reply_.Data()[11];
}
