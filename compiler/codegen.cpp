// Top-level items, functions, declarations and control statements.
#include "codegen.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>

#include "context.h"
#include "messages.h"
#include "tokens.h"
#include "types.h"

namespace tarnic {

CCodeGenerator::CCodeGenerator(CCompilerContext& context) : ctx_(context), reporter_(context.reporter()) {
  header_.magic = kCodeByteMagic;
  header_.version = kCodeByteVersion;
  std::strncpy(header_.title, kCodeByteTitle, sizeof header_.title - 1);
}

int CCodeGenerator::Emit(uint8_t op, int r, int r2, uint32_t a, uint32_t b, uint8_t t) {
  CodeByteInstruction ins{};
  ins.op = op;
  ins.r = static_cast<uint8_t>(r);
  ins.r2 = static_cast<uint8_t>(r2);
  ins.a = a;
  ins.b = b;
  ins.t = t;
  code_.push_back(ins);
  return Count() - 1;
}

void CCodeGenerator::PatchTarget(int index, int target) {
  code_[index].a = static_cast<uint32_t>(target);
  if (target > last_target_) last_target_ = target;
}

CCodeGenerator::NestingGuard::NestingGuard(CCodeGenerator& g) : generator_(g) {
  if (++generator_.nesting_ > kMaxNesting && !generator_.nesting_reported_) {
    generator_.nesting_reported_ = true;
    generator_.reporter_.Report(MSG_OUT_OF_STACK);
  }
}

int CCodeGenerator::AllocateRegister() {
  int r = registers_.Allocate();
  if (r == 0 && !registers_exhausted_) {
    registers_exhausted_ = true;
    reporter_.Report(MSG_OUT_OF_REGISTER);
  }
  return r;
}

int CCodeGenerator::Generate() {
  for (CSyntaxNode* n : ctx_.top_level()) EmitTopLevel(n);
  if (reporter_.errors() == 0) Backpatch();
  return 0;
}

void CCodeGenerator::Backpatch() {
  std::map<uint16_t, int> entry_of_id;
  for (CSyntaxNode* n : ctx_.top_level()) {
    if (n->kind != NK_FUNCTION) continue;
    CScriptFunction* f = ctx_.FindScript(n->name);
    if (f && f->node == n && f->entry >= 0) entry_of_id.emplace(f->id, f->entry);
  }
  for (CodeByteInstruction& ins : code_) {
    if (ins.op != OP_CALL) continue;
    auto it = entry_of_id.find(static_cast<uint16_t>(ins.a & 0xFFFF));
    if (it != entry_of_id.end()) ins.a = static_cast<uint32_t>(it->second);
  }
}

namespace {

// The image is sized first and then filled through a cursor: no check or
// growth per byte.
uint8_t* Put32(uint8_t* out, uint32_t v) {
  for (int i = 0; i < 4; ++i) *out++ = static_cast<uint8_t>(v >> (8 * i));
  return out;
}

constexpr size_t kInstructionBytes = sizeof(CodeByteInstruction);

size_t DataBytes(const std::vector<CSymbolEntry*>& cells) {
  size_t bytes = 4;
  for (const CSymbolEntry* cell : cells)
    bytes += sizeof(CodeByteDataEntry) + (cell->is_string ? cell->data.size() : 0);
  return bytes;
}

}  // namespace

std::vector<uint8_t> CCodeGenerator::CodeBytes() const {
  const auto& cells = ctx_.globals().cells();
  CodeByteHeader header = header_;
  header.data_offset = static_cast<uint32_t>(sizeof(CodeByteHeader) + kInstructionBytes * code_.size());
  std::vector<uint8_t> image(header.data_offset + DataBytes(cells));
  uint8_t* out = image.data();
  std::memcpy(out, &header, sizeof header);
  out += sizeof header;
  for (const CodeByteInstruction& ins : code_) {
    out = Put32(out, ins.a);
    out = Put32(out, ins.b);
    *out++ = ins.t;
    *out++ = ins.r2;
    *out++ = ins.r;
    *out++ = ins.op;
  }
  out = Put32(out, static_cast<uint32_t>(cells.size()));
  for (const CSymbolEntry* cell : cells) {
    CodeByteDataEntry entry{};
    if (cell->is_string) {
      entry.type = TB_GLOBAL | TB_ARRAY;
      entry.count = entry.length = static_cast<uint32_t>(cell->data.size());
    } else {
      entry.type = static_cast<uint8_t>(TB_GLOBAL | GetFileTypeByte(cell->type));
      entry.count = IsArray(cell->type) ? static_cast<uint32_t>(cell->element_count) : 0;
    }
    *out++ = entry.type;
    out = Put32(out, entry.count);
    out = Put32(out, entry.length);
    if (cell->is_string) out = std::copy(cell->data.begin(), cell->data.end(), out);
  }
  return image;
}

int CCodeGenerator::WriteCodeByteFile(const std::string& path, const std::vector<uint8_t>& image) {
  bytes_written_ = 0;
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) {
    reporter_.Report(MSG_CREATE_CODE_FILE, path);
    return 1;
  }
  bool ok = std::fwrite(image.data(), 1, image.size(), f) == image.size();
  ok = std::fclose(f) == 0 && ok;
  if (!ok) {
    reporter_.Report(MSG_WRITE_CODE_FILE, path);
    return 1;
  }
  bytes_written_ = static_cast<int>(image.size());
  return 0;
}

