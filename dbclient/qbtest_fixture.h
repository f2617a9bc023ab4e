// A client handle logged in to the scripted fake server. Its time limits are
// generous, so that only a real fault reaches them; a test that wants a
// time-out shortens them around that one call (ShortLimits), with a peer
// that holds its reply until the test releases it, so the load of the
// machine never decides whether a reply is late.
#pragma once
#include <gtest/gtest.h>

#include <cstring>

#include "qbapi.h"
#include "qbclient.h"
#include "qbfakepeer.h"
#include "qbtest_wait.h"

namespace qbtest {

inline Bytes BodyOf(const Bytes& frame) { return Bytes(frame.begin() + 16, frame.end()); }

inline Bytes Text(const char* s, size_t width) {
  Bytes b(width, 0);
  std::memcpy(b.data(), s, std::strlen(s) < width ? std::strlen(s) : width);
  return b;
}

inline Bytes Raw(const void* p, size_t n) {
  return Bytes(static_cast<const uint8_t*>(p), static_cast<const uint8_t*>(p) + n);
}

class ConnectedClient : public ::testing::Test {
 protected:
  void SetUp() override {
    h = QB_Create();
    ASSERT_NE(nullptr, h);
    GenerousLimits(h);
    ASSERT_EQ(QB_OK, QB_Connect(h, "127.0.0.1", peer.Port(), "user", "pw"));
    peer.ClearRequests();
  }
  void TearDown() override { QB_Destory(h); }

  // Answers every request with `status` and `body`.
  void Answer(uint8_t status, const Bytes& body = {}, uint8_t flag = 0) {
    peer.SetHandler(
        [=](const Bytes& request) { return PeerScript{Send(ReplyTo(request, status, body, flag))}; });
  }
  // Answers nothing until the test releases the peer, then `status`: a
  // reply that comes after the client gave up.
  void AnswerLate(uint8_t status) {
    peer.SetHandler([=](const Bytes& request) { return PeerScript{Hold(), Send(ReplyTo(request, status))}; });
  }
  // Answers every request with the given raw bytes.
  void AnswerRaw(const Bytes& bytes) {
    peer.SetHandler([=](const Bytes&) { return PeerScript{Send(bytes)}; });
  }
  Bytes OnlyRequest() {
    const std::vector<Bytes> requests = peer.Requests();
    EXPECT_EQ(1u, requests.size());
    return requests.empty() ? Bytes() : requests[0];
  }
  int Connected() {
    int connected = -1;
    QB_IsConnnect(h, &connected);
    return connected;
  }

  FakePeer peer;
  QB_HANDLE h = nullptr;
};

}  // namespace qbtest
