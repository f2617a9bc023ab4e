// tagsim: the simulated tag server as a console program.
//
//   tagsim [--listen ADDRESS[:PORT]] [--tags FILE] [--verbose] [--forever]
//
// Defaults: 127.0.0.1:11084 and demo-tags.txt beside the program. Runs until
// stdin ends or reads a line "quit", or until it is killed; with --forever stdin
// is not read (for a start in the background, where stdin is often empty).
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "tagsim.h"

namespace {

const char kUsage[] = "usage: tagsim [--listen ADDRESS[:PORT]] [--tags FILE] [--verbose] [--forever]\n";

std::string ProgramFolder() {
  char path[MAX_PATH];
  DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string s(path, n);
  size_t slash = s.find_last_of("\\/");
  return slash == std::string::npos ? std::string() : s.substr(0, slash + 1);
}

struct Options {
  std::string address = "127.0.0.1";
  unsigned port = 11084;
  std::string tags;
  bool verbose = false;
  bool forever = false;
};

bool ParseListen(const std::string& text, Options* o) {
  size_t colon = text.find(':');
  o->address = text.substr(0, colon);
  if (colon == std::string::npos) return !o->address.empty();
  char* end = nullptr;
  unsigned long port = std::strtoul(text.c_str() + colon + 1, &end, 10);
  if (!end || *end || port > 65535 || colon + 1 == text.size()) return false;
  o->port = unsigned(port);
  return !o->address.empty();
}

bool ParseArgs(int argc, char** argv, Options* o) {
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    bool hasValue = i + 1 < argc;
    if ((a == "--listen" || a == "-l") && hasValue) {
      if (!ParseListen(argv[++i], o)) return false;
    } else if ((a == "--tags" || a == "-t") && hasValue) {
      o->tags = argv[++i];
    } else if (a == "--verbose" || a == "-v") {
      o->verbose = true;
    } else if (a == "--forever") {
      o->forever = true;
    } else {
      return false;
    }
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (!ParseArgs(argc, argv, &options)) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  if (options.tags.empty()) options.tags = ProgramFolder() + "demo-tags.txt";

  tagsim::Server server;
  std::string error;
  if (!server.LoadTagsFromFile(options.tags, &error)) {
    std::fprintf(stderr, "tagsim: %s\n", error.c_str());
    return 1;
  }
  server.SetVerbose(options.verbose);
  if (!server.Start(options.address, uint16_t(options.port), &error)) {
    std::fprintf(stderr, "tagsim: %s\n", error.c_str());
    return 1;
  }
  std::printf("tagsim: %u tags, listening on %s:%u\n", unsigned(server.TagCount()), options.address.c_str(),
              unsigned(server.Port()));
  std::fflush(stdout);

  if (options.forever)
    for (;;) Sleep(INFINITE);
  char line[256];
  while (std::fgets(line, sizeof line, stdin)) {
    if (std::strncmp(line, "quit", 4) == 0) break;
  }
  server.Stop();
  return 0;
}
