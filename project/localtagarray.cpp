#include "localtagarray.h"

#include <cstring>

namespace {

// Byte by byte as unsigned bytes, up to the first difference or terminator,
// never past the field.
template <size_t N>
int CompareText(const char (&a)[N], const char (&b)[N]) {
  for (size_t i = 0; i < N; ++i) {
    const unsigned char ca = (unsigned char)a[i], cb = (unsigned char)b[i];
    if (ca != cb) return ca < cb ? -1 : 1;
    if (ca == 0) return 0;
  }
  return 0;
}

int CompareType(const LocalTagRecord& a, const LocalTagRecord& b) {
  const signed char ta = (signed char)a.type, tb = (signed char)b.type;
  return ta == tb ? 0 : (ta < tb ? -1 : 1);
}

int CompareAscending(const LocalTagRecord& a, const LocalTagRecord& b, int column) {
  int result = 0;
  switch (column) {
    case CLocalTagArray::kColumnName:
      return CompareText(a.name, b.name);
    case CLocalTagArray::kColumnDescription:
      return CompareText(a.description, b.description);
    case CLocalTagArray::kColumnUnit:
      result = CompareText(a.unit, b.unit);
      break;
    case CLocalTagArray::kColumnType:
      result = CompareType(a, b);
      break;
    default:
      return 0;
  }
  return result != 0 ? result : CompareText(a.name, b.name);
}

}  // namespace

int CLocalTagArray::CompareRecords(const void* a, const void* b, int ascending, int column) {
  if (!a || !b) return 0;
  const int result = CompareAscending(*static_cast<const LocalTagRecord*>(a),
                                      *static_cast<const LocalTagRecord*>(b), column);
  return ascending ? result : -result;
}

int CLocalTagArray::Find(const char* name) const {
  const size_t field = sizeof(LocalTagRecord::name);
  if (!name || std::strlen(name) >= field) return -1;
  for (int i = 0; i < GetCount(); ++i)
    if (std::strncmp(GetTag(i)->name, name, field) == 0) return i;
  return -1;
}
