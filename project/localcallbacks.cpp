// The local-tag callbacks that picture windows call with the project as
// context. No exception leaves them.
#include "project.h"

#include <cstring>

#include "tagvalue.h"

int __stdcall CProject::LocalTagAt(void* context, int index, void* record) {
  const CProject* project = static_cast<const CProject*>(context);
  if (!project || !record) return -1;
  const LocalTagRecord* tag = project->m_localTags.GetTag(index);  // null outside 0 to count - 1
  if (!tag) return -1;
  std::memcpy(record, tag, sizeof *tag);
  return index;
}

int __stdcall CProject::LocalTagWrite(void* context, const char* name, const CTagValue* value) {
  try {
    const CProject* project = static_cast<const CProject*>(context);
    if (!project || !name || !value) return 0;
    CTagValue* held = project->m_values.Lookup(name);
    if (!held) return 0;
    held->Copy(*value);  // the held value keeps its type
    return 1;
  } catch (...) {
    return 0;
  }
}

int __stdcall CProject::LocalTagRead(void* context, const char* name, CTagValue* value) {
  try {
    const CProject* project = static_cast<const CProject*>(context);
    if (!project || !name || !value) return 0;
    const CTagValue* held = project->m_values.Lookup(name);
    if (!held) return 0;
    value->Clear();  // so that the caller's value takes the held type
    value->Copy(*held);
    return 1;
  } catch (...) {
    return 0;
  }
}
