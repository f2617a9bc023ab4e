// Registration of declarations and function definitions while parsing.
#include <algorithm>

#include "context.h"
#include "crtformat.h"
#include "messages.h"
#include "types.h"

namespace tarnic {
namespace {

// The type of a constant initializer as the declaration check names it.
std::string ConstantTypeName(const CSyntaxNode* init) {
  if (init->kind == NK_STRING) return "char[]";
  switch (init->value.type) {
    case T_DWORD: return "unsigned int";
    case T_DOUBLE: return "double";
    case T_FLOAT: return "float";
    default: return "int";
  }
}

int ConstantType(const CSyntaxNode* init) {
  return init->kind == NK_STRING ? T_CHAR_ARRAY : init->value.type;
}

int CountItems(const CSyntaxNode* list) {
  int n = 0;
  for (const CSyntaxNode* item = list; item; item = item->next) ++n;
  return n;
}

}  // namespace

void CCompilerContext::AddSystemFunction(std::unique_ptr<CSystemFunction> f) {
  std::string name = f->name;
  system_functions_[name] = std::move(f);
}

const CSystemFunction* CCompilerContext::FindSystem(const std::string& name) const {
  auto it = system_functions_.find(name);
  return it == system_functions_.end() ? nullptr : it->second.get();
}

CScriptFunction* CCompilerContext::FindScript(const std::string& name) const {
  auto it = script_functions_.find(name);
  return it == script_functions_.end() ? nullptr : it->second.get();
}

CSymbolEntry* CCompilerContext::AddString(const std::string& text) {
  std::string name = qel::FormatStr("0_STRING_%d", string_count_ & 0xFFFF);
  ++string_count_;
  CSymbolEntry* entry = globals_.Add(name, T_CHAR_ARRAY);
  if (!entry) entry = globals_.Find(name);  // the 16-bit counter came round
  entry->is_string = true;
  entry->data = text;
  entry->element_count = static_cast<int>(text.size());
  entry->visible = true;
  return entry;
}

bool CCompilerContext::NamesFunction(const std::string& name) const {
  return FindSystem(name) || FindScript(name);
}

// One declarator against one table; false when it is dropped.
bool CCompilerContext::DeclareOne(CSyntaxNode* d, int base, CSymbolTable& table) {
  reporter_.set_line(d->line);
  if (d->bad) return false;
  if (base == T_VOID) {
    reporter_.Report(MSG_INVALID_TYPE);
    return false;
  }
  int type = d->mark == '[' ? base + T_ARRAY_OFFSET : d->mark == '*' ? base + T_POINTER_OFFSET : base;
  CSyntaxNode* init = d->child[2];
  if (init && (init->kind == NK_CONSTANT || init->kind == NK_STRING)) {
    int conversion = CheckConversion(ConstantType(init), type);
    std::string from = ConstantTypeName(init), to = DeclaredTypeName(type);
    if (conversion == CONV_LOSS) reporter_.Report(MSG_POSSIBLE_LOSS, from.c_str(), to.c_str(), true);
    if (conversion == CONV_REFUSED) reporter_.Report(MSG_CANNOT_CONVERT, from.c_str(), to.c_str(), true);
  }
  if (NamesFunction(d->name)) {
    reporter_.Report(MSG_NAMES_SYSTEM_FUNCTION, d->name);
    return false;
  }
  if (table.Find(d->name)) {
    reporter_.Report(MSG_REDEFINITION, d->name);
    return false;
  }
  int count = 0;
  if (d->mark == '[') {
    count = d->array_size;
    if (count == 0 && init && init->kind == NK_OPERATOR && init->op == ST_BRACE_LIST)
      count = CountItems(init->child[0]);
    else if (count == 0 && init && init->kind == NK_STRING)
      count = static_cast<int>(init->value.text.size());
    if (count <= 0) {
      reporter_.Report(MSG_INVALID_INITIALIZE);
      return false;
    }
  }
  CSymbolEntry* entry = table.Add(d->name, type);
  entry->declaration = d;
  entry->has_initializer = init != nullptr;
  entry->element_count = count;
  d->symbol = entry;
  CSyntaxNode* type_node = NewNode(NK_TYPE, 0, d->line);
  type_node->type_code = type;
  type_node->name = TypeName(type);
  d->child[0] = type_node;
  return true;
}

void CCompilerContext::DeclareGlobals(CSyntaxNode* type, const std::vector<CSyntaxNode*>& declarators) {
  int base = TypeFromWords(type->words);
  if (base < 0) {
    reporter_.set_line(type->line);
    reporter_.Report(MSG_INVALID_TYPE);
    return;
  }
  for (CSyntaxNode* d : declarators)
    if (DeclareOne(d, base, globals_)) top_level_.push_back(d);
}

void CCompilerContext::DeclareLocals(CSyntaxNode* type, const std::vector<CSyntaxNode*>& declarators,
                                     NodeList& statements) {
  int base = TypeFromWords(type->words);
  if (base < 0) {
    reporter_.set_line(type->line);
    reporter_.Report(MSG_INVALID_TYPE);
    return;
  }
  if (!current_) return;
  for (CSyntaxNode* d : declarators)
    if (DeclareOne(d, base, current_->table)) statements.Append(d);
}

void CCompilerContext::BeginFunction(const std::string& name, CSyntaxNode* type, int mark, int line) {
  current_ = std::make_unique<CScriptFunction>();
  current_->name = name;
  current_type_ = type;
  reporter_.set_line(line);
  if (FindSystem(name)) {
    reporter_.Report(MSG_DEFINES_SYSTEM_FUNCTION, name);
  } else if (FindScript(name)) {
    reporter_.Report(MSG_REDEFINITION, name);
  } else {
    CSymbolEntry* global = globals_.Find(name);
    if (global && !global->is_string) reporter_.Report(MSG_REDEFINITION, name);
  }
  int result = T_VOID;
  if (type && !type->words.empty()) {
    result = TypeFromWords(type->words);
    if (result < 0) {
      reporter_.Report(MSG_INVALID_TYPE);
      result = T_VOID;
    }
  }
  if (mark == '*' && result != T_VOID) result += T_POINTER_OFFSET;
  current_->result = result;
}

void CCompilerContext::DeclareSignature(const std::vector<CSyntaxNode*>& parameters) {
  if (!current_) return;
  for (CSyntaxNode* p : parameters) {
    reporter_.set_line(p->line);
    int base = TypeFromWords(p->child[1]->words);
    if (base < 0) {
      reporter_.Report(MSG_INVALID_TYPE);
      base = T_VOID;
    }
    int type = base;
    if (base != T_VOID && p->mark == '[') type = base + T_ARRAY_OFFSET;
    if (base != T_VOID && p->mark == '*') type = base + T_POINTER_OFFSET;
    current_->params.push_back(type);
    if (NamesFunction(p->name)) {
      reporter_.Report(MSG_NAMES_SYSTEM_FUNCTION, p->name);
      continue;
    }
    CSymbolEntry* entry = current_->table.Add(p->name, type);
    if (!entry) {
      reporter_.Report(MSG_REDEFINITION, p->name);
      continue;
    }
    entry->declaration = p;
    entry->visible = true;  // parameters are visible in the whole body
    p->symbol = entry;
  }
}

void CCompilerContext::EndFunction(CSyntaxNode* definition, int end_line) {
  if (!current_) return;
  reporter_.set_line(end_line);
  bool written = current_type_ && !current_type_->words.empty();
  bool written_void = written && current_type_->words.size() == 1 && current_type_->words[0] == 294;
  if (written_void && current_->returned_value) {
    reporter_.Report(MSG_VOID_RETURNS_VALUE, current_->name);
  } else if (written && !written_void && !current_->returned_value) {
    if (current_->name == "main")
      reporter_.Report(MSG_MAIN_DEFAULT_RETURN);
    else
      reporter_.Report(MSG_MUST_RETURN_VALUE, current_->name);
  }
  current_->node = definition;
  definition->symbol = nullptr;
  if (!FindScript(current_->name)) {
    std::string name = current_->name;
    script_functions_[name] = std::move(current_);
    top_level_.push_back(definition);
  }
  current_.reset();
  current_type_ = nullptr;
}

void CCompilerContext::AbandonFunction() {
  current_.reset();
  current_type_ = nullptr;
}

int CCompilerContext::SizeOfName(const std::string& name, int line) {
  const CSymbolEntry* entry = current_ ? current_->table.Find(name) : nullptr;
  if (!entry) entry = globals_.Find(name);
  if (!entry) {
    reporter_.set_line(line);
    reporter_.Report(MSG_UNDECLARED, name);
    return 0;
  }
  int size = GetTypeSize(BaseOf(entry->type));
  return IsArray(entry->type) ? size * entry->element_count : size;
}

}  // namespace tarnic
