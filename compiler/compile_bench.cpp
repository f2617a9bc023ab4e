// Compiles a generated 20,000-line script and prints the speed and the file
// size, then where the time goes: each stage of the compilation timed alone.
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "bench_source.h"
#include "benchclock.h"
#include "codegen.h"
#include "compile.h"
#include "context.h"
#include "crtformat.h"
#include "delivered_stdlib.h"
#include "parser.h"
#include "preprocessor.h"
#include "reporter.h"
#include "scanner.h"
#include "stdlib_reader.h"

namespace {

constexpr int kRuns = 7;
constexpr double kTargetLinesPerSecond = 250000;

// The median time of each stage over the runs, in milliseconds.
struct StageTimes {
  std::vector<double> preprocess, stdlib, scan, parse, check, generate, code_bytes, release;
};

int CountTokens(const std::string& text, tarnic::Reporter& reporter) {
  tarnic::Scanner scanner(text, reporter);
  int tokens = 0;
  while (scanner.yylex().code != tarnic::TK_END) ++tokens;
  return tokens;
}

// One compilation stage by stage, as CompilePreprocessed runs them.
void TimeStages(const std::string& source, const std::string& stdlib, StageTimes& times, int* tokens) {
  tarnic::Reporter reporter;
  std::string text;
  bench::Stopwatch watch;
  tarnic::PreprocessText(source, text, reporter);
  times.preprocess.push_back(watch.ElapsedMs());

  watch.Restart();
  *tokens = CountTokens(text, reporter);
  times.scan.push_back(watch.ElapsedMs());

  auto context = std::make_unique<tarnic::CCompilerContext>(reporter);
  watch.Restart();
  tarnic::LoadSystemFunctions(stdlib, *context);
  times.stdlib.push_back(watch.ElapsedMs());
  reporter.ResetErrors();

  watch.Restart();
  tarnic::ParseScript(text, *context);
  times.parse.push_back(watch.ElapsedMs());

  watch.Restart();
  context->CheckProgram();
  times.check.push_back(watch.ElapsedMs());

  auto generator = std::make_unique<tarnic::CCodeGenerator>(*context);
  watch.Restart();
  generator->Generate();
  times.generate.push_back(watch.ElapsedMs());

  watch.Restart();
  std::vector<uint8_t> bytes = generator->CodeBytes();
  times.code_bytes.push_back(watch.ElapsedMs());

  watch.Restart();
  generator.reset();
  context.reset();
  times.release.push_back(watch.ElapsedMs());
}

void PrintStage(const char* name, const std::vector<double>& runs, double whole_ms) {
  double ms = bench::Median(runs);
  std::string line = qel::FormatStr("  %-28s %8.3f ms  %5.1f%%\n", name, ms, 100.0 * ms / whole_ms);
  std::fputs(line.c_str(), stdout);
}

}  // namespace

int main() {
  int lines = 0;
  std::string source = tarnic::BenchmarkSource(20000, &lines);
  const std::string& stdlib = tarnic::DeliveredStdlib();

  tarnic::CompileOutput out;
  std::vector<double> whole;
  for (int i = 0; i < kRuns; ++i) {
    const bench::Stopwatch watch;
    out = tarnic::CompileText(source, stdlib);
    whole.push_back(watch.ElapsedMs());
  }
  double whole_ms = bench::Median(whole);
  double lines_per_second = lines / (whole_ms / 1000.0);
  std::string report = qel::FormatStr(
      "compile_bench: %d lines, status %d, %d instructions, code-byte file %d bytes\n"
      "compile_bench: %.3f ms per compile (median of %d), %.0f lines per second (target %.0f)\n",
      lines, out.status, static_cast<int>(out.instructions.size()), static_cast<int>(out.code.size()),
      whole_ms, kRuns, lines_per_second, kTargetLinesPerSecond);
  std::fputs(report.c_str(), stdout);
  if (!out.err_text.empty()) std::fputs(out.err_text.substr(0, 400).c_str(), stdout);

  StageTimes times;
  int tokens = 0;
  for (int i = 0; i < kRuns; ++i) TimeStages(source, stdlib, times, &tokens);
  std::fputs("compile_bench: the stages alone (median), share of one whole compile\n", stdout);
  PrintStage("preprocess (#define pass)", times.preprocess, whole_ms);
  PrintStage("system-function list", times.stdlib, whole_ms);
  PrintStage("parse (scanning included)", times.parse, whole_ms);
  std::string scan = qel::FormatStr("  of it scanning %d tokens", tokens);
  PrintStage(scan.c_str(), times.scan, whole_ms);
  PrintStage("checks", times.check, whole_ms);
  PrintStage("code generation", times.generate, whole_ms);
  PrintStage("code-byte image", times.code_bytes, whole_ms);
  PrintStage("freeing the tree and tables", times.release, whole_ms);
  return out.status;
}
