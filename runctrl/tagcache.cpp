#include "tagcache.h"

#include <cstring>

namespace {

bool CanReadReal(const HostCallbackBlock& host) {
  return host.context != nullptr && host.pfnReadReal != nullptr;
}

// The name of a record as it came back from the host: at most 79
// characters, or empty when the 80 bytes hold no terminator.
std::string RecordName(const QB_TAGVALUE& record) {
  const size_t n = strnlen(record.name, sizeof record.name);
  return n < sizeof record.name ? std::string(record.name, n) : std::string();
}

}  // namespace

CTagCache::CTagCache() : m_batch(kBatchSize) { Reset(); }

void CTagCache::Reset() {
  Clear();
  std::unordered_map<std::string, QB_TAGVALUE*> fresh;
  fresh.rehash(kBuckets);
  m_map.swap(fresh);
  m_records.reserve(kRecordGrowth);
}

void CTagCache::Clear() {
  m_map.clear();  // the buckets stay
  m_records.clear();
}

int CTagCache::FindTag(const char* name, QB_VALUE* out, const HostCallbackBlock& host) {
  if (!name || !*name || !out) return 0;
  const size_t length = strnlen(name, QB_TAGNAME_MAX + 1);
  if (length > QB_TAGNAME_MAX) return 0;
  // The name is looked up in a text that the cache keeps, so that a read of
  // a known tag allocates nothing, however long its name.
  m_lookup.assign(name, length);
  auto found = m_map.find(m_lookup);
  if (found != m_map.end()) {
    *out = found->second->value;
    return 1;
  }
  // A new tag keeps its own copy: the host may look up other tags meanwhile.
  const std::string key(m_lookup);
  std::unique_ptr<QB_TAGVALUE> record(new (std::nothrow) QB_TAGVALUE());
  if (!record) return 0;
  std::memcpy(record->name, key.data(), length);
  record->value.status = kStatusUnread;

  int read = 0;
  if (CanReadReal(host)) {
    // The host reads into a copy, so that whatever it writes into the name
    // bytes cannot change the name the record is kept under.
    QB_TAGVALUE asked = *record;
    if (host.pfnReadReal(host.context, &asked, 1) == QB_OK) {
      record->value = asked.value;
      read = 1;
    }
  }
  *out = record->value;
  if (m_records.size() == m_records.capacity()) m_records.reserve(m_records.size() + kRecordGrowth);
  m_map.emplace(key, record.get());
  m_records.push_back(std::move(record));
  return read;
}

void CTagCache::RefreshTags(const HostCallbackBlock& host) {
  if (m_records.empty() || m_refreshing) return;
  m_refreshing = true;
  // By position, against the count taken now and the list as it stands
  // after each call: the host may add records, or empty the cache by
  // loading another picture, while it is being called.
  const size_t total = m_records.size();
  int filled = 0;
  for (size_t i = 0; i < total && i < m_records.size(); ++i) {
    m_batch[filled++] = *m_records[i];
    if (filled == kBatchSize) {
      SendBatch(host, filled);
      filled = 0;
    }
  }
  if (filled > 0) SendBatch(host, filled);
  m_refreshing = false;
}

void CTagCache::SendBatch(const HostCallbackBlock& host, int count) {
  if (!CanReadReal(host)) return;
  if (host.pfnReadReal(host.context, m_batch.data(), count) != QB_OK) return;
  // Matched by name, not by position: a host may answer in any order.
  for (int i = 0; i < count; ++i) StoreTagValue(m_batch[i]);
}

void CTagCache::StoreTagValue(const QB_TAGVALUE& returned) {
  const std::string name = RecordName(returned);
  if (name.empty()) return;
  auto found = m_map.find(name);
  if (found != m_map.end()) found->second->value = returned.value;
}
