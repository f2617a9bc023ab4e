#include "tagrecords.h"

#include <cstddef>

#include "qel/qbtypes.h"
#include "qel/localtag.h"

namespace {

// The byte of a server tag attribute record that the list keeps its row mark
// in; the server's own bytes around it travel unchanged.
constexpr int kServerMarkOffset = 212;
static_assert(kServerMarkOffset >= (int)offsetof(QB_TAGATTR, reserved188) &&
                  kServerMarkOffset < (int)offsetof(QB_TAGATTR, importResult),
              "the mark byte lies in the server's spare bytes");

#define QEL_FIELD(type, field) (int)offsetof(type, field), (int)sizeof(type::field)

// Byte by byte as unsigned bytes, up to the first difference or terminator,
// never past the field.
int CompareText(const BYTE* a, const BYTE* b, int offset, int size) {
  for (int i = 0; i < size; ++i) {
    const BYTE ca = a[offset + i], cb = b[offset + i];
    if (ca != cb) return ca < cb ? -1 : 1;
    if (ca == 0) return 0;
  }
  return 0;
}

int CompareType(const BYTE* a, const BYTE* b, int offset) {
  const signed char ta = (signed char)a[offset], tb = (signed char)b[offset];
  return ta == tb ? 0 : (ta < tb ? -1 : 1);
}

int CompareAscending(const TagFieldLayout& l, const BYTE* a, const BYTE* b, int column) {
  int result = 0;
  switch (column) {
    case kTagColumnName: return CompareText(a, b, l.nameOffset, l.nameSize);
    case kTagColumnDescription: return CompareText(a, b, l.descriptionOffset, l.descriptionSize);
    case kTagColumnUnit: result = CompareText(a, b, l.unitOffset, l.unitSize); break;
    case kTagColumnType: result = CompareType(a, b, l.typeOffset); break;
    default: return 0;
  }
  return result != 0 ? result : CompareText(a, b, l.nameOffset, l.nameSize);
}

}  // namespace

const TagFieldLayout kLocalTagLayout = {
    sizeof(LocalTagRecord),
    128,
    (int)offsetof(LocalTagRecord, type),
    QEL_FIELD(LocalTagRecord, name),
    QEL_FIELD(LocalTagRecord, description),
    QEL_FIELD(LocalTagRecord, unit),
    QEL_FIELD(LocalTagRecord, initialValue),
    (int)offsetof(LocalTagRecord, system),
    (int)offsetof(LocalTagRecord, rowMark),
};

const TagFieldLayout kServerTagLayout = {
    sizeof(QB_TAGATTR),
    8192,
    (int)offsetof(QB_TAGATTR, type),
    QEL_FIELD(QB_TAGATTR, name),
    QEL_FIELD(QB_TAGATTR, description),
    QEL_FIELD(QB_TAGATTR, unit),
    0,
    0,
    -1,
    kServerMarkOffset,
};

#undef QEL_FIELD

int CompareTagRecords(const TagFieldLayout& layout, const void* a, const void* b, int ascending, int column) {
  if (!a || !b) return 0;
  const int result =
      CompareAscending(layout, static_cast<const BYTE*>(a), static_cast<const BYTE*>(b), column);
  return ascending ? result : -result;
}

CString TagFieldText(const BYTE* record, int offset, int size) {
  if (!record || size <= 0) return CString();
  const char* field = reinterpret_cast<const char*>(record + offset);
  int length = 0;
  while (length < size && field[length]) ++length;
  return CString(field, length);
}
