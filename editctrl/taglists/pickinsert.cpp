#include "pickinsert.h"

#include <cstring>

namespace {

constexpr int kStringType = 6;
constexpr int kBlobType = 7;

}  // namespace

CString FunctionInsertText(const char* itemText) {
  if (!itemText) return CString();
  const char* blank = std::strchr(itemText, ' ');
  return CString(blank && blank != itemText ? blank + 1 : itemText);
}

CString TagReferenceText(TagSource source, int type, const char* name) {
  const bool variable = type == kStringType || type == kBlobType;
  const char* prefix =
      source == TagSource::kLocal ? (variable ? "LVV(" : "LV(") : (variable ? "TVV(" : "TV(");
  return CString(prefix) + (name ? name : "") + ")";
}
