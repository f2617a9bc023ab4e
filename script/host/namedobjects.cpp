#include "namedobjects.h"

#include <cstring>

#include "drawobj.h"
#include "picobj.h"

CDrawObj* CNamedObjects::Find(CPicObj& picture, const char* name, size_t length, CDrawObj* context) {
  if (length == 0) return picture.FindObject(name, context);  // the context itself, at once
  Kept* same = nullptr;
  for (Kept& kept : m_kept)
    if (kept.name.size() == length && std::memcmp(kept.name.data(), name, length) == 0) same = &kept;
  if (same && same->object->m_strName == same->name.c_str()) return same->object;

  CDrawObj* found = picture.FindObject(name, context);
  if (same) {
    // Its object was renamed: the name is looked up again from now on.
    same->object = found;
    if (!found) same->name.clear();
  } else if (found) {
    Kept entry = {std::string(name, length), found};
    if (m_kept.size() < kKept) {
      m_kept.push_back(std::move(entry));
    } else {
      m_kept[m_next] = std::move(entry);
      m_next = (m_next + 1) % kKept;
    }
  }
  return found;
}
