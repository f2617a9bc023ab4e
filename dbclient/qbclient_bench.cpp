// Throughput of the current-value exports over loopback: QB_ReadReal and
// QB_WriteReal of 10,000 tags in one call (20 frames of 500 records), and the
// raw round trip of a 16-byte frame as the physical reference.
#include <winsock.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "qbapi.h"
#include "qbfakepeer.h"
#include "tagsim.h"

using namespace qbtest;

namespace {

constexpr int kTags = 10000;
constexpr int kCalls = 20;
constexpr int kFramesPerCall = kTags / QB_REAL_BATCH;
constexpr int kRawTrips = 2000;

double Seconds(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

void ReportCall(const char* name, double seconds) {
  const double records = double(kTags) * kCalls;
  std::printf("%-14s %8.0f records/s  %8.1f us per frame round trip (%d x %d records)\n", name,
              records / seconds, seconds * 1e6 / (kCalls * kFramesPerCall), kCalls, kTags);
}

bool BenchRawRoundTrip(int port) {
  SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  sockaddr_in to = {};
  to.sin_family = AF_INET;
  to.sin_port = htons(uint16_t(port));
  to.sin_addr.s_addr = inet_addr("127.0.0.1");
  if (connect(s, reinterpret_cast<sockaddr*>(&to), sizeof to) != 0) return false;
  int noDelay = 1;
  setsockopt(s, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<char*>(&noDelay), sizeof noDelay);
  const Bytes frame = Frame(0x10, 0x84, 0);  // a bare 16-byte request
  uint8_t reply[16];
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < kRawTrips; ++i) {
    send(s, reinterpret_cast<const char*>(frame.data()), 16, 0);
    for (int got = 0; got < 16;) {
      const int n = recv(s, reinterpret_cast<char*>(reply + got), 16 - got, 0);
      if (n <= 0) return false;
      got += n;
    }
  }
  const double seconds = Seconds(start);
  closesocket(s);
  std::printf("%-14s %8.1f us per 16-byte frame round trip (%d trips, raw socket)\n", "raw loopback",
              seconds * 1e6 / kRawTrips, kRawTrips);
  return true;
}

std::string TagName(int i) {
  char name[80];
  std::snprintf(name, sizeof name, "Plant.Unit%02d.Tag%05d", i % 100, i);
  return name;
}

}  // namespace

int main() {
  StartSockets();
  std::printf("server: the simulated server tools/tagsim, in-process on loopback\n");
  tagsim::Server sim;
  std::string catalogue = "[tags]\n";
  for (int i = 0; i < kTags; ++i) catalogue += TagName(i) + " | float64 | const 1\n";
  catalogue += "[accounts]\nbench | bench | 0\n";
  sim.LoadTagsFromString(catalogue);
  if (!sim.Start("127.0.0.1", 0)) {
    std::printf("the simulated server did not start\n");
    return 1;
  }
  const int port = sim.Port();

  if (!BenchRawRoundTrip(port)) std::printf("raw loopback round trip failed\n");

  QB_HANDLE h = QB_Create();
  if (QB_Connect(h, "127.0.0.1", port, "bench", "bench") != QB_OK) {
    std::printf("connect failed\n");
    return 1;
  }
  std::vector<QB_TAGVALUE> records(kTags);
  for (int i = 0; i < kTags; ++i) {
    std::memset(&records[i], 0, sizeof records[i]);
    std::strcpy(records[i].name, TagName(i).c_str());
    records[i].value.type = QB_TYPE_FLOAT64;
    records[i].value.data.f64 = i * 0.5;
  }

  auto start = std::chrono::steady_clock::now();
  for (int call = 0; call < kCalls; ++call)
    if (QB_ReadReal(h, records.data(), kTags) != QB_OK) std::printf("QB_ReadReal failed\n");
  ReportCall("QB_ReadReal", Seconds(start));

  start = std::chrono::steady_clock::now();
  for (int i = 0; i < kRawTrips; ++i) QB_TagDel(h, "");
  std::printf("%-14s %8.1f us per 16-byte status round trip through the library (%d calls)\n", "QB_TagDel",
              Seconds(start) * 1e6 / kRawTrips, kRawTrips);

  start = std::chrono::steady_clock::now();
  for (int call = 0; call < kCalls; ++call)
    if (QB_WriteReal(h, records.data(), kTags) != QB_OK) std::printf("QB_WriteReal failed\n");
  ReportCall("QB_WriteReal", Seconds(start));

  QB_DisConnnect(h);
  QB_Destory(h);
  return 0;
}
