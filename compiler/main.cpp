// Tarnic: compiles one script source into one code-byte file.
#include <windows.h>

#include <string>
#include <vector>

#include "driver.h"

namespace {

// The folder of the running program, with a trailing "\".
std::string ProgramFolder() {
  char path[MAX_PATH] = {};
  DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path, n < MAX_PATH ? n : 0);
  size_t slash = folder.find_last_of("\\/");
  return slash == std::string::npos ? std::string() : folder.substr(0, slash + 1);
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  return tarnic::RunTarnic(args, ProgramFolder());
}
