// An infix expression over constants, tag references and functions, parsed
// once into a postfix list of nodes, checked, and evaluated on every firing
// of its link. Tag references become service requests to the picture window
// given as the context.
//
//   CExpression e;
//   if (e.CheckText("TV(level)*2+1") == 0) e.Calculate(result, pictureWindow);
//
// Links store the expression's text (a CString in their own stored form) and
// check it again when they are prepared; the parsed list is not stored.
#pragma once
#include <windows.h>

#include <vector>

#include "expnode.h"
#include "expvalue.h"
#include "objptrarray.h"
#include "qstring.h"

class CExpression {
 public:
  CExpression();
  ~CExpression();
  CExpression(const CExpression&) = delete;
  CExpression& operator=(const CExpression&) = delete;

  // Parses the text into a fresh postfix list and checks it without reading
  // tags. Returns 0 or an error code (ExpError); on error the list is empty.
  int CheckText(const char* text);
  // Stores the context window in every node and evaluates the list. Returns
  // 0 or an error code; on error the result cell is cleared.
  int Calculate(CExpValue& result, HWND context);

  const CString& GetText() const { return m_text; }

  // The steps, also used for the arguments of function nodes.
  int Parse(const char* text);
  int CheckRpn() const;
  int EvalRpn(CExpValue& result);
  void SetContext(HWND context);

  int GetNodeCount() const { return m_list.GetSize(); }
  const CExpNode* GetNode(int i) const { return static_cast<const CExpNode*>(m_list.GetAt(i)); }

 private:
  friend class CExpParser;
  int ParseNested(const char* text, int n, int depth);
  int EvalRpnOn(std::vector<CExpValue>& stack, CExpValue& result);

  CString m_text;
  CObjPtrArray m_list;  // postfix order, owned
  HWND m_context;
  // The evaluation stack, kept from one evaluation to the next so that a
  // firing allocates nothing for it; in use while an evaluation runs.
  std::vector<CExpValue> m_stack;
  bool m_evaluating = false;
};
