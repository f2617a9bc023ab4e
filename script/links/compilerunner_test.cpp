// The compile runner with the real compiler (copied into a folder whose name
// holds blanks) and with a stand-in that reports how it was started, sleeps
// or writes a given message file.
#include <gtest/gtest.h>

#include <windows.h>

#include <tlhelp32.h>

#include <string>

#include "binobj.h"
#include "compilerunner.h"
#include "moduledir.h"
#include "script.h"

namespace {

// Each test has folders of its own (ctest runs tests side by side, and
// compilations in one folder share their temporary files).
const char kWork[] = "runner work";

std::string TestFolder() {
  std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
  for (char& c : name)
    if (c == '/') c = '_';
  return std::string(kWork) + "\\" + name;
}

std::string ReadFileBytes(const std::string& path) {
  std::string bytes;
  HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return "<missing>";
  char buf[4096];
  DWORD got = 0;
  while (ReadFile(h, buf, sizeof buf, &got, nullptr) && got > 0) bytes.append(buf, got);
  CloseHandle(h);
  return bytes;
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
  HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE) << path;
  DWORD written = 0;
  WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(h);
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// What a test waits at most for something that must happen.
const DWORD kGenerousMs = 30000;

std::string Lower(std::string text) {
  CharLowerBuffA(&text[0], static_cast<DWORD>(text.size()));
  return text;
}

// Whether a process started from this program file runs (its first module
// is the program).
bool ProgramRuns(const std::string& program) {
  HANDLE processes = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (processes == INVALID_HANDLE_VALUE) return true;  // cannot tell: not gone
  bool runs = false;
  PROCESSENTRY32 process = {};
  process.dwSize = sizeof process;
  for (BOOL more = Process32First(processes, &process); more && !runs;
       more = Process32Next(processes, &process)) {
    HANDLE modules = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, process.th32ProcessID);
    if (modules == INVALID_HANDLE_VALUE) continue;
    MODULEENTRY32 module = {};
    module.dwSize = sizeof module;
    runs = Module32First(modules, &module) && Lower(module.szExePath) == Lower(program);
    CloseHandle(modules);
  }
  CloseHandle(processes);
  return runs;
}

bool WaitUntilGone(const std::string& program) {
  const DWORD start = GetTickCount();
  while (ProgramRuns(program)) {
    if (GetTickCount() - start > kGenerousMs) return false;
    Sleep(10);
  }
  return true;
}

std::string FullPath(const std::string& relative) {
  char full[MAX_PATH] = {};
  GetFullPathNameA(relative.c_str(), MAX_PATH, full, nullptr);
  return full;
}

// A fresh folder holding a copy of a program as "Tarnic.exe" (with its
// system-function list for the real compiler).
void MakeCompilerFolder(const std::string& folder, const char* program, bool with_stdlib) {
  CreateDirectoryA(folder.c_str(), nullptr);
  for (const char* name : {"csstmp.sc", "csstmp.so", "cscerr.txt", "cscout.txt", "standin-args.txt",
                           "standin-err.txt", "standin-hold.txt", "standin-release.txt", "standin-late.txt"})
    DeleteFileA((folder + "\\" + name).c_str());
  ASSERT_TRUE(CopyFileA(program, (folder + "\\Tarnic.exe").c_str(), FALSE)) << program;
  if (with_stdlib) {
    ASSERT_TRUE(CopyFileA("..\\out\\sc\\stdlib.txt", (folder + "\\stdlib.txt").c_str(), FALSE));
  }
}

class RunnerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    CreateDirectoryA(kWork, nullptr);
    CreateDirectoryA(TestFolder().c_str(), nullptr);
    compiler_dir_ = TestFolder() + "\\sc dir";
    standin_dir_ = TestFolder() + "\\stand in";
    MakeCompilerFolder(compiler_dir_, "..\\out\\sc\\Tarnic.exe", true);
    MakeCompilerFolder(standin_dir_, "tarnic_standin.exe", false);
  }

  std::string Compiler() const { return FullPath(compiler_dir_ + "\\Tarnic.exe"); }
  std::string Standin() const { return FullPath(standin_dir_ + "\\Tarnic.exe"); }
  std::string InCompiler(const char* name) const { return compiler_dir_ + "\\" + name; }
  std::string InStandin(const char* name) const { return standin_dir_ + "\\" + name; }

  // A valid code-byte file of some other script, as an earlier run leaves it.
  std::string OtherScriptsCode() const {
    CScriptCompiler other("int other; int main() { other = 5; return 0; }", Compiler().c_str());
    CBinObj code;
    EXPECT_EQ(other.Compile(code), 1) << other.m_strError.GetString();
    return std::string(reinterpret_cast<const char*>(code.GetData()), code.GetSize());
  }

  std::string compiler_dir_;
  std::string standin_dir_;
};

