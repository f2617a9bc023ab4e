// Login, operators, actors and history volumes.
#include <algorithm>
#include <cstring>

#include "crtformat.h"
#include "handlers.h"

namespace tagsim {
namespace {

constexpr size_t kLoginBody = 36;
constexpr size_t kPasswordChangeBody = 48;

bool Need(const Body& body, size_t n, Reply& reply) {
  if (body.size >= n) return true;
  reply.status = kStatusBadRequest;
  return false;
}

// The records of a list, or one zero byte for an empty list: a reply of the bare
// header would read as malformed to the client, which needs at least 17 bytes.
template <class Records>
void ListBody(const Records& records, Reply& reply) {
  for (const auto& r : records) AppendBytes(reply.body, r.data(), r.size());
  if (records.empty()) reply.body.push_back(0);
}

Volume* FindVolume(Store& store, uint32_t number) {
  for (Volume& v : store.Volumes())
    if (v.number == number) return &v;
  return nullptr;
}

void SetVolumeLoaded(Context& ctx, const Body& body, Reply& reply, bool loaded) {
  if (!Need(body, 4, reply)) return;
  Volume* v = FindVolume(ctx.store, body.U32(0));
  if (v) v->loaded = loaded;
  AppendU32(reply.body, v ? kStatusOk : kStatusNoSuchEntry);  // the client reads this word, not the status
}

}  // namespace

// Every login attempt first ends the session's login, so a refused one leaves the
// connection logged out.
void HandleLogin(Context& ctx, const Body& body, Reply& reply) {
  ctx.session.loggedIn = false;
  if (!Need(body, kLoginBody, reply)) return;
  if (body.U32(32) != kProtocolVersion) {
    reply.status = kStatusBadVersion;
    return;
  }
  Account* account = ctx.store.FindAccount(body.Text(0, 16));
  if (!account || std::memcmp(&account->record[oprec::kDigest], body.data + 16, 16) != 0) {
    reply.status = kStatusLoginRefused;
    return;
  }
  ctx.session.loggedIn = true;
  ctx.session.user = account->Name();
  AppendU32(reply.body, GetU32(&account->record[oprec::kRights]));
}

void HandleAddActor(Context& ctx, const Body& body, Reply& reply) {
  if (!Need(body, kActorSize, reply)) return;
  std::string name = body.Text(actrec::kName, 32);
  auto& actors = ctx.store.Actors();
  if (name.empty()) {
    reply.status = kStatusBadRequest;
    return;
  }
  for (const auto& a : actors)
    if (GetFixedText(a.data(), 32) == name) {
      reply.status = kStatusExists;
      return;
    }
  actors.emplace_back();
  std::memcpy(actors.back().data(), body.data, kActorSize);
}

void HandleDelActor(Context& ctx, const Body& body, Reply& reply) {
  std::string name;
  if (!ZeroTerminatedName(body, 0, &name)) {
    reply.status = kStatusBadRequest;
    return;
  }
  auto& actors = ctx.store.Actors();
  auto it = std::find_if(actors.begin(), actors.end(), [&](const std::array<uint8_t, kActorSize>& a) {
    return GetFixedText(a.data(), 32) == name;
  });
  if (it == actors.end())
    reply.status = kStatusNoSuchEntry;
  else
    actors.erase(it);
}

void HandleAddOperator(Context& ctx, const Body& body, Reply& reply) {
  if (!Need(body, kOperatorSize, reply)) return;
  std::string name = body.Text(oprec::kName, 16);
  if (name.empty()) {
    reply.status = kStatusBadRequest;
    return;
  }
  if (ctx.store.FindAccount(name)) {
    reply.status = kStatusExists;
    return;
  }
  Account a;
  std::memcpy(a.record.data(), body.data, kOperatorSize);
  ctx.store.Accounts().push_back(a);
}

void HandleDelOperator(Context& ctx, const Body& body, Reply& reply) {
  std::string name;
  if (!ZeroTerminatedName(body, 0, &name)) {
    reply.status = kStatusBadRequest;
    return;
  }
  auto& accounts = ctx.store.Accounts();
  auto it =
      std::find_if(accounts.begin(), accounts.end(), [&](const Account& a) { return a.Name() == name; });
  if (it == accounts.end())
    reply.status = kStatusNoSuchEntry;
  else
    accounts.erase(it);
}

// The first digest is the old password, the second the new one.
void HandleChangePassword(Context& ctx, const Body& body, Reply& reply) {
  if (!Need(body, kPasswordChangeBody, reply)) return;
  Account* account = ctx.store.FindAccount(body.Text(0, 16));
  if (!account) {
    reply.status = kStatusNoSuchEntry;
    return;
  }
  if (std::memcmp(&account->record[oprec::kDigest], body.data + 16, 16) != 0) {
    reply.status = kStatusLoginRefused;
    return;
  }
  std::memcpy(&account->record[oprec::kDigest], body.data + 32, 16);
}

void HandleListActors(Context& ctx, const Body&, Reply& reply) { ListBody(ctx.store.Actors(), reply); }

// Operators are listed without their password digests.
void HandleListOperators(Context& ctx, const Body&, Reply& reply) {
  std::vector<std::array<uint8_t, kOperatorSize>> records;
  for (const Account& a : ctx.store.Accounts()) {
    records.push_back(a.record);
    std::memset(&records.back()[oprec::kDigest], 0, 16);
  }
  ListBody(records, reply);
}

void HandleVolumeLoad(Context& ctx, const Body& body, Reply& reply) {
  SetVolumeLoaded(ctx, body, reply, true);
}
void HandleVolumeUnload(Context& ctx, const Body& body, Reply& reply) {
  SetVolumeLoaded(ctx, body, reply, false);
}

void HandleVolumeTable(Context& ctx, const Body&, Reply& reply) {
  for (const Volume& v : ctx.store.Volumes()) {
    uint8_t r[kVolumeSize] = {};
    PutU32(r + volrec::kNumber, v.number);
    PutU32(r + volrec::kLoaded, v.loaded ? 1 : 0);
    PutU32(r + volrec::kFrom, v.from);
    PutU32(r + volrec::kTo, v.to);
    PutFixedText(r + volrec::kName, 32, qel::FormatStr("HIS%04u", v.number));
    AppendBytes(reply.body, r, sizeof r);
  }
}

}  // namespace tagsim
