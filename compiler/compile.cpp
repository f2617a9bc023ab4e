#include "compile.h"

#include <new>

#include "codegen.h"
#include "context.h"
#include "crtformat.h"
#include "messages.h"
#include "parser.h"
#include "preprocessor.h"
#include "reporter.h"
#include "stdlib_reader.h"

namespace tarnic {

int CompilePreprocessed(const std::string& text, const std::string& stdlib_text, Reporter& reporter,
                        CompileOutput& out, const std::string& output_path) {
  CCompilerContext context(reporter);
  LoadSystemFunctions(stdlib_text, context);
  reporter.ResetErrors();  // what the list reports does not stop the compilation
  if (!ParseScript(text, context)) return 1;
  context.CheckProgram();
  if (reporter.errors() != 0) return reporter.errors();
  CCodeGenerator generator(context);
  generator.Generate();
  if (reporter.errors() != 0) return reporter.errors();
  out.generated = true;
  out.code = generator.CodeBytes();
  out.file_size = static_cast<int>(out.code.size());
  out.instructions = generator.ReleaseInstructions();
  out.header = generator.header();
  if (!output_path.empty() && generator.WriteCodeByteFile(output_path, out.code) != 0)
    return reporter.errors();
  return 0;
}

bool ReportPreprocessStatus(int status, const std::string& source_name, Reporter& reporter) {
  const char* text = nullptr;
  switch (status) {
    case PP_OK: return true;
    case PP_EMPTY_NAME: text = DriverText(DRV_SOURCE_NOT_FOUND, reporter.chinese()); break;
    case PP_CANNOT_OPEN: text = MessageText(MSG_OPEN_SOURCE, reporter.chinese()); break;
    case PP_EMPTY_RESULT: text = MessageText(MSG_EMPTY_SOURCE, reporter.chinese()); break;
    case PP_NO_MEMORY: text = MessageText(MSG_OUT_OF_MEMORY, reporter.chinese()); break;
    default: return false;  // a "#define" error has been reported already
  }
  reporter.out_text() += qel::FormatStr(text, source_name.c_str());
  return false;
}

CompileOutput CompileText(const std::string& source, const std::string& stdlib_text, bool chinese,
                          const std::string& source_name) {
  CompileOutput out;
  Reporter reporter(chinese);
  try {
    std::string text;
    int status = PreprocessText(source, text, reporter);
    if (!ReportPreprocessStatus(status, source_name, reporter)) {
      out.status = 1;
    } else {
      out.status = CompilePreprocessed(text, stdlib_text, reporter, out);
    }
  } catch (const std::bad_alloc&) {
    reporter.Report(MSG_OUT_OF_MEMORY);
    out.status = reporter.errors();
    out.generated = false;
  }
  if (out.generated) {
    reporter.out_text() +=
        qel::FormatStr(DriverText(DRV_CODE_FILE_INFO, chinese), static_cast<int>(out.instructions.size()),
                       static_cast<int>(out.code.size()));
  }
  out.out_text = reporter.out_text();
  out.err_text = reporter.error_text();
  return out;
}

}  // namespace tarnic
