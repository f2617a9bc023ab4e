#include "itemnames.h"

#include <cstring>
#include <string>

#include "crtformat.h"
#include "editortexts.h"
#include "msgbox.h"
#include "qstring.h"

namespace {

const char kForbidden[] = "\\/:*?\"<>|";
const char* const kDevices[] = {"CON", "PRN", "AUX", "NUL"};
const char* const kNumberedDevices[] = {"COM", "LPT"};

// The part before the first dot, in capitals.
std::string Stem(const char* name) {
  std::string stem(name, std::strcspn(name, "."));
  for (char& c : stem)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return stem;
}

}  // namespace

bool IsDeviceName(const char* name) {
  std::string stem = Stem(name);
  // A trailing blank does not make another name: "CON " is still CON.
  while (!stem.empty() && stem.back() == ' ') stem.pop_back();
  for (const char* device : kDevices)
    if (stem == device) return true;
  for (const char* device : kNumberedDevices)
    if (stem.size() == 4 && stem.compare(0, 3, device) == 0 && stem[3] >= '1' && stem[3] <= '9') return true;
  return false;
}

CString DeviceNameInPath(const char* path) {
  if (!path) return CString();
  std::string part;
  for (const char* p = path;; ++p) {
    const unsigned char c = static_cast<unsigned char>(*p);
    if (c && IsGbkLeadByte(c) && p[1]) {  // a trail byte of 0x5C is no separator
      part += *p++;
      part += *p;
      continue;
    }
    if (c && c != '\\' && c != '/') {
      part += *p;
      continue;
    }
    if (IsDeviceName(part.c_str())) return CString(part.c_str());
    if (!c) return CString();
    part.clear();
  }
}

bool IsUsableItemName(const char* name) {
  if (!name || !*name) return false;
  size_t length = std::strlen(name);
  if (std::strstr(name, "..") || name[length - 1] == '.' || name[length - 1] == ' ') return false;
  for (size_t i = 0; i < length; ++i) {
    unsigned char c = static_cast<unsigned char>(name[i]);
    if (IsGbkLeadByte(c) && i + 1 < length) {
      ++i;  // the trail byte may be 0x5C or 0x7C without being '\' or '|'
      continue;
    }
    if (c < 0x20 || std::strchr(kForbidden, c)) return false;
  }
  return !IsDeviceName(name);
}

bool AcceptItemName(HWND owner, CString& name, const char* emptyText, const char* emptyTitle) {
  name.Trim();
  if (name.IsEmpty()) {
    QelMessageBox(owner, emptyText, emptyTitle, MB_OK | MB_ICONSTOP);
    return false;
  }
  if (!IsUsableItemName(name)) {
    QelMessageBox(owner, qel::FormatStr(kTextBadName, name.GetString()).c_str(), kTitleError,
                  MB_OK | MB_ICONSTOP);
    return false;
  }
  return true;
}