// ---- top level ------------------------------------------------------------

void CCodeGenerator::EmitTopLevel(CSyntaxNode* n) {
  reporter_.set_line(n->line);
  switch (n->kind) {
    case NK_IDENTIFIER: EmitDeclaration(n); break;
    case NK_FUNCTION: EmitFunction(n); break;
    default: EmitStatement(n); break;
  }
  registers_.FreeAll();
  registers_exhausted_ = false;
  stack_.clear();
}

void CCodeGenerator::EmitFunction(CSyntaxNode* n) {
  CScriptFunction* f = ctx_.FindScript(n->name);
  if (!f || f->node != n) return;
  function_ = f;
  function_start_ = Count();
  last_target_ = -1;
  f->entry = Count();
  if (n->name == "main") header_.entry = static_cast<uint32_t>(Count());
  for (CSyntaxNode* p = n->child[1]; p; p = p->next) Emit(OP_POPARG);
  for (CSyntaxNode* s = n->body ? n->body->child[0] : nullptr; s; s = s->next) EmitStatement(s);
  // A body that ends in a return needs no other, unless a jump lands behind it.
  bool ends_in_return = Count() > function_start_ && code_.back().op == OP_RET;
  if (!ends_in_return || last_target_ >= Count()) Emit(OP_RET);
  function_ = nullptr;
}

// ---- declarations ---------------------------------------------------------

void CCodeGenerator::EmitDeclaration(CSyntaxNode* d) {
  CSymbolEntry* entry = d->symbol;
  if (!entry) return;
  bool local = function_ != nullptr;
  if (local) {
    uint32_t count = IsArray(entry->type) ? static_cast<uint32_t>(entry->element_count) : 0;
    Emit(OP_LOCAL, 0, 0, count, static_cast<uint32_t>(entry->cell),
         static_cast<uint8_t>(GetFileTypeByte(entry->type) | TB_LOCAL));
  }
  entry->visible = true;
  if (d->child[2]) EmitInitializer(d, entry, SymbolOperand(entry, local));
}

