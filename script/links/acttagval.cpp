// Displayed value: the expression value as the owner's text.
#include "actkinds.h"

#include <algorithm>

#include "archive.h"
#include "crtformat.h"
#include "drawobj.h"

IMPLEMENT_SERIAL(CActTagVal, CAction, 0)

namespace {
constexpr int kMaxDecimals = 6;
}

CActTagVal::CActTagVal() : CAction(AM_DIRECT, AT_PICTURE_CYCLE, 1000) {}

void CActTagVal::Serialize(CArchive& ar) {
  CAction::Serialize(ar);
  SerializeFields(ar, m_nDecimals);
}

int CActTagVal::Execute(HWND hWnd) {
  CExpValue v;
  int result = 0;
  if (!EvaluateDirect(v, result)) return result;
  CString text;
  switch (v.GetType()) {
    case EV_INT: text = qel::FormatStr("%d", v.GetInt()).c_str(); break;
    case EV_DOUBLE: {
      m_nDecimals = std::min(kMaxDecimals, std::max(0, m_nDecimals));
      const std::string format = qel::FormatStr("%%.%df", m_nDecimals);
      text = qel::FormatStr(format.c_str(), v.GetDouble()).c_str();
      break;
    }
    case EV_STRING:
      text = v.GetString();  // the cell holds at most 255 characters
      break;
    default: break;
  }
  GetOwner()->SetText(text.GetString());
  RepaintOwner(m_context, hWnd);
  return 1;
}
