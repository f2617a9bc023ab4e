#include "expression.h"

#include <new>
#include <vector>

#include "experror.h"
#include "expoperator.h"

namespace {

// The list of a link starts with room for 32 nodes and grows by 32.
constexpr int kListRoom = 32;
// The evaluation stack's first room.
constexpr size_t kStackRoom = 16;

}  // namespace

CExpression::CExpression() : m_list(kListRoom, kListRoom), m_context(nullptr) {}

CExpression::~CExpression() = default;

int CExpression::CheckText(const char* text) {
  try {
    m_text = text;
    int rc = Parse(text);
    if (rc == EXP_OK) rc = CheckRpn();
    if (rc != EXP_OK) m_list.RemoveAll();
    return rc;
  } catch (const std::bad_alloc&) {
    m_list.RemoveAll();
    return EXP_ERR_SYNTAX;
  }
}

int CExpression::Calculate(CExpValue& result, HWND context) {
  result.Clear();
  try {
    SetContext(context);
    const int rc = EvalRpn(result);
    if (rc != EXP_OK) result.Clear();
    return rc;
  } catch (const std::bad_alloc&) {
    result.Clear();
    return EXP_ERR_SYNTAX;
  }
}

void CExpression::SetContext(HWND context) {
  m_context = context;
  for (int i = 0; i < m_list.GetSize(); ++i) static_cast<CExpNode*>(m_list.GetAt(i))->SetContext(context);
}

// Placeholder values: each operand adds one, each operator takes its
// operands and leaves one; exactly one must remain.
int CExpression::CheckRpn() const {
  int values = 0;
  for (int i = 0; i < m_list.GetSize(); ++i) {
    const CExpNode* node = GetNode(i);
    switch (node->GetKind()) {
      case EN_OPERATOR: {
        const ExpOperatorInfo* op = GetExpOperator(static_cast<const CExpOperatorNode*>(node)->m_code);
        if (!op) return EXP_ERR_SYNTAX;
        if (values < op->operands) return EXP_ERR_ARGUMENT;
        values -= op->operands - 1;
        break;
      }
      case EN_FUNCTION: {
        const int rc = static_cast<const CExpFunctionNode*>(node)->Check();
        if (rc) return rc;
        ++values;
        break;
      }
      case EN_CONSTANT:
      case EN_TAG: ++values; break;
      default: return EXP_ERR_SYNTAX;
    }
  }
  return values == 1 ? EXP_OK : EXP_ERR_SYNTAX;
}

int CExpression::EvalRpn(CExpValue& result) {
  result.Clear();
  // An evaluation that starts while this one runs (a host that lets the
  // window tick inside a tag read) takes a stack of its own.
  if (m_evaluating) {
    std::vector<CExpValue> own;
    return EvalRpnOn(own, result);
  }
  struct InUse {
    CExpression& e;
    explicit InUse(CExpression& expression) : e(expression) { e.m_evaluating = true; }
    ~InUse() {
      e.m_stack.clear();  // the cells' texts go, the room stays
      e.m_evaluating = false;
    }
  } inUse(*this);
  return EvalRpnOn(m_stack, result);
}

int CExpression::EvalRpnOn(std::vector<CExpValue>& stack, CExpValue& result) {
  stack.clear();
  stack.reserve(kStackRoom);
  for (int i = 0; i < m_list.GetSize(); ++i) {
    CExpNode* node = static_cast<CExpNode*>(m_list.GetAt(i));
    int rc = EXP_OK;
    if (node->GetKind() == EN_OPERATOR) {
      const int code = static_cast<CExpOperatorNode*>(node)->m_code;
      const ExpOperatorInfo* op = GetExpOperator(code);
      if (!op) return EXP_ERR_SYNTAX;
      if (static_cast<int>(stack.size()) < op->operands) return EXP_ERR_ARGUMENT;
      if (op->operands == 2) {
        CExpValue right = std::move(stack.back());
        stack.pop_back();
        rc = ApplyBinaryOperator(code, stack.back(), right);
      } else {
        rc = ApplyUnaryOperator(code, stack.back());
      }
    } else if (node->IsOperand()) {
      stack.emplace_back();
      rc = node->Evaluate(stack.back());
    } else {
      return EXP_ERR_SYNTAX;  // a parenthesis left in the list
    }
    if (rc != EXP_OK) return rc;
  }
  if (stack.size() != 1) return EXP_ERR_SYNTAX;
  result = std::move(stack.front());
  return EXP_OK;
}
