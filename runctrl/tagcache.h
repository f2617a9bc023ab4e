// The runtime window's cache of database tag values.
//
// Expressions and scripts read database tags through the window, never
// through the network: the first read of a name asks the host once and keeps
// a record for it; afterwards reads are answered from memory and the whole
// cache is refreshed in batches of at most 1,024 records (every 800 ms, on
// the window's tick). Records are allocated singly and never move, so the
// record list holds stable pointers; nothing is removed singly.
#pragma once
#include <windows.h>

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "qel/picmsg.h"

class CTagCache {
 public:
  static constexpr int kBuckets = 3337;
  static constexpr int kRecordGrowth = 2048;
  static constexpr int kBatchSize = 1024;
  // Status byte of a record whose first read has not (yet) succeeded;
  // expressions accept only values whose status byte is 0.
  static constexpr BYTE kStatusUnread = 'C';

  CTagCache();
  CTagCache(const CTagCache&) = delete;
  CTagCache& operator=(const CTagCache&) = delete;

  // A fresh map of kBuckets buckets and an empty record list.
  void Reset();
  // Frees every record; the bucket count stays.
  void Clear();

  // The value of a tag for QSM_READTAG. Known names are copied from the
  // cache (1). A new name is cached and read once through the host's
  // pfnReadReal: 1 when that read succeeded, 0 when it failed or could not
  // be made (the output then holds zero bytes and the status 'C'). Null or
  // empty names, a null output and names longer than 79 characters give 0
  // and cache nothing.
  int FindTag(const char* name, QB_VALUE* out, const HostCallbackBlock& host);
  // Reads every cached tag again, in batches of kBatchSize records in the
  // order of first use; a batch whose call fails keeps its old values.
  // Tags first asked for while the host is being called (a host that lets
  // messages through) wait for the next refresh, and a refresh asked for
  // meanwhile is skipped: the batch buffer is in use.
  void RefreshTags(const HostCallbackBlock& host);
  // Takes the 16 value bytes of a returned record into the record of the
  // same name; a name not in the cache is ignored.
  void StoreTagValue(const QB_TAGVALUE& returned);

  size_t GetCount() const { return m_records.size(); }
  size_t GetBucketCount() const { return m_map.bucket_count(); }
  // Records the list holds room for before it grows again.
  size_t GetRecordRoom() const { return m_records.capacity(); }

 private:
  void SendBatch(const HostCallbackBlock& host, int count);

  std::unordered_map<std::string, QB_TAGVALUE*> m_map;
  std::vector<std::unique_ptr<QB_TAGVALUE>> m_records;  // in order of first use
  std::vector<QB_TAGVALUE> m_batch;                     // reused by every refresh
  std::string m_lookup;                                 // the name being looked up
  bool m_refreshing = false;
};
