#include "script.h"

#include "archive.h"

IMPLEMENT_SERIAL(CScript, CObject, 0)

void CScript::Serialize(CArchive& ar) {
  if (ar.IsStoring())
    ar << m_strFirst << m_strSource << m_strSecond;
  else
    ar >> m_strFirst >> m_strSource >> m_strSecond;
  m_code.Serialize(ar);
}

void CScript::SerializeCode(CArchive& ar) {
  if (ar.IsStoring())
    ar << m_strFirst << m_strSecond;
  else
    ar >> m_strFirst >> m_strSecond;
  m_code.Serialize(ar);
}

void CScript::Prepare(const DrawViewContext&) {}

bool CScript::Run() { return HasMachine(); }