void CCodeGenerator::EmitInitializer(CSyntaxNode* d, CSymbolEntry* entry, const COperand& target) {
  CSyntaxNode* init = d->child[2];
  if (IsArray(entry->type)) {
    EmitArrayInitializer(d, entry, target);
    return;
  }
  if (init->kind == NK_OPERATOR && init->op == ST_BRACE_LIST) {
    reporter_.Report(MSG_INVALID_INITIALIZE);
    return;
  }
  COperand y, x = target;
  if (!Evaluate(init, y)) return;
  // A constant initializer was checked when the declaration was registered.
  bool checked = init->kind == NK_CONSTANT || init->kind == NK_STRING;
  StoreInto(x, y, '=', !checked);
}

// Arrays are initialized element by element; a string brings its terminating zero.
void CCodeGenerator::EmitArrayInitializer(CSyntaxNode* d, CSymbolEntry* entry, const COperand& target) {
  CSyntaxNode* init = d->child[2];
  int count = entry->element_count;
  if (init->kind == NK_OPERATOR && init->op == ST_BRACE_LIST) {
    int index = 0;
    for (CSyntaxNode* item = init->child[0]; item; item = item->next, ++index) {
      if (index == count) {
        reporter_.set_line(item->line);
        reporter_.Report(MSG_EXTRA_INITIALIZERS);
        break;
      }
      EmitElementStore(target, index, item, 0);
    }
    return;
  }
  int base = BaseOf(entry->type);
  if (init->kind == NK_STRING && (base == T_CHAR || base == T_BYTE)) {
    const std::string& text = init->value.text;
    if (static_cast<int>(text.size()) > count) {
      reporter_.Report(MSG_TOO_MANY_INITIALIZERS);
      return;
    }
    for (size_t i = 0; i <= text.size(); ++i) {
      uint64_t byte = i < text.size() ? static_cast<unsigned char>(text[i]) : 0;
      EmitElementStore(target, static_cast<int>(i), nullptr, byte);
    }
    return;
  }
  reporter_.Report(MSG_INVALID_INITIALIZE);
}

// array[index] = item (or = value when there is no item node).
void CCodeGenerator::EmitElementStore(const COperand& array, int index, CSyntaxNode* item, uint64_t value) {
  COperand y;
  if (item) {
    if (!Evaluate(item, y)) return;
  } else {
    y.kind = OK_CONSTANT;
    y.type = GetFileTypeByte(T_INT);
    y.value = value;
  }
  int r = AllocateRegister();
  if (!r) return;
  Emit(OP_LDM, r, 0, array.memory);
  Emit(OP_BIN_RK + 3, r, 0, static_cast<uint32_t>(index), 0, GetFileTypeByte(T_INT));
  Emit(OP_TOPTR, r);
  COperand x = array;
  x.kind = OK_REGISTER;
  x.reg = r;
  x.dereferenced = true;
  x.refers = true;
  StoreInto(x, y, '=', item != nullptr);
  registers_.Free(x.reg);
}

// ---- statements -----------------------------------------------------------

void CCodeGenerator::EmitStatement(CSyntaxNode* n) {
  if (!n) return;
  NestingGuard nesting(*this);
  if (nesting.too_deep()) return;
  reporter_.set_line(n->line);
  if (n->kind == NK_IDENTIFIER) {
    EmitDeclaration(n);
  } else if (n->kind == NK_KEYWORD) {
    switch (n->op) {
      case ST_BLOCK:
        for (CSyntaxNode* s = n->child[0]; s; s = s->next) EmitStatement(s);
        break;
      case ST_EXPRESSION:
        if (n->child[0]) EmitExpression(n->child[0]);
        break;
      case TK_IF: EmitIf(n); break;
      case TK_WHILE: EmitWhile(n); break;
      case TK_DO: EmitDo(n); break;
      case TK_FOR: EmitFor(n); break;
      case TK_RETURN: EmitReturn(n); break;
      case TK_BREAK: EmitBreak(false); break;
      case TK_CONTINUE: EmitBreak(true); break;
      default: break;
    }
  } else {
    EmitExpression(n);
  }
  registers_.FreeAll();
  registers_exhausted_ = false;
  stack_.clear();
}

