// The program checks after parsing.
#include <algorithm>

#include "context.h"
#include "messages.h"
#include "tokens.h"

namespace tarnic {

void CCompilerContext::CheckMain() {
  CScriptFunction* main = FindScript("main");
  if (!main) {
    reporter_.Report(MSG_NEED_MAIN);
    return;
  }
  const CSyntaxNode* type = main->node->child[0];
  if (!type || type->words.empty() || type->words[0] != TK_INT) reporter_.Report(MSG_MAIN_RETURN_TYPE);
  if (!main->params.empty()) reporter_.Report(MSG_MAIN_HAS_PARAMETERS);
}

// Global declarations first, then "main", then the other functions, each group in
// source order; a function's id is its position in that order.
void CCompilerContext::BuildSymbolTable() {
  auto rank = [](const CSyntaxNode* n) {
    if (n->kind != NK_FUNCTION) return 0;
    return n->name == "main" ? 1 : 2;
  };
  std::stable_sort(top_level_.begin(), top_level_.end(),
                   [&](const CSyntaxNode* a, const CSyntaxNode* b) { return rank(a) < rank(b); });
  for (size_t i = 0; i < top_level_.size(); ++i) {
    CSyntaxNode* n = top_level_[i];
    if (n->kind != NK_FUNCTION) continue;
    if (CScriptFunction* f = FindScript(n->name)) f->id = static_cast<uint16_t>(i);
  }
}

void CCompilerContext::CheckProgram() {
  CheckMain();
  BuildSymbolTable();
}

}  // namespace tarnic
