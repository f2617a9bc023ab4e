// Reader of the tag file text; the format is described at the top of demo-tags.txt.
#include <windows.h>

#include <cstdlib>
#include <sstream>

#include "crtformat.h"
#include "store.h"
#include "values.h"

namespace tagsim {
namespace {

std::string Trim(const std::string& s) {
  size_t b = s.find_first_not_of(" \t\r\n"), e = s.find_last_not_of(" \t\r\n");
  return b == std::string::npos ? std::string() : s.substr(b, e - b + 1);
}

std::vector<std::string> SplitColumns(const std::string& line) {
  std::vector<std::string> out;
  std::string::size_type pos = 0;
  for (;;) {
    std::string::size_type bar = line.find('|', pos);
    out.push_back(Trim(line.substr(pos, bar == std::string::npos ? bar : bar - pos)));
    if (bar == std::string::npos) return out;
    pos = bar + 1;
  }
}

bool ParseUnsigned(const std::string& s, unsigned long long max, unsigned long long* out) {
  if (s.empty() || s[0] == '-') return false;
  char* end = nullptr;
  *out = std::strtoull(s.c_str(), &end, 0);
  return end && *end == 0 && *out <= max;
}

bool ParseTagLine(const std::vector<std::string>& col, Store* store, std::string* error) {
  if (col.size() < 2 || col.size() > 6) {
    *error = "a tag line has 2 to 6 columns: name | type | generator | description | unit | history seconds";
    return false;
  }
  Tag tag;
  tag.name = col[0];
  if (tag.name.empty() || tag.name.size() > kNameMax) {
    *error = "a tag name has 1 to 79 characters";
    return false;
  }
  if (!TypeFromName(col[1], &tag.type)) {
    *error = "unknown type \"" + col[1] + "\"";
    return false;
  }
  bool text = IsVarType(tag.type);
  std::string recipe = col.size() > 2 && !col[2].empty() ? col[2] : std::string(text ? "const" : "const 0");
  if (!Generator::Parse(recipe, text, &tag.generator, error)) return false;
  if (col.size() > 3) tag.description = col[3];
  if (col.size() > 4) tag.unit = col[4];
  if (tag.description.size() > 79 || tag.unit.size() > 15) {
    *error = "description at most 79, unit at most 15 characters";
    return false;
  }
  if (col.size() > 5 && !col[5].empty()) {
    unsigned long long s;
    if (!ParseUnsigned(col[5], 86400 * 366, &s) || s == 0) {
      *error = "history seconds must be a number from 1 up";
      return false;
    }
    tag.historySeconds = int(s);
  }
  for (const std::string& t : tag.generator.texts)
    if (t.size() > kVarDataMax) {
      *error = "a text value has at most 3999 bytes";
      return false;
    }
  store->Put(std::move(tag));
  return true;
}

bool ParseAccountLine(const std::vector<std::string>& col, Store* store, std::string* error) {
  if (col.size() < 2 || col.size() > 3 || col[0].empty() || col[0].size() > 15) {
    *error = "an account line is: name (1 to 15 characters) | password | rights";
    return false;
  }
  unsigned long long rights = 0;
  if (col.size() == 3 && !col[2].empty() && !ParseUnsigned(col[2], 0xFFFFFFFFull, &rights)) {
    *error = "rights must be a 32-bit number";
    return false;
  }
  store->AddAccount(col[0], Md5(col[1]), uint32_t(rights));
  return true;
}

// Files in the repository are UTF-8 while the wire carries GBK: a text that is
// valid UTF-8 with non-ASCII characters is converted; anything else is taken as GBK.
std::string ToGbk(const std::string& text) {
  bool ascii = true;
  for (unsigned char c : text) ascii = ascii && c < 0x80;
  if (ascii || text.size() > 0x7FFFFFFF) return text;
  int wide = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), int(text.size()), nullptr, 0);
  if (wide <= 0) return text;
  std::wstring w(size_t(wide), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), int(text.size()), &w[0], wide);
  int n = WideCharToMultiByte(936, 0, w.data(), wide, nullptr, 0, nullptr, nullptr);
  if (n <= 0) return text;
  std::string out(size_t(n), '\0');
  WideCharToMultiByte(936, 0, w.data(), wide, &out[0], n, nullptr, nullptr);
  return out;
}

}  // namespace

bool LoadTagText(const std::string& raw, Store* store, std::string* error) {
  std::string text = raw;
  if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) text.erase(0, 3);
  std::istringstream in(text);
  std::string line;
  bool accounts = false;
  for (int number = 1; std::getline(in, line); ++number) {
    line = Trim(line);
    if (line.empty() || line[0] == '#') continue;
    std::string why;
    bool ok = true;
    if (line == "[tags]")
      accounts = false;
    else if (line == "[accounts]")
      accounts = true;
    else if (line[0] == '[') {
      ok = false;
      why = "unknown section " + line;
    } else {
      std::vector<std::string> col = SplitColumns(line);
      ok = accounts ? ParseAccountLine(col, store, &why) : ParseTagLine(col, store, &why);
    }
    if (!ok) {
      if (error) *error = qel::FormatStr("line %d: %s", number, why.c_str());
      return false;
    }
  }
  return true;
}

bool LoadTagFileText(const std::string& raw, Store* store, std::string* error) {
  std::string text = raw;
  if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) text.erase(0, 3);
  return LoadTagText(ToGbk(text), store, error);
}

}  // namespace tagsim
