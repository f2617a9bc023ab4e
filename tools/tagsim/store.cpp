#include "store.h"

#include <algorithm>
#include <cstring>

#include "values.h"

namespace tagsim {
namespace {

int64_t FloorDiv(int64_t a, int64_t b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

Value16 VarSample(const Tag& tag, int64_t t, uint8_t quality) {
  Value16 v{};
  v.type = tag.type;
  v.quality = quality;
  v.time = uint32_t(t);
  return v;
}

// Walks the regular generated samples merged with the written ones in time order
// (a written sample replaces a generated one of the same time).
template <class Map, class Written, class Generated>
void MergeHistory(const Map& written, int64_t step, int64_t from, int64_t to, const SampleVisitor& visit,
                  Written fromWritten, Generated generate) {
  if (from > to) return;
  int64_t g = FloorDiv(from + step - 1, step) * step;
  auto w = written.lower_bound(from);
  for (size_t scanned = 0; scanned < Store::kScanLimit; ++scanned) {
    bool hasG = g <= to;
    bool hasW = w != written.end() && w->first <= to;
    if (!hasG && !hasW) return;
    HisSample s;
    if (hasW && (!hasG || w->first <= g)) {
      s = {w->first, fromWritten(*w)};
      if (hasG && g == w->first) g += step;
      ++w;
    } else {
      s = {g, generate(g)};
      g += step;
    }
    if (!visit(s)) return;
  }
}

}  // namespace

Store::Store() {
  // Eight history volumes of 30 days each from 2026-01-01; the last one unloaded.
  const uint32_t base = 1767225600u, span = 30u * 86400u;
  for (uint32_t n = 1; n <= 8; ++n)
    volumes_.push_back({n, n < 8, base + (n - 1) * span, base + n * span - 1});
}

Tag* Store::Find(const std::string& name) {
  auto it = tags_.find(name);
  return it == tags_.end() ? nullptr : &it->second;
}

const Tag* Store::Find(const std::string& name) const {
  auto it = tags_.find(name);
  return it == tags_.end() ? nullptr : &it->second;
}

Tag& Store::Put(Tag tag) {
  Tag* old = Find(tag.name);
  tag.id = old ? old->id : nextId_++;
  Tag& slot = tags_[tag.name];
  slot = std::move(tag);
  return slot;
}

bool Store::Remove(const std::string& name) { return tags_.erase(name) > 0; }

Value16 Store::CurrentValue(const Tag& tag, int64_t nowMs) const {
  if (IsVarType(tag.type)) {
    VarValue var = CurrentVar(tag, nowMs);
    Value16 v = VarSample(tag, var.time, var.quality);
    PutU32(v.value, uint32_t(var.data.size()));  // the length; the data travel separately
    return v;
  }
  if (tag.frozen) return tag.value;
  Value16 v =
      MakeValue(tag.type, tag.generator.Number(double(nowMs) / 1000.0), uint32_t(FloorDiv(nowMs, 1000)));
  v.quality = kQualityGood;
  return v;
}

VarValue Store::CurrentVar(const Tag& tag, int64_t nowMs) const {
  if (tag.frozen) return tag.var;
  VarValue v;
  v.type = tag.type;
  v.time = uint32_t(FloorDiv(nowMs, 1000));
  v.data = tag.generator.Text(double(nowMs) / 1000.0);
  return v;
}

Value16 Store::ValueAt(const Tag& tag, int64_t seconds) const {
  if (IsVarType(tag.type)) return VarSample(tag, seconds, kQualityGood);
  auto it = tag.history.find(seconds);
  if (it != tag.history.end()) return it->second;
  Value16 v = MakeValue(tag.type, tag.generator.Number(double(seconds)), uint32_t(seconds));
  v.quality = kQualityGood;
  return v;
}

VarValue Store::VarAt(const Tag& tag, int64_t seconds) const {
  auto it = tag.varHistory.find(seconds);
  if (it != tag.varHistory.end()) return it->second;
  VarValue v;
  v.type = tag.type;
  v.time = uint32_t(seconds);
  v.data = tag.generator.Text(double(seconds));
  return v;
}

void Store::VisitHistory(const Tag& tag, int64_t from, int64_t to, const SampleVisitor& visit) const {
  int64_t step = std::max(1, tag.historySeconds);
  if (IsVarType(tag.type))
    MergeHistory(
        tag.varHistory, step, from, to, visit,
        [&](const std::pair<const int64_t, VarValue>& e) {
          return VarSample(tag, e.first, e.second.quality);
        },
        [&](int64_t t) { return VarSample(tag, t, kQualityGood); });
  else
    MergeHistory(
        tag.history, step, from, to, visit,
        [](const std::pair<const int64_t, Value16>& e) { return e.second; },
        [&](int64_t t) { return ValueAt(tag, t); });
}

std::vector<HisSample> Store::History(const Tag& tag, int64_t from, int64_t to, size_t max, bool* more,
                                      const SampleFilter& filter) const {
  std::vector<HisSample> out;
  *more = false;
  VisitHistory(tag, from, to, [&](const HisSample& s) {
    if (filter && !filter(s.value)) return true;
    if (out.size() >= max) {
      *more = true;
      return false;
    }
    out.push_back(s);
    return true;
  });
  return out;
}

std::array<uint8_t, kAttrSize> Store::Attributes(const Tag& tag) const {
  std::array<uint8_t, kAttrSize> r = tag.extra;
  PutU32(&r[attr::kId], tag.id);
  r[attr::kType] = tag.type;
  r[attr::kImportOk] = 1;
  PutU32(&r[attr::kHistorySeconds], uint32_t(tag.historySeconds));
  PutFixedText(&r[attr::kName], 80, tag.name);
  PutFixedText(&r[attr::kDescription], 80, tag.description);
  PutFixedText(&r[attr::kUnit], 16, tag.unit);
  double low = tag.generator.Low(), high = tag.generator.High();
  std::memcpy(&r[attr::kLow], &low, 8);
  std::memcpy(&r[attr::kHigh], &high, 8);
  r[attr::kImportResult] = 0;
  return r;
}

void Store::AddAccount(const std::string& name, const Md5Digest& digest, uint32_t rights) {
  Account a;
  PutFixedText(&a.record[oprec::kName], 16, name);
  std::memcpy(&a.record[oprec::kDigest], digest.data(), 16);
  PutU32(&a.record[oprec::kRights], rights);
  if (Account* old = FindAccount(a.Name()))
    *old = a;
  else
    accounts_.push_back(a);
}

Account* Store::FindAccount(const std::string& name) {
  for (Account& a : accounts_)
    if (a.Name() == name) return &a;
  return nullptr;
}

}  // namespace tagsim