// ---- names -------------------------------------------------------------------

struct FolderCase {
  const char* path;
  const char* folder;
  const char* source_file;
};

class RunnerFolder : public ::testing::TestWithParam<FolderCase> {};

TEST_P(RunnerFolder, IsThePathUpToItsLastSeparator) {
  CScriptCompiler c("x", GetParam().path);
  EXPECT_STREQ(c.m_strFolder.GetString(), GetParam().folder);
  EXPECT_STREQ(c.FolderFile("csstmp.sc").GetString(), GetParam().source_file);
  EXPECT_TRUE(c.m_strSpare.IsEmpty());
  EXPECT_STREQ(c.m_strSource.GetString(), "x");
}

INSTANTIATE_TEST_SUITE_P(
    Paths, RunnerFolder,
    ::testing::Values(FolderCase{"C:\\QEL\\sc\\Tarnic.exe", "C:\\QEL\\sc", "C:\\QEL\\sc\\csstmp.sc"},
                      FolderCase{"sc/Tarnic.exe", "sc", "sc\\csstmp.sc"},
                      FolderCase{"a\\b/c\\Tarnic.exe", "a\\b/c", "a\\b/c\\csstmp.sc"},
                      // No folder: the working folder.
                      FolderCase{"Tarnic.exe", "", "csstmp.sc"}, FolderCase{"\\Tarnic.exe", "", "csstmp.sc"},
                      FolderCase{"", "", "csstmp.sc"}));

TEST(RunnerCommandLine, QuotesAPathWithBlanks) {
  EXPECT_STREQ(CScriptCompiler("x", "C:\\QEL\\sc\\Tarnic.exe").CommandLine().GetString(),
               "C:\\QEL\\sc\\Tarnic.exe  /ch csstmp.sc");
  EXPECT_STREQ(CScriptCompiler("x", "C:\\Program Files\\QEL\\sc\\Tarnic.exe").CommandLine().GetString(),
               "\"C:\\Program Files\\QEL\\sc\\Tarnic.exe\"  /ch csstmp.sc");
  EXPECT_STREQ(CScriptCompiler("x", "\"C:\\a b\\Tarnic.exe\"").CommandLine().GetString(),
               "\"C:\\a b\\Tarnic.exe\"  /ch csstmp.sc");
}

// ---- the real compiler --------------------------------------------------------

TEST_F(RunnerTest, AGoodScriptGivesItsCodeBytes) {
  const char source[] = "int n; int main() { n++; return 0; }";
  CScriptCompiler c(source, Compiler().c_str());
  CBinObj code;
  code.SetData(reinterpret_cast<const BYTE*>("old"), 3);
  ASSERT_EQ(c.Compile(code), 1) << c.m_strError.GetString();
  EXPECT_TRUE(c.m_strError.IsEmpty());
  ASSERT_GT(code.GetSize(), 64);
  EXPECT_EQ(code.GetData()[0], 0x5A);
  EXPECT_EQ(code.GetData()[1], 0xA5);
  EXPECT_EQ(ReadFileBytes(InCompiler("csstmp.sc")), source);
  EXPECT_EQ(ReadFileBytes(InCompiler("csstmp.so")),
            std::string(reinterpret_cast<const char*>(code.GetData()), code.GetSize()));
}

TEST_F(RunnerTest, ErrorLinesAreCountedAndIndentedUnderTheHeader) {
  CScript script;
  script.m_strSource = "int main() {\r\n  x = 1;\r\n  y = 2;\r\n  return 0;\r\n}\r\n";
  script.m_code.SetData(reinterpret_cast<const BYTE*>("old"), 3);
  CString out("before:");
  const int lines = script.Compile(Compiler().c_str(), out);
  const std::string errors = ReadFileBytes(InCompiler("cscerr.txt"));
  // Chinese messages ("/ch"), one line each, as the compiler writes them.
  EXPECT_EQ(errors,
            "错误 C2018 (2): “x”是一个未定义的标识符\r\n"
            "错误 C2018 (3): “y”是一个未定义的标识符\r\n");
  EXPECT_TRUE(script.m_code.IsEmpty());
  EXPECT_FALSE(Exists(InCompiler("csstmp.so")));
  // One count per line; the last line break is dropped, the other becomes a
  // line feed and two tabs under the header.
  EXPECT_EQ(lines, 2);
  EXPECT_EQ(std::string(out.GetString()),
            "before:错误 C2018 (2): “x”是一个未定义的标识符\n\t\t"
            "错误 C2018 (3): “y”是一个未定义的标识符");
}

