// The program checks after parsing.
#include <algorithm>

#include "context.h"
#include "messages.h"
#include "tokens.h"

namespace tarnic {

void CompilerContext::CheckMain() {
  ScriptFunction* main = FindScript("main");
  if (!main) {
    reporter_.Report(MSG_NEED_MAIN);
    return;
  }
  const Node* type = main->node->child[0];
  if (!type || type->words.empty() || type->words[0] != TK_INT) reporter_.Report(MSG_MAIN_RETURN_TYPE);
  if (!main->params.empty()) reporter_.Report(MSG_MAIN_HAS_PARAMETERS);
}

// Global declarations first, then "main", then the other functions, each group in
// source order; a function's id is its position in that order.
void CompilerContext::BuildSymbolTable() {
  auto rank = [](const Node* n) {
    if (n->kind != NK_FUNCTION) return 0;
    return n->name == "main" ? 1 : 2;
  };
  std::stable_sort(top_level_.begin(), top_level_.end(),
                   [&](const Node* a, const Node* b) { return rank(a) < rank(b); });
  for (size_t i = 0; i < top_level_.size(); ++i) {
    Node* n = top_level_[i];
    if (n->kind != NK_FUNCTION) continue;
    if (ScriptFunction* f = FindScript(n->name)) f->id = static_cast<uint16_t>(i);
  }
}

void CompilerContext::CheckProgram() {
  CheckMain();
  BuildSymbolTable();
}

}  // namespace tarnic
