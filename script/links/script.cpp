#include "script.h"

#include "archive.h"
#include "compilerunner.h"
#include "pichost.h"

IMPLEMENT_SERIAL(CScript, CObject, 0)

CScript::CScript() = default;
CScript::~CScript() = default;

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

int CScript::Compile(const char* pszCompiler, CString& strErrors) {
  CScriptCompiler compiler(m_strSource, pszCompiler);
  if (compiler.Compile(m_code)) return 0;
  // The compiler ends each message line with a carriage return and a line
  // feed; the output window shows each further line indented below the
  // object's header.
  const CString& text = compiler.m_strError;
  const int length = text.GetLength();
  int lines = 0;
  for (int i = 0; i < length; ++i) {
    const char c = text[i];
    if (c == '\r') {
      ++lines;
      if (i < length - 2) strErrors += "\n\t\t";
    } else if (c != '\n') {
      strErrors += c;
    }
  }
  // A message without a line break is still one line: a failed compile
  // never counts as none.
  return lines == 0 && length > 0 ? 1 : lines;
}

void CScript::Prepare(const DrawViewContext& context) {
  if (m_pMachine || m_code.IsEmpty()) return;
  m_pMachine.reset(new CPicScriptHost(context));
  m_pMachine->Load(m_code.GetData(), static_cast<size_t>(m_code.GetSize()));
}

bool CScript::Run() {
  if (!m_pMachine) return false;
  m_pMachine->Run();
  return true;
}