TEST_F(RunnerTest, WarningsAloneGiveNoCodeAndCountAsLines) {
  CScript script;
  script.m_strSource = "int main() { }";
  CString out;
  EXPECT_GE(script.Compile(Compiler().c_str(), out), 1);
  EXPECT_TRUE(script.m_code.IsEmpty());
  EXPECT_FALSE(out.IsEmpty());
}

TEST_F(RunnerTest, AnOldCodeFileIsNeverTakenForThisScripts) {
  // The source ends at its first byte (an end-of-file mark), so it
  // preprocesses to nothing: the compiler stops before it deletes an old
  // code file, and leaves its message file empty.
  WriteFileBytes(InCompiler("csstmp.so"), OtherScriptsCode());
  WriteFileBytes(InCompiler("cscerr.txt"), "");
  CScript script;
  script.m_strSource =
      "\x1A"
      "int main() { return 0; }";
  CString out;
  EXPECT_EQ(script.Compile(Compiler().c_str(), out), 1);
  EXPECT_TRUE(script.m_code.IsEmpty());
  EXPECT_FALSE(Exists(InCompiler("csstmp.so")));
  EXPECT_NE(std::string(out.GetString()).find("没有生成代码"), std::string::npos) << out.GetString();
}

TEST_F(RunnerTest, AnEmptySourceRunsNothing) {
  WriteFileBytes(InCompiler("csstmp.sc"), "kept");
  CScriptCompiler c("", Compiler().c_str());
  CBinObj code;
  code.SetData(reinterpret_cast<const BYTE*>("old"), 3);
  EXPECT_EQ(c.Compile(code), 0);
  EXPECT_TRUE(code.IsEmpty());
  EXPECT_TRUE(c.m_strError.IsEmpty());
  EXPECT_EQ(ReadFileBytes(InCompiler("csstmp.sc")), "kept");
}

TEST_F(RunnerTest, WithoutAFolderTheWorkingFolderIsUsed) {
  char before[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, before);
  ASSERT_TRUE(SetCurrentDirectoryA(compiler_dir_.c_str()));
  DeleteFileA("csstmp.sc");
  CScriptCompiler c("int main() { return 0; }", "Tarnic.exe");
  CBinObj code;
  const int rc = c.Compile(code);
  const bool wrote_here = Exists("csstmp.sc") && Exists("csstmp.so");
  SetCurrentDirectoryA(before);
  EXPECT_EQ(rc, 1) << c.m_strError.GetString();
  EXPECT_FALSE(code.IsEmpty());
  EXPECT_TRUE(wrote_here);
}

// ---- failures and the stand-in -----------------------------------------------

TEST_F(RunnerTest, StartsTheCompilerQuotedInItsFolder) {
  CScriptCompiler c("int main() { return 0; }", Standin().c_str());
  CBinObj code;
  EXPECT_EQ(c.Compile(code), 0);
  const std::string args = ReadFileBytes(InStandin("standin-args.txt"));
  EXPECT_EQ(args, "\"" + Standin() + "\"  /ch csstmp.sc\n" + FullPath(standin_dir_) + "\n");
  EXPECT_EQ(ReadFileBytes(InStandin("csstmp.sc")), "int main() { return 0; }");
}

TEST_F(RunnerTest, ACompilerThatLeavesNothingIsOneError) {
  WriteFileBytes(InStandin("csstmp.so"), OtherScriptsCode());
  WriteFileBytes(InStandin("cscerr.txt"), "");
  CScript script;
  script.m_strSource = "int main() { return 0; }";
  CString out;
  EXPECT_EQ(script.Compile(Standin().c_str(), out), 1);
  EXPECT_TRUE(script.m_code.IsEmpty());
  EXPECT_FALSE(Exists(InStandin("csstmp.so")));
  EXPECT_FALSE(Exists(InStandin("cscerr.txt")));
}

