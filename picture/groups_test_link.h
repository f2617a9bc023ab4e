// A stand-in link for the group and control tests: it runs when asked with
// its own kind, counts its runs and remembers the order of all runs, the way
// the script engine's links are driven through the operations table.
#pragma once

#include <vector>

#include "drawlink.h"
#include "object.h"

namespace grouptest {

class CStandInLink : public CObject {
  DECLARE_SERIAL(CStandInLink)

 public:
  CStandInLink() = default;
  explicit CStandInLink(int k, int m = 2) : kind(k), mode(m) {}
  void Serialize(CArchive& ar) override;

  int kind = 0;
  int mode = 2;
  // Run-time only.
  int runs = 0;
  HWND lastArgument = nullptr;
  DWORD lastTick = 0xFFFFFFFF;
};

// Kinds of every run of any stand-in link, in order.
std::vector<int>& RunLog();

// Installs the stand-in table for the life of the object.
class StandInLinks {
 public:
  StandInLinks();
  ~StandInLinks();
};

}  // namespace grouptest
