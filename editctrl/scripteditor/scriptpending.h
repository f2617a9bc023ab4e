// The characters of the editor's text still to be coloured, as ranges of
// character positions: the colourer colours what is on screen at once and
// the rest a piece at a time while the dialog is idle. An edit meanwhile
// moves the ranges with the text after it.
#pragma once
#include <utility>
#include <vector>

#include "scripttext.h"

class CPendingColours {
 public:
  bool IsEmpty() const { return m_ranges.empty(); }
  void Clear() { m_ranges.clear(); }
  // Characters start to end join the pending ones.
  void Add(long start, long end);
  // Characters start to end are coloured.
  void Remove(long start, long end);
  // Characters edit.first to edit.oldEnd became edit.first to edit.newEnd: a
  // range that reached into them now covers what replaced them.
  void Edit(const ScriptEditRange& edit);
  // The first pending characters at or after `from` and before `to`, as
  // start and end; false when there are none.
  bool FirstIn(long from, long to, long& start, long& end) const;
  // The pending ranges, in order, none empty, none touching another.
  const std::vector<std::pair<long, long>>& Ranges() const { return m_ranges; }

 private:
  std::vector<std::pair<long, long>> m_ranges;
};
