// A stand-in for the script compiler in the compile runner's tests. It
// writes what it was started with to "standin-args.txt" in its working
// folder (the command line, then the working folder, one per line); when
// "standin-err.txt" is there it copies it to "cscerr.txt"; when
// "standin-hold.txt" is there it runs on until "standin-release.txt" appears
// (a compiler past any time the runner gives it; a minute at most, so a
// runner that never stops it still ends) and then writes "standin-late.txt".
// It never writes a code-byte file.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

const DWORD kHoldLimitMs = 60000;

bool Exists(const char* path) { return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES; }

bool ReadAll(const char* path, std::string* bytes) {
  FILE* f = std::fopen(path, "rb");
  if (!f) return false;
  char buf[1024];
  size_t got;
  while ((got = std::fread(buf, 1, sizeof buf, f)) > 0) bytes->append(buf, got);
  std::fclose(f);
  return true;
}

void WriteAll(const char* path, const std::string& bytes) {
  if (FILE* f = std::fopen(path, "wb")) {
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
  }
}

}  // namespace

int main() {
  char folder[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, folder);
  WriteAll("standin-args.txt", std::string(GetCommandLineA()) + "\n" + folder + "\n");
  std::string text;
  if (ReadAll("standin-err.txt", &text)) WriteAll("cscerr.txt", text);
  if (Exists("standin-hold.txt")) {
    const DWORD start = GetTickCount();
    while (!Exists("standin-release.txt") && GetTickCount() - start < kHoldLimitMs) Sleep(10);
    WriteAll("standin-late.txt", "late");
  }
  return 0;
}
