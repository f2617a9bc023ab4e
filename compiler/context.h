// The state of one compilation: tree, tables, functions, and the registration of
// declarations while parsing.
#pragma once
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "reporter.h"
#include "symbols.h"
#include "syntax_tree.h"

namespace tarnic {

class CompilerContext {
 public:
  explicit CompilerContext(Reporter& reporter) : reporter_(reporter) {}

  Reporter& reporter() { return reporter_; }
  Node* NewNode(int kind, int op, int line) { return nodes_.New(kind, op, line); }

  // System functions from "stdlib.txt"; a later one of the same name replaces it.
  void AddSystemFunction(std::unique_ptr<SystemFunction> f);
  const SystemFunction* FindSystem(const std::string& name) const;
  ScriptFunction* FindScript(const std::string& name) const;

  // A string constant met by the parser: the next global cell, "0_STRING_%d".
  SymbolEntry* AddString(const std::string& text);

  // Registration by the parser's rule actions.
  void DeclareGlobals(Node* type, const std::vector<Node*>& declarators);
  std::vector<Node*> DeclareLocals(Node* type, const std::vector<Node*>& declarators);
  void BeginFunction(const std::string& name, Node* type, int mark, int line);
  void DeclareSignature(const std::vector<Node*>& parameters);
  void EndFunction(Node* definition, int end_line);
  void AbandonFunction();
  ScriptFunction* current_function() const { return current_.get(); }
  int SizeOfName(const std::string& name, int line);

  // Checks after parsing: "main", then the order and ids of the top-level items.
  void CheckProgram();

  SymbolTable& globals() { return globals_; }
  const std::vector<Node*>& top_level() const { return top_level_; }

 private:
  bool DeclareOne(Node* declarator, int base, SymbolTable& table);
  bool NamesFunction(const std::string& name) const;
  void CheckMain();
  void BuildSymbolTable();

  Reporter& reporter_;
  NodeArena nodes_;
  SymbolTable globals_;
  std::map<std::string, std::unique_ptr<SystemFunction>> system_functions_;
  std::map<std::string, std::unique_ptr<ScriptFunction>> script_functions_;
  std::vector<Node*> top_level_;
  std::unique_ptr<ScriptFunction> current_;
  Node* current_type_ = nullptr;
  int string_count_ = 0;
};

}  // namespace tarnic