// The condition in a register (0 when it failed).
int CCodeGenerator::EmitCondition(CSyntaxNode* n) {
  COperand c;
  if (!n || !Evaluate(n, c) || !ToRegister(c)) return 0;
  return c.reg;
}

void CCodeGenerator::EmitIf(CSyntaxNode* n) {
  int r = EmitCondition(n->child[0]);
  int jz = Emit(OP_JZ, r);
  registers_.Free(r);
  EmitStatement(n->child[1]);
  if (n->child[2]) {
    int jmp = Emit(OP_JMP);
    PatchTarget(jz, Count());
    EmitStatement(n->child[2]);
    PatchTarget(jmp, Count());
  } else {
    PatchTarget(jz, Count());
  }
}

void CCodeGenerator::EmitWhile(CSyntaxNode* n) {
  int start = Count();
  loops_.push_back(Loop{0, start, {}});
  int r = EmitCondition(n->child[0]);
  int jz = Emit(OP_JZ, r);
  registers_.Free(r);
  EmitStatement(n->child[1]);
  Emit(OP_JMP, 0, 0, static_cast<uint32_t>(start));
  PatchTarget(jz, Count());
  FinishLoop(start, Count());
}

void CCodeGenerator::EmitDo(CSyntaxNode* n) {
  int start = Count();
  loops_.push_back(Loop{1, start, {}});
  EmitStatement(n->child[0]);
  int continue_point = Count();
  int r = EmitCondition(n->child[1]);
  Emit(OP_JNZ, r, 0, static_cast<uint32_t>(start));
  FinishLoop(continue_point, Count());
}

void CCodeGenerator::EmitFor(CSyntaxNode* n) {
  if (n->child[0]) {
    EmitExpression(n->child[0]);
    registers_.FreeAll();
    stack_.clear();
  }
  int start = Count();
  loops_.push_back(Loop{1, start, {}});
  int jz = -1;
  if (n->child[1]) {  // "for (;; step)" has no exit test
    int r = EmitCondition(n->child[1]);
    jz = Emit(OP_JZ, r);
    registers_.Free(r);
  }
  EmitStatement(n->body);
  int continue_point = Count();
  EmitExpression(n->child[2]);
  registers_.FreeAll();
  stack_.clear();
  Emit(OP_JMP, 0, 0, static_cast<uint32_t>(start));
  if (jz >= 0) PatchTarget(jz, Count());
  FinishLoop(continue_point, Count());
}

void CCodeGenerator::FinishLoop(int continue_point, int exit) {
  for (const PendingJump& j : loops_.back().pending)
    PatchTarget(j.index, j.is_continue ? continue_point : exit);
  loops_.pop_back();
}

void CCodeGenerator::EmitBreak(bool is_continue) {
  if (loops_.empty()) return;  // refused while parsing
  Loop& loop = loops_.back();
  if (is_continue && loop.kind == 0) {
    Emit(OP_JMP, 0, 0, static_cast<uint32_t>(loop.start));
    return;
  }
  loop.pending.push_back(PendingJump{Emit(OP_JMP), is_continue});
}

void CCodeGenerator::EmitReturn(CSyntaxNode* n) {
  if (n->child[0]) {
    COperand v;
    if (Evaluate(n->child[0], v)) {
      // The caller takes the value as the declared result type, so it is
      // converted here, as C converts it ("int f() { return 7 / 2.0; }" gives 3).
      if (function_) ConvertWhereAllowed(function_->result, v);
      if (v.kind == OK_CONSTANT)
        Emit(OP_LDK, 0, 0, static_cast<uint32_t>(v.value), static_cast<uint32_t>(v.value >> 32), v.type);
      else if (v.kind == OK_REGISTER)
        Emit(OP_MOV, 0, v.reg);
      else
        Emit(OP_LDM, 0, 0, v.memory);
    }
  }
  Emit(OP_RET);
}

}  // namespace tarnic
