// The parser of CExpression: one pass over the text that puts operands into
// the postfix list in the order in which they appear and orders operators by
// their precedence levels on an operator stack.
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "experror.h"
#include "expfunction.h"
#include "expoperator.h"
#include "expression.h"

namespace {

constexpr int kStackGrow = 16;
// Function calls nest by recursion; a limit keeps a hostile text from
// exhausting the stack.
constexpr int kMaxCallDepth = 32;

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

bool IsOperatorChar(char c) { return c && strchr("+-*/%<>&|~^", c) != nullptr; }

bool IsAllBlank(const char* p, int n) {
  for (int i = 0; i < n; ++i)
    if (!IsBlank(p[i])) return false;
  return true;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// 0x and one or more hex digits: each digit, from the last back, is added
// shifted 4 bits further than the one after it (shift count modulo 32).
bool ParseHex(const char* w, int n, CExpValue& value) {
  if (n < 3 || w[0] != '0' || (w[1] != 'x' && w[1] != 'X')) return false;
  uint32_t v = 0;
  int shift = 0;
  for (int i = n - 1; i >= 2; --i, shift += 4) {
    const int d = HexDigit(w[i]);
    if (d < 0) return false;
    v += static_cast<uint32_t>(d) << (shift % 32);
  }
  value.SetInt(static_cast<int32_t>(v));
  return true;
}

// Digits with at most one point: a double with the point, else an integer.
bool ParseDecimal(const char* w, int n, CExpValue& value) {
  int digits = 0, points = 0;
  for (int i = 0; i < n; ++i) {
    if (w[i] >= '0' && w[i] <= '9')
      ++digits;
    else if (w[i] == '.')
      ++points;
    else
      return false;
  }
  if (digits == 0 || points > 1) return false;
  const std::string text(w, n);
  if (points)
    value.SetDouble(atof(text.c_str()));
  else
    value.SetInt(static_cast<int32_t>(atol(text.c_str())));
  return true;
}

}  // namespace

class CExpParser {
 public:
  CExpParser(CObjPtrArray& out, const char* text, int n, int depth)
      : m_out(out), m_stack(kStackGrow), m_text(text), m_n(n), m_depth(depth) {}

  int Run() {
    while (m_pos < m_n) {
      const char c = m_text[m_pos];
      int rc = EXP_OK;
      if (c == '(' && m_wordLen > 0) {
        rc = ReadCall();
      } else if (IsBlank(c) || c == '"' || c == '(' || c == ')' || IsOperatorChar(c)) {
        rc = FlushWord();
        if (rc == EXP_OK) rc = ReadDelimiter(c);
      } else {
        if (m_wordLen == 0) m_wordStart = m_pos;
        ++m_wordLen;
        ++m_pos;
      }
      if (rc != EXP_OK) return rc;
    }
    const int rc = FlushWord();
    return rc != EXP_OK ? rc : Finish();
  }

 private:
  int ReadDelimiter(char c) {
    if (IsBlank(c)) {
      ++m_pos;
      return EXP_OK;
    }
    if (c == '"') return ReadString();
    if (c == '(') return OpenParen();
    if (c == ')') return CloseParen();
    return ReadOperator(c);
  }

  // A word standing alone is a number.
  int FlushWord() {
    if (m_wordLen == 0) return EXP_OK;
    const char* w = m_text + m_wordStart;
    const int n = m_wordLen;
    m_wordLen = 0;
    CExpValue value;
    if (!ParseHex(w, n, value) && !ParseDecimal(w, n, value)) return EXP_ERR_SYNTAX;
    return AddOperand(new CExpConstNode(value));
  }

  // Takes the node. Two operands in a row lack the operator between them.
  int AddOperand(CExpNode* node) {
    if (!m_expectOperand) {
      delete node;
      return EXP_ERR_SYNTAX;
    }
    m_out.Add(node);
    m_expectOperand = false;
    return EXP_OK;
  }

  int ReadString() {
    const int start = m_pos + 1;
    int end = start;
    while (end < m_n && m_text[end] != '"') ++end;
    if (end >= m_n) return EXP_ERR_QUOTE;
    CExpValue value;
    value.SetString(m_text + start, end - start);  // the cell keeps at most 255 bytes
    m_pos = end + 1;
    return AddOperand(new CExpConstNode(value));
  }

  // The index of the parenthesis closing the one at `open`: -1 when there is
  // none, -2 when a string literal inside a function's arguments is open.
  int FindClosing(int open, bool skipStrings) const {
    int depth = 0;
    for (int i = open; i < m_n; ++i) {
      const char c = m_text[i];
      if (skipStrings && c == '"') {
        ++i;
        while (i < m_n && m_text[i] != '"') ++i;
        if (i >= m_n) return -2;
      } else if (c == '(') {
        ++depth;
      } else if (c == ')' && --depth == 0) {
        return i;
      }
    }
    return -1;
  }

  // A word directly followed by "(": a function or a tag reference.
  int ReadCall() {
    const char* name = m_text + m_wordStart;
    const int n = m_wordLen;
    m_wordLen = 0;
    const ExpFunctionInfo* function = FindExpFunction(name, n);
    const int ref = function ? -1 : FindExpTagRef(name, n);
    if (!function && ref < 0) return EXP_ERR_FUNCTION;
    const int close = FindClosing(m_pos, function != nullptr);
    if (close == -2) return EXP_ERR_QUOTE;
    if (close < 0) return EXP_ERR_PAREN;
    const char* inner = m_text + m_pos + 1;
    const int innerLen = close - m_pos - 1;
    m_pos = close + 1;
    if (ref >= 0) {
      if (IsAllBlank(inner, innerLen)) return EXP_ERR_EMPTYTAG;
      return AddOperand(new CExpTagNode(ref, inner, innerLen));
    }
    return ReadArguments(*function, inner, innerLen);
  }

