// A client handle logged in to the scripted fake server, with short time
// limits so that time-outs cost a fraction of a second.
#pragma once
#include <gtest/gtest.h>

#include <cstring>

#include "qbapi.h"
#include "qbclient.h"
#include "qbfakepeer.h"

namespace qbtest {

inline void ShortenLimits(QB_HANDLE h) {
  QbTimeLimits& limits = QbClientOf(h)->Limits();
  limits.replyMs = 300;
  limits.pollMs = 50;
  limits.followMs = 300;
  limits.connectMs = 2000;
}

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
    ShortenLimits(h);
    ASSERT_EQ(QB_OK, QB_Connect(h, "127.0.0.1", peer.Port(), "user", "pw"));
    peer.ClearRequests();
  }
  void TearDown() override { QB_Destory(h); }

  // Answers every request with `status` and `body`.
  void Answer(uint8_t status, const Bytes& body = {}, uint8_t flag = 0) {
    peer.SetHandler([=](const Bytes& request) {
      return PeerScript{Send(ReplyTo(request, status, body, flag))};
    });
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
