// Nodes of a parsed expression: each has a kind, a value cell and the window
// to which its tag requests go. The postfix list of CExpression owns them.
#pragma once
#include <windows.h>

#include <memory>
#include <vector>

#include "expvalue.h"
#include "object.h"

class CExpression;

enum ExpNodeKind {
  EN_OPERATOR = 1,
  EN_CONSTANT = 2,
  EN_PAREN = 3,  // only on the parser's operator stack
  EN_TAG = 4,
  EN_FUNCTION = 5,
};

// Tag reference keywords (compared without regard to case).
enum ExpTagRef {
  TR_TV = 0,   // current value of a database tag
  TR_LV = 1,   // value of a local tag
  TR_TVV = 2,  // string or blob value of a database tag
  TR_LVV = 3,  // string or blob value of a local tag
};
constexpr int kExpTagRefCount = 4;
constexpr int kExpTagNameMax = 79;

// The keyword of a reference kind ("TV", "LV", "TVV", "LVV").
const char* GetExpTagKeyword(int ref);
// The reference kind of the n-byte keyword, or -1.
int FindExpTagRef(const char* word, int n);

class CExpNode : public CObject {
 public:
  explicit CExpNode(int kind) : m_kind(kind), m_context(nullptr) {}
  int GetKind() const { return m_kind; }
  bool IsOperand() const { return m_kind == EN_CONSTANT || m_kind == EN_TAG || m_kind == EN_FUNCTION; }

  virtual void SetContext(HWND window) { m_context = window; }
  // Operands: the node's value into out; 0 or an error code.
  virtual int Evaluate(CExpValue& out);

  int m_kind;
  CExpValue m_value;
  HWND m_context;
};

class CExpOperatorNode : public CExpNode {
 public:
  explicit CExpOperatorNode(int code) : CExpNode(EN_OPERATOR), m_code(code) {}
  int m_code;
};

class CExpParenNode : public CExpNode {
 public:
  CExpParenNode() : CExpNode(EN_PAREN) {}
};

class CExpConstNode : public CExpNode {
 public:
  explicit CExpConstNode(const CExpValue& value) : CExpNode(EN_CONSTANT) { m_value = value; }
  int Evaluate(CExpValue& out) override;
};

// TV and LV read a numeric value (a float or double tag gives a double, any
// other type an integer); TVV and LVV read up to 255 bytes as a string.
class CExpTagNode : public CExpNode {
 public:
  // The name is cut to 79 bytes.
  CExpTagNode(int ref, const char* name, int n);
  int Evaluate(CExpValue& out) override;

  int m_ref;
  char m_name[kExpTagNameMax + 1];
};

class CExpFunctionNode : public CExpNode {
 public:
  explicit CExpFunctionNode(int id);
  ~CExpFunctionNode() override;
  void SetContext(HWND window) override;
  int Evaluate(CExpValue& out) override;
  // The argument count and each argument's postfix list.
  int Check() const;

  int m_id;
  std::vector<std::unique_ptr<CExpression>> m_args;
};
