#include "expnode.h"

#include <cstring>

#include "qel/qbtypes.h"
#include "experror.h"
#include "expfunction.h"
#include "expression.h"
#include "gbkcut.h"
#include "hostrequest.h"

namespace {

const char* const kTagKeywords[kExpTagRefCount] = {"TV", "LV", "TVV", "LVV"};

bool IsNumericFloat(int type) { return type == SV_FLOAT || type == SV_DOUBLE; }

// TV and LV: a failed request or an invalid value (status not 0) is error 9.
int ReadNumber(int ref, HWND window, const char* name, CExpValue& out) {
  CScriptValue value;
  const int rc = (ref == TR_TV) ? HostReadTag(window, name, &value) : HostReadLocal(window, name, &value);
  if (rc != 0 || value.m_status != 0) return EXP_ERR_TAGREAD;
  if (IsNumericFloat(value.m_type))
    out.SetDouble(value.GetDouble());
  else
    out.SetInt(value.GetInt());
  return EXP_OK;
}

// TVV and LVV: the reply's bytes, at most 255, as a string. The reply lives
// on the stack of this leaf call (one at a time, however deep the nesting).
int ReadVariable(int ref, HWND window, const char* name, CExpValue& out) {
  VarReply reply = {};
  const int rc =
      (ref == TR_TVV) ? HostReadRealVar(window, name, &reply) : HostReadLocalVar(window, name, &reply);
  if (rc != 0 || reply.status != 0) return EXP_ERR_TAGREAD;
  // The cell keeps at most 255 of the bytes, never half a character.
  int n = reply.length;
  if (n < 0) n = 0;
  if (n > static_cast<int>(sizeof reply.data)) n = static_cast<int>(sizeof reply.data);
  out.SetString(reply.data, n);
  return EXP_OK;
}

}  // namespace

const char* GetExpTagKeyword(int ref) { return (ref >= 0 && ref < kExpTagRefCount) ? kTagKeywords[ref] : ""; }

int FindExpTagRef(const char* word, int n) {
  for (int ref = 0; ref < kExpTagRefCount; ++ref) {
    const char* keyword = kTagKeywords[ref];
    if (static_cast<int>(strlen(keyword)) != n) continue;
    int i = 0;
    while (i < n && (word[i] & ~0x20) == keyword[i]) ++i;
    if (i == n) return ref;
  }
  return -1;
}

int CExpNode::Evaluate(CExpValue& out) {
  out.Clear();
  return EXP_ERR_SYNTAX;
}

int CExpConstNode::Evaluate(CExpValue& out) {
  out = m_value;
  return EXP_OK;
}

CExpTagNode::CExpTagNode(int ref, const char* name, int n) : CExpNode(EN_TAG), m_ref(ref) {
  // A longer name is cut without splitting a character.
  if (n < 0) n = 0;
  n = static_cast<int>(GbkFitLength(name, static_cast<size_t>(n), kExpTagNameMax));
  memcpy(m_name, name, n);
  m_name[n] = 0;
}

int CExpTagNode::Evaluate(CExpValue& out) {
  out.Clear();
  if (!m_context) return EXP_ERR_NOCONTEXT;
  if (m_ref == TR_TV || m_ref == TR_LV) return ReadNumber(m_ref, m_context, m_name, out);
  return ReadVariable(m_ref, m_context, m_name, out);
}

CExpFunctionNode::CExpFunctionNode(int id) : CExpNode(EN_FUNCTION), m_id(id) {}

CExpFunctionNode::~CExpFunctionNode() = default;

void CExpFunctionNode::SetContext(HWND window) {
  CExpNode::SetContext(window);
  for (auto& arg : m_args) arg->SetContext(window);
}

int CExpFunctionNode::Evaluate(CExpValue& out) {
  out.Clear();
  // The arguments' cells on the stack: no function takes more than two.
  CExpValue values[kExpMaxArguments];
  if (m_args.size() > kExpMaxArguments) return EXP_ERR_ARGUMENT;
  for (size_t i = 0; i < m_args.size(); ++i) {
    const int rc = m_args[i]->EvalRpn(values[i]);
    if (rc) return rc;
  }
  const int rc = CallExpFunction(m_id, values, static_cast<int>(m_args.size()), out);
  if (rc) out.Clear();
  return rc;
}

int CExpFunctionNode::Check() const {
  const ExpFunctionInfo* info = GetExpFunction(m_id);
  if (!info || static_cast<int>(m_args.size()) != info->arguments) return EXP_ERR_ARGUMENT;
  for (const auto& arg : m_args) {
    const int rc = arg->CheckRpn();
    if (rc) return rc;
  }
  return EXP_OK;
}