  // The argument text is split at the commas outside nested parentheses and
  // string literals; each piece is an expression of its own.
  int ReadArguments(const ExpFunctionInfo& function, const char* text, int n) {
    if (m_depth + 1 > kMaxCallDepth) return EXP_ERR_SYNTAX;
    std::unique_ptr<CExpFunctionNode> node(new CExpFunctionNode(function.id));
    int start = 0, depth = 0;
    for (int i = 0; i <= n; ++i) {
      const char c = i < n ? text[i] : ',';
      if (c == '"') {
        ++i;
        while (i < n && text[i] != '"') ++i;
        continue;
      }
      if (c == '(') ++depth;
      if (c == ')') --depth;
      if (c != ',' || (depth > 0 && i < n)) continue;
      if (IsAllBlank(text + start, i - start)) return EXP_ERR_ARGUMENT;
      std::unique_ptr<CExpression> arg(new CExpression());
      const int rc = arg->ParseNested(text + start, i - start, m_depth + 1);
      if (rc != EXP_OK) return rc;
      node->m_args.push_back(std::move(arg));
      start = i + 1;
    }
    if (static_cast<int>(node->m_args.size()) != function.arguments) return EXP_ERR_ARGUMENT;
    return AddOperand(node.release());
  }

  int ReadOperator(char c) {
    const char next = m_pos + 1 < m_n ? m_text[m_pos + 1] : 0;
    int code = -1, length = 1;
    switch (c) {
      case '<': code = next == '=' ? OP_LE : next == '<' ? OP_SHL : OP_LT; break;
      case '>': code = next == '=' ? OP_GE : next == '>' ? OP_SHR : OP_GT; break;
      case '|': code = next == '|' ? OP_OR : OP_BITOR; break;
      case '&': code = next == '&' ? OP_AND : OP_BITAND; break;
      case '^': code = OP_XOR; break;
      case '+': code = OP_ADD; break;
      case '*': code = OP_MUL; break;
      case '/': code = OP_DIV; break;
      case '%': code = OP_MOD; break;
      case '~': code = OP_NOT; break;
      case '-': code = m_expectOperand ? OP_NEG : OP_SUB; break;
      default: return EXP_ERR_OPERATOR;
    }
    const ExpOperatorInfo* op = GetExpOperator(code);
    if (strlen(op->text) == 2 && code != OP_NEG) length = 2;
    m_pos += length;
    if (op->operands == 1) {
      // A prefix operator: its operand follows, so nothing on the stack is due.
      if (!m_expectOperand) return EXP_ERR_SYNTAX;
      m_stack.Add(new CExpOperatorNode(code));
      return EXP_OK;
    }
    if (m_expectOperand) return EXP_ERR_ARGUMENT;  // the left operand is missing
    MoveOperatorsFrom(op->level);
    m_stack.Add(new CExpOperatorNode(code));
    m_expectOperand = true;
    return EXP_OK;
  }

  // Operators of the same or a higher level than the new one are due first,
  // so that operators of one level group from the left.
  void MoveOperatorsFrom(int level) {
    while (CExpNode* top = static_cast<CExpNode*>(m_stack.GetLast())) {
      if (top->GetKind() != EN_OPERATOR) break;
      if (GetExpOperator(static_cast<CExpOperatorNode*>(top)->m_code)->level < level) break;
      m_out.Add(m_stack.DetachLast());
    }
  }

  int OpenParen() {
    ++m_pos;
    if (!m_expectOperand) return EXP_ERR_SYNTAX;
    m_stack.Add(new CExpParenNode());
    return EXP_OK;
  }

  int CloseParen() {
    ++m_pos;
    for (;;) {
      CExpNode* top = static_cast<CExpNode*>(m_stack.DetachLast());
      if (!top) return EXP_ERR_PAREN;
      if (top->GetKind() == EN_PAREN) {
        delete top;
        break;
      }
      m_out.Add(top);
    }
    m_expectOperand = false;
    return EXP_OK;
  }

  int Finish() {
    while (CExpNode* top = static_cast<CExpNode*>(m_stack.DetachLast())) {
      if (top->GetKind() == EN_PAREN) {
        delete top;
        return EXP_ERR_PAREN;
      }
      m_out.Add(top);
    }
    return EXP_OK;
  }

  CObjPtrArray& m_out;
  CObjPtrArray m_stack;  // operators and open parentheses, owned until moved
  const char* m_text;
  int m_n;
  int m_depth;
  int m_pos = 0;
  int m_wordStart = 0;
  int m_wordLen = 0;
  bool m_expectOperand = true;
};

int CExpression::Parse(const char* text) {
  return ParseNested(text ? text : "", text ? static_cast<int>(strlen(text)) : 0, 0);
}

int CExpression::ParseNested(const char* text, int n, int depth) {
  m_list.RemoveAll();
  CExpParser parser(m_list, text, n, depth);
  const int rc = parser.Run();
  if (rc != EXP_OK) m_list.RemoveAll();
  return rc;
}
