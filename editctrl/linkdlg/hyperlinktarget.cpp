#include <cstring>

#include "linkdialogs.h"

bool HyperLinkTarget(const char* command, CString& target) {
  target.Empty();
  if (!command || !*command) return true;
  const char* feed = std::strchr(command, '\n');
  if (!feed || feed - command != 4 || std::strncmp(command, "link", 4) != 0) return false;
  target = feed + 1;
  return true;
}
