#include "localtagarray.h"

#include <cstring>

int CLocalTagArray::Find(const char* name) const {
  const size_t field = sizeof(LocalTagRecord::name);
  if (!name || std::strlen(name) >= field) return -1;
  for (int i = 0; i < GetCount(); ++i)
    if (std::strncmp(GetTag(i)->name, name, field) == 0) return i;
  return -1;
}
