// Symbol tables and function objects of the compiler context.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace tarnic {

struct CSyntaxNode;

struct CSymbolEntry {
  std::string name;
  CSyntaxNode* declaration = nullptr;
  int type = 0;  // script type code
  bool has_initializer = false;
  int cell = 0;           // cells are numbered in the order names are added
  int element_count = 0;  // arrays: elements; string constants: bytes
  bool is_string = false;
  std::string data;      // string constants: the bytes after escape processing
  bool visible = false;  // set when the declaration has been emitted
};

class CSymbolTable {
 public:
  // Adds a name; nullptr when the table already holds it.
  CSymbolEntry* Add(const std::string& name, int type);
  CSymbolEntry* Find(const std::string& name);
  const CSymbolEntry* Find(const std::string& name) const;
  const std::vector<CSymbolEntry*>& cells() const { return cells_; }
  size_t size() const { return cells_.size(); }

 private:
  // The entries live in the map's nodes (which never move): one allocation each.
  std::unordered_map<std::string, CSymbolEntry> entries_;
  std::vector<CSymbolEntry*> cells_;
};

enum FunctionKind { FK_SYSTEM = 2, FK_SCRIPT = 3 };

struct CFunctionObject {
  virtual ~CFunctionObject() = default;
  virtual int kind() const = 0;
  std::string name;
  int result = 0;
  uint16_t id = 0;
  std::vector<int> params;
  bool TakesVariableArguments() const { return !params.empty() && params.back() == 28; }
};

struct CSystemFunction : CFunctionObject {
  int kind() const override { return FK_SYSTEM; }
};

struct CScriptFunction : CFunctionObject {
  int kind() const override { return FK_SCRIPT; }
  CSymbolTable table;
  CSyntaxNode* node = nullptr;
  int entry = -1;
  bool returned_value = false;
};

}  // namespace tarnic
