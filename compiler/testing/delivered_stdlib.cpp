#include "delivered_stdlib.h"

#include <cstdio>

#include "preprocessor.h"

namespace tarnic {

const std::string& DeliveredStdlib() {
  static const std::string text = [] {
    std::string bytes;
    // From a test or benchmark folder beside the program folder.
    if (FILE* f = std::fopen("..\\out\\sc\\stdlib.txt", "rb")) {
      char buf[4096];
      size_t got;
      while ((got = std::fread(buf, 1, sizeof buf, f)) > 0) bytes.append(buf, got);
      std::fclose(f);
    }
    return TextModeContents(bytes);
  }();
  return text;
}

CompileOutput Compile(const std::string& source, bool chinese) {
  return CompileText(source, DeliveredStdlib(), chinese);
}

}  // namespace tarnic
