// The draw objects that one script names, each looked up in the picture
// once and kept.
//
// A script host function finds its object by name on every call
// (CPicObj::FindObject walks the layers, and a group first looks among its
// own children). A movement script per object made that a walk over the
// whole picture per object and tick. The objects of a running picture
// neither change their names nor come and go until the picture itself goes,
// with every script in it, so a name found once names the same object
// afterwards. A kept object that no longer carries its name is looked up
// again, and names that find nothing are looked up each time; an object
// that takes a kept name later is not seen (no running picture renames).
#pragma once
#include <cstddef>
#include <string>
#include <vector>

class CDrawObj;
class CPicObj;

class CNamedObjects {
 public:
  // What picture.FindObject(name, context) gives; `name` is a zero-ended
  // text of `length` bytes. `context` must be the same on every call.
  CDrawObj* Find(CPicObj& picture, const char* name, size_t length, CDrawObj* context);

 private:
  // A script names a handful of objects; beyond that the oldest is replaced.
  static constexpr size_t kKept = 8;
  struct Kept {
    std::string name;
    CDrawObj* object;
  };
  std::vector<Kept> m_kept;
  size_t m_next = 0;  // the place the next new name takes once all are used
};