TEST_F(RunnerTest, TheMessageFileIsReadWholeAndConvertedLineByLine) {
  // Longer than one 1,024-byte piece.
  std::string line(700, 'e');
  WriteFileBytes(InStandin("standin-err.txt"), "first\r\n" + line + "\r\nlast\r\n");
  CScript script;
  script.m_strSource = "int main() { return 0; }";
  CString out;
  EXPECT_EQ(script.Compile(Standin().c_str(), out), 3);
  EXPECT_EQ(std::string(out.GetString()), "first\n\t\t" + line + "\n\t\tlast");
}

TEST_F(RunnerTest, AMessageWithoutALineBreakIsOneLine) {
  WriteFileBytes(InStandin("standin-err.txt"), "no line break");
  CScript script;
  script.m_strSource = "int main() { return 0; }";
  CString out;
  EXPECT_EQ(script.Compile(Standin().c_str(), out), 1);
  EXPECT_STREQ(out.GetString(), "no line break");
}

TEST_F(RunnerTest, AMissingCompilerIsOneError) {
  CScript script;
  script.m_strSource = "int main() { return 0; }";
  CString out;
  EXPECT_EQ(script.Compile(FullPath(TestFolder() + "\\Nothing.exe").c_str(), out), 1);
  EXPECT_TRUE(script.m_code.IsEmpty());
  EXPECT_NE(std::string(out.GetString()).find("无法启动"), std::string::npos) << out.GetString();
}

TEST_F(RunnerTest, AnUnwritableSourceIsOneError) {
  CScript script;
  script.m_strSource = "int main() { return 0; }";
  CString out;
  EXPECT_EQ(script.Compile(FullPath(TestFolder() + "\\no such folder\\Tarnic.exe").c_str(), out), 1);
  EXPECT_NE(std::string(out.GetString()).find("无法写入"), std::string::npos) << out.GetString();
}

// The stand-in runs until it is released, so it is past the runner's time
// however loaded the machine is; a runner that waited for it to end would
// wait out the stand-in's minute and find the late file.
TEST_F(RunnerTest, ACompilerPastItsTimeIsStoppedAndIsOneError) {
  WriteFileBytes(InStandin("standin-hold.txt"), "");
  CScriptCompiler c("int main() { return 0; }", Standin().c_str());
  c.SetTimeout(200);
  CBinObj code;
  EXPECT_EQ(c.Compile(code), 0);
  EXPECT_TRUE(code.IsEmpty());
  const std::string error = c.m_strError.GetString();
  EXPECT_NE(error.find("十秒"), std::string::npos) << error;
  EXPECT_EQ(error.substr(error.size() - 2), "\r\n");
  EXPECT_EQ(error.find('\r'), error.size() - 2);  // one line
  // Stopped, not left running: released now, a stand-in left running would
  // write its late file and end.
  WriteFileBytes(InStandin("standin-release.txt"), "");
  EXPECT_TRUE(WaitUntilGone(Standin())) << "the stand-in still runs";
  EXPECT_FALSE(Exists(InStandin("standin-late.txt")));
}

// ---- code-byte files ----------------------------------------------------------

TEST_F(RunnerTest, LoadFromFileTakesOnlyFilesOfAllowedLength) {
  const std::string path = TestFolder() + "\\blob.bin";
  CBinObj blob;
  WriteFileBytes(path, "abc");
  EXPECT_EQ(blob.LoadFromFile(path.c_str()), 1);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(blob.GetData()), blob.GetSize()), "abc");
  WriteFileBytes(path, "");
  EXPECT_EQ(blob.LoadFromFile(path.c_str()), 0);
  EXPECT_TRUE(blob.IsEmpty());
  WriteFileBytes(path, std::string(CBinObj::kMaxSize - 1, 'x'));
  EXPECT_EQ(blob.LoadFromFile(path.c_str()), 1);
  EXPECT_EQ(blob.GetSize(), CBinObj::kMaxSize - 1);
  WriteFileBytes(path, std::string(CBinObj::kMaxSize, 'x'));
  EXPECT_EQ(blob.LoadFromFile(path.c_str()), 0);
  EXPECT_TRUE(blob.IsEmpty());
  blob.SetData(reinterpret_cast<const BYTE*>("abc"), 3);
  EXPECT_EQ(blob.LoadFromFile((TestFolder() + "\\missing.bin").c_str()), 0);
  EXPECT_TRUE(blob.IsEmpty());
  DeleteFileA(path.c_str());
}

TEST(ModuleDir, IsTheFolderOfThisProgramWithABackslash) {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string program(path);
  EXPECT_STREQ(GetModuleDir().GetString(), program.substr(0, program.find_last_of('\\') + 1).c_str());
}

}  // namespace
