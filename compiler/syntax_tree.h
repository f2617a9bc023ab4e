// Nodes of the syntax tree; the context owns them all.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace tarnic {

struct CSymbolEntry;

enum NodeKind {
  NK_TYPE = 1,        // type words (and the resolved type code)
  NK_CONSTANT = 2,    // a typed constant
  NK_STRING = 3,      // a string constant: a global CHAR array named "0_STRING_%d"
  NK_IDENTIFIER = 4,  // a name in an expression, or a declarator
  NK_FUNCTION = 5,    // a function definition
  NK_OPERATOR = 6,    // operators, assignment, call, cast, comma, brace list
  NK_KEYWORD = 7,     // statements: if, while, do, for, return, break, continue, blocks
};

// Operator codes of nodes outside the token range.
enum UnaryCode {
  UOP_CAST = 0xFF00,
  UOP_PRE_INC = 0xFF01,
  UOP_PRE_DEC = 0xFF02,
  UOP_POST_INC = 0xFF03,
  UOP_POST_DEC = 0xFF04,
  UOP_NEGATE = 0xFF05,
  UOP_ADDRESS = 0xFF06,
  UOP_DEREF = 0xFF07,
  UOP_CALL = 0xFF08,
};

// Statement codes of keyword nodes that have no keyword token of their own.
enum StatementCode {
  ST_BLOCK = '{',          // child[0]: the statement list
  ST_EXPRESSION = ';',     // child[0]: the expression, or none for an empty statement
  ST_BRACE_LIST = 0xFE00,  // an operator node: child[0] the initializer items
};

struct CConstValue {
  int type = 0;       // script type code
  uint64_t bits = 0;  // integer value (sign-extended) or the double's bits
  std::string text;   // string constants
};

struct CSyntaxNode {
  int kind = 0;
  int op = 0;  // token, unary or statement code
  int line = 0;
  CSyntaxNode* next = nullptr;
  CSyntaxNode* child[3] = {nullptr, nullptr, nullptr};
  CSyntaxNode* body = nullptr;  // the body of "for" and of a function definition
  CConstValue value;
  std::string name;
  CSymbolEntry* symbol = nullptr;

  // Type nodes: the written words and the resolved type code.
  std::vector<int> words;
  int type_code = 0;

  // Declarators: "[" or "*" mark, the array size written (-1 none, 0 empty "[]").
  int mark = 0;
  int array_size = -1;
  bool bad = false;  // a declarator already refused while parsing
};

// Statements linked through their `next` fields as they are parsed.
struct NodeList {
  CSyntaxNode* head = nullptr;
  CSyntaxNode* last = nullptr;
  int count = 0;
  void Append(CSyntaxNode* n) {
    (last ? last->next : head) = n;
    last = n;
    ++count;
  }
};

// Nodes are made in blocks of kBlockNodes: a 20,000-line script has some
// 140,000 of them, and one allocation per node (and one free each at the end)
// cost more than building the tree.
class NodeArena {
 public:
  CSyntaxNode* New(int kind, int op, int line) {
    if (used_in_last_ == kBlockNodes || blocks_.empty()) {
      blocks_.push_back(std::make_unique<CSyntaxNode[]>(kBlockNodes));
      used_in_last_ = 0;
    }
    CSyntaxNode* n = &blocks_.back()[used_in_last_++];
    n->kind = kind;
    n->op = op;
    n->line = line;
    return n;
  }

 private:
  static constexpr size_t kBlockNodes = 256;
  std::vector<std::unique_ptr<CSyntaxNode[]>> blocks_;
  size_t used_in_last_ = 0;
};

}  // namespace tarnic
