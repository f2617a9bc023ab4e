#include "groups_test_link.h"

#include "archive.h"

namespace grouptest {

IMPLEMENT_SERIAL(CStandInLink, CObject, 0)

void CStandInLink::Serialize(CArchive& ar) {
  if (ar.IsStoring())
    ar << kind << mode;
  else
    ar >> kind >> mode;
}

std::vector<int>& RunLog() {
  static std::vector<int> log;
  return log;
}

namespace {

CStandInLink* Link(CObject* p) { return static_cast<CStandInLink*>(p); }

const DrawLinkOps kStandInOps = {
    [](CObject* p) { return Link(p)->kind; },
    [](CObject* p) { return Link(p)->mode; },
    [](CObject*, const DrawViewContext&) {},
    [](CObject* p, int kind, DWORD tick, HWND hWnd) -> int {
      if (kind != Link(p)->kind) return 0;
      ++Link(p)->runs;
      Link(p)->lastTick = tick;
      Link(p)->lastArgument = hWnd;
      RunLog().push_back(kind);
      return 1;
    },
    [](CObject*) { return false; },
    [](CObject*, const char*, CString&) { return 0; },
    RUNTIME_CLASS(CStandInLink),
    nullptr,  // gives no trigger
};

}  // namespace

StandInLinks::StandInLinks() {
  CRuntimeClass::Register(RUNTIME_CLASS(CStandInLink));
  RunLog().clear();
  SetDrawLinkOps(&kStandInOps);
}

StandInLinks::~StandInLinks() { SetDrawLinkOps(nullptr); }

}  // namespace grouptest
