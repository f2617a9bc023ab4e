// CTagValueMap: the live values of the local tags, by exact name (case and
// every byte count). The map owns its values. The viewer fills it when it
// loads a project; the editor leaves it empty.
#pragma once
#include "collections.h"

class CTagValue;

class CTagValueMap {
 public:
  CTagValueMap() = default;
  ~CTagValueMap() { RemoveAll(); }
  CTagValueMap(const CTagValueMap&) = delete;
  CTagValueMap& operator=(const CTagValueMap&) = delete;

  // The value of that name, or null.
  CTagValue* Lookup(const char* name) const;
  // The value of that name, made (empty, of the given type) when missing; null
  // only when no memory could be had.
  CTagValue* LookupOrAdd(const char* name, int type);
  // Deletes every value.
  void RemoveAll();
  int GetCount() const { return m_map.GetCount(); }
  bool IsEmpty() const { return m_map.IsEmpty() != FALSE; }

 private:
  CMapStringToPtr m_map;
};
