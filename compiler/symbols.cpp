#include "symbols.h"

#include <utility>

namespace tarnic {

CSymbolEntry* CSymbolTable::Add(const std::string& name, int type) {
  auto [it, added] = entries_.try_emplace(name);
  if (!added) return nullptr;
  CSymbolEntry* entry = &it->second;
  entry->name = name;
  entry->type = type;
  entry->cell = static_cast<int>(cells_.size());
  if (cells_.empty()) cells_.reserve(8);  // a function's locals: one allocation, not four
  cells_.push_back(entry);
  return entry;
}

const CSymbolEntry* CSymbolTable::Find(const std::string& name) const {
  auto it = entries_.find(name);
  return it == entries_.end() ? nullptr : &it->second;
}

CSymbolEntry* CSymbolTable::Find(const std::string& name) {
  return const_cast<CSymbolEntry*>(std::as_const(*this).Find(name));
}

}  // namespace tarnic
