#include "driver.h"

#include <cstdio>
#include <new>

#include "compile.h"
#include "crtformat.h"
#include "messages.h"
#include "preprocessor.h"
#include "reporter.h"

namespace tarnic {
namespace {

std::string Upper(const std::string& s) {
  std::string out = s;
  for (char& c : out)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return out;
}

bool ReadFile(const std::string& path, std::string& bytes) {
  FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return false;
  char buf[4096];
  size_t got;
  while ((got = std::fread(buf, 1, sizeof buf, f)) > 0) bytes.append(buf, got);
  std::fclose(f);
  return true;
}

// Output texts carry their "\r\n" themselves, so the files are written binary.
void WriteText(const char* path, const std::string& text) {
  if (FILE* f = std::fopen(path, "wb")) {
    std::fwrite(text.data(), 1, text.size(), f);
    std::fclose(f);
  }
}

const char kOutFile[] = "cscout.txt";
const char kErrFile[] = "cscerr.txt";

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& args, Reporter& reporter) {
  CommandLine cl;
  for (const std::string& arg : args) {
    std::string upper = Upper(arg);
    if (upper == "/?") {
      cl.compile = false;
    } else if (upper == "/CH") {
      cl.chinese = true;
      reporter.set_chinese(true);
    } else if (!arg.empty() && arg[0] == '/') {
      reporter.out_text() +=
          qel::FormatStr(DriverText(DRV_BAD_COMMAND_LINE, reporter.chinese()), upper.c_str());
      cl.compile = false;
    } else {
      cl.source = arg;
      cl.has_source = true;
    }
  }
  if (!cl.has_source) cl.compile = false;
  return cl;
}

std::string SourceFileName(const std::string& name) {
  return name.find('.') == std::string::npos ? name + ".sc" : name;
}

std::string OutputFileName(const std::string& source) {
  size_t base = source.find_last_of("\\/:");
  base = base == std::string::npos ? 0 : base + 1;
  size_t dot = source.rfind('.');
  if (dot == std::string::npos || dot < base) dot = source.size();
  return source.substr(0, dot) + ".so";
}

int RunTarnic(const std::vector<std::string>& args, const std::string& program_dir) {
  Reporter reporter;
  WriteText(kOutFile, std::string());
  WriteText(kErrFile, std::string());
  int status = 1;
  try {
    CommandLine cl = ParseCommandLine(args, reporter);
    if (cl.compile) {
      std::string source = SourceFileName(cl.source);
      std::string output = OutputFileName(source);
      std::string text;
      if (ReportPreprocessStatus(PreprocessSource(source, text, reporter), source, reporter)) {
        std::string stdlib;
        std::string stdlib_bytes;
        if (ReadFile(program_dir + "stdlib.txt", stdlib_bytes)) stdlib = TextModeContents(stdlib_bytes);
        std::remove(output.c_str());
        CompileOutput out;
        status = CompilePreprocessed(text, stdlib, reporter, out, output);
        if (reporter.errors() != 0) {
          std::remove(output.c_str());
        } else if (out.generated) {
          reporter.out_text() += qel::FormatStr(DriverText(DRV_CODE_FILE_INFO, reporter.chinese()),
                                                static_cast<int>(out.instructions.size()), out.file_size);
        }
      }
    }
  } catch (const std::bad_alloc&) {
    reporter.Report(MSG_OUT_OF_MEMORY);
    status = reporter.errors();
  }
  WriteText(kOutFile, reporter.out_text());
  WriteText(kErrFile, reporter.error_text());
  return status;
}

}  // namespace tarnic
