// The state of one compilation: tree, tables, functions, and the registration of
// declarations while parsing.
#pragma once
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "reporter.h"
#include "symbols.h"
#include "syntax_tree.h"

namespace tarnic {

class CCompilerContext {
 public:
  explicit CCompilerContext(Reporter& reporter) : reporter_(reporter) {}

  Reporter& reporter() { return reporter_; }
  // Reports a numbered message at the current line (see Reporter::Report).
  void ReportError(int code, const char* first = nullptr, const char* second = nullptr,
                   bool keep_order = false) {
    reporter_.Report(code, first, second, keep_order);
  }
  CSyntaxNode* NewNode(int kind, int op, int line) { return nodes_.New(kind, op, line); }

  // System functions from "stdlib.txt"; a later one of the same name replaces it.
  void AddSystemFunction(std::unique_ptr<CSystemFunction> f);
  const CSystemFunction* FindSystem(const std::string& name) const;
  CScriptFunction* FindScript(const std::string& name) const;

  // A string constant met by the parser: the next global cell, "0_STRING_%d".
  CSymbolEntry* AddString(const std::string& text);

  // Registration by the parser's rule actions.
  void DeclareGlobals(CSyntaxNode* type, const std::vector<CSyntaxNode*>& declarators);
  // The declarators kept are appended to `statements`.
  void DeclareLocals(CSyntaxNode* type, const std::vector<CSyntaxNode*>& declarators, NodeList& statements);
  void BeginFunction(const std::string& name, CSyntaxNode* type, int mark, int line);
  void DeclareSignature(const std::vector<CSyntaxNode*>& parameters);
  void EndFunction(CSyntaxNode* definition, int end_line);
  void AbandonFunction();
  CScriptFunction* current_function() const { return current_.get(); }
  int SizeOfName(const std::string& name, int line);

  // Checks after parsing: "main", then the order and ids of the top-level items.
  void CheckProgram();

  CSymbolTable& globals() { return globals_; }
  const std::vector<CSyntaxNode*>& top_level() const { return top_level_; }

 private:
  bool DeclareOne(CSyntaxNode* declarator, int base, CSymbolTable& table);
  bool NamesFunction(const std::string& name) const;
  void CheckMain();
  void BuildSymbolTable();

  Reporter& reporter_;
  NodeArena nodes_;
  CSymbolTable globals_;
  std::unordered_map<std::string, std::unique_ptr<CSystemFunction>> system_functions_;
  std::unordered_map<std::string, std::unique_ptr<CScriptFunction>> script_functions_;
  std::vector<CSyntaxNode*> top_level_;
  std::unique_ptr<CScriptFunction> current_;
  CSyntaxNode* current_type_ = nullptr;
  int string_count_ = 0;
};

}  // namespace tarnic
