#include "localtag.h"

#include <cstring>

#include "fixedtext.h"

const char kSystemTagUser[] = "@suser";
const char kSystemTagPower[] = "@dwpower";

LocalTagRecord MakeLocalTag(const char* name, const char* description, const char* unit,
                            const char* initialValue, BYTE type, BYTE system) {
  LocalTagRecord rec;
  std::memset(&rec, 0, sizeof rec);
  CopyFixedText(rec.name, name);
  CopyFixedText(rec.description, description);
  CopyFixedText(rec.unit, unit);
  CopyFixedText(rec.initialValue, initialValue);
  rec.type = type;
  rec.system = system;
  return rec;
}

void TerminateLocalTag(LocalTagRecord& rec) {
  TerminateFixedText(rec.name);
  TerminateFixedText(rec.description);
  TerminateFixedText(rec.unit);
  TerminateFixedText(rec.initialValue);
}
