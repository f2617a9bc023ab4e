// Rotation, movement and the meter pointer: links that turn or move the owner.
#include <cmath>

#include "actkinds.h"
#include "archive.h"
#include "drawobj.h"
#include "geometry.h"

IMPLEMENT_SERIAL(CActRoll, CAction, 0)
IMPLEMENT_SERIAL(CActMove, CAction, 0)
IMPLEMENT_SERIAL(CActPointer, CAction, 0)

namespace {
constexpr double kEmptyPointerRange = 1e-5;

bool CanPoint(CDrawObj* pObj) {
  const int type = pObj->GetObjType();
  return type == DOT_LINE || type == DOT_ARROW;
}
}  // namespace

// ---- rotation ----------------------------------------------------------------

CActRoll::CActRoll() : CAction(AM_SCRIPT, AT_OWN_PERIOD, 200) {}

void CActRoll::Serialize(CArchive& ar) {
  CAction::Serialize(ar);
  SerializeFields(ar, m_nSwing, m_nStep);
}

int CActRoll::Execute(HWND hWnd) {
  int n = 0;
  int result = 0;
  if (!EvaluateOwnerInteger(n, result)) return result;
  CDrawObj* owner = GetOwner();
  if (n == 0 && m_nSwing == 0) return 0;
  const double radians = m_nStep * kDegreeToRadian;
  DirPair step;
  step.sine = std::sin(radians);
  step.cosine = std::cos(radians);
  const CPointD centre = owner->GetCenter();

  CLinkRepaint repaint(m_context, hWnd);
  repaint.AddOwner();
  if (m_nSwing == 0) {
    owner->Rotate(centre, step);
  } else if (n != 0 && m_nRotated == 0) {
    owner->Rotate(centre, step);
    m_nRotated = 1;
  } else if (n == 0 && m_nRotated == 1) {
    DirPair back = step;
    back.sine = -back.sine;
    owner->Rotate(centre, back);
    m_nRotated = 0;
  }
  repaint.AddOwner();
  repaint.Finish();
  return 1;
}

// ---- movement ------------------------------------------------------------------

CActMove::CActMove() : CAction(AM_SCRIPT, AT_PICTURE_CYCLE, 1000) {}

void CActMove::Serialize(CArchive& ar) {
  CAction::Serialize(ar);
  SerializeFields(ar, m_strOption);
}

// ---- pointer -------------------------------------------------------------------

CActPointer::CActPointer() : CAction(AM_DIRECT, AT_PICTURE_CYCLE, 1000) {}

void CActPointer::Serialize(CArchive& ar) {
  CAction::Serialize(ar);
  SerializeRangeFields(ar, m_dMinimum, m_dMaximum, m_nStartAngle, m_nEndAngle);
}

bool CActPointer::AngleOf(double v, double& degrees) const {
  const double range = m_dMaximum - m_dMinimum;
  if (!(std::fabs(range) >= kEmptyPointerRange)) return false;
  // In doubles: the difference of two extreme stored angles would overflow.
  const double sweep = static_cast<double>(m_nEndAngle) - m_nStartAngle;
  degrees = sweep * (v - m_dMinimum) / range + m_nStartAngle;
  return true;
}

int CActPointer::Execute(HWND hWnd) {
  CExpValue v;
  int result = 0;
  if (!EvaluateDirect(v, result)) return result;
  CDrawObj* owner = GetOwner();
  double d = 0.0;
  double degrees = 0.0;
  if (!CanPoint(owner) || !LinkNumber(v, d) || !AngleOf(d, degrees)) return 0;
  CLinkRepaint repaint(m_context, hWnd);
  repaint.AddOwner();
  owner->SetAngle(degrees);
  repaint.AddOwner();
  repaint.Finish();
  return 1;
}
