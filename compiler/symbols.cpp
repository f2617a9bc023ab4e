#include "symbols.h"

namespace tarnic {

CSymbolEntry* CSymbolTable::Add(const std::string& name, int type) {
  auto& slot = entries_[name];
  if (slot) return nullptr;
  slot = std::make_unique<CSymbolEntry>();
  slot->name = name;
  slot->type = type;
  slot->cell = static_cast<int>(cells_.size());
  cells_.push_back(slot.get());
  return slot.get();
}

CSymbolEntry* CSymbolTable::Find(const std::string& name) const {
  auto it = entries_.find(name);
  return it == entries_.end() ? nullptr : it->second.get();
}

}  // namespace tarnic
