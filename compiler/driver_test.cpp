// The command line and whole runs of Tarnic.exe from another working folder.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <string>

#include "compile.h"
#include "driver.h"
#include "preprocessor.h"
#include "reporter.h"
#include "test_support.h"

namespace tarnic {
namespace {

TEST(CommandLine, Options) {
  struct Case {
    std::vector<std::string> args;
    bool compile;
    bool chinese;
    const char* source;
    const char* out;
  };
  const Case cases[] = {
      {{"/ch", "csstmp.sc"}, true, true, "csstmp.sc", ""},
      {{"/CH", "x"}, true, true, "x", ""},
      {{"/cH", "a", "b"}, true, true, "b", ""},
      {{"x"}, true, false, "x", ""},
      {{}, false, false, "", ""},
      {{"/?", "x"}, false, false, "x", ""},
      {{"/ch"}, false, true, "", ""},
      {{"/x", "file"}, false, false, "file", "Invalid command line format - \"/X\"\r\n\r\n"},
  };
  for (const Case& c : cases) {
    Reporter reporter;
    CommandLine cl = ParseCommandLine(c.args, reporter);
    EXPECT_EQ(cl.compile, c.compile);
    EXPECT_EQ(cl.chinese, c.chinese);
    EXPECT_EQ(cl.source, c.source);
    EXPECT_EQ(reporter.out_text(), c.out);
  }
  Reporter chinese;
  ParseCommandLine({"/ch", "/bad"}, chinese);
  EXPECT_EQ(chinese.out_text(), "命令行参数格式不正确 - \"/BAD\"\r\n\r\n");
}

TEST(CommandLine, FileNames) {
  EXPECT_EQ(SourceFileName("x"), "x.sc");
  EXPECT_EQ(SourceFileName("a.b.c"), "a.b.c");
  EXPECT_EQ(OutputFileName("a.b.c"), "a.b.so");
  EXPECT_EQ(OutputFileName("csstmp.sc"), "csstmp.so");
  EXPECT_EQ(OutputFileName("dir.x\\file"), "dir.x\\file.so");
  EXPECT_EQ(OutputFileName("C:\\w\\s.txt"), "C:\\w\\s.so");
}

TEST(CommandLine, PreprocessingStatusMessages) {
  struct Case {
    int status;
    bool chinese;
    const char* out;
  };
  const Case cases[] = {
      {PP_EMPTY_NAME, false, "Source file not found: s.sc"},
      {PP_CANNOT_OPEN, true, "打开脚本源文件失败：s.sc"},
      {PP_EMPTY_RESULT, false, "Open a null source file: s.sc"},
      {PP_NO_MEMORY, false, "Out of memory"},
      {PP_DEFINE_ERROR, false, ""},
  };
  for (const Case& c : cases) {
    Reporter reporter(c.chinese);
    EXPECT_FALSE(ReportPreprocessStatus(c.status, "s.sc", reporter));
    EXPECT_EQ(reporter.out_text(), c.out);
    EXPECT_EQ(reporter.error_text(), "");
  }
  Reporter ok;
  EXPECT_TRUE(ReportPreprocessStatus(PP_OK, "s.sc", ok));
}

// A fresh working folder under the temporary folder, and Tarnic run in it.
class TarnicRun : public ::testing::Test {
 protected:
  void SetUp() override {
    char full[MAX_PATH];
    ASSERT_NE(GetFullPathNameA("..\\out\\sc\\Tarnic.exe", MAX_PATH, full, nullptr), 0u);
    exe_ = full;
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    static int serial = 0;
    dir_ = std::string(temp) + "tarnic_test_" + std::to_string(GetCurrentProcessId()) + "_" +
           std::to_string(++serial) + "\\";
    CreateDirectoryA(dir_.c_str(), nullptr);
  }

  void TearDown() override {
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((dir_ + "*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
      do {
        std::string name = fd.cFileName;
        if (name == "." || name == "..") continue;
        if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
          RemoveDirectoryA((dir_ + name).c_str());
        else
          DeleteFileA((dir_ + name).c_str());
      } while (FindNextFileA(h, &fd));
      FindClose(h);
    }
    RemoveDirectoryA(dir_.c_str());
  }

  void Write(const std::string& name, const std::string& bytes) {
    FILE* f = std::fopen((dir_ + name).c_str(), "wb");
    ASSERT_TRUE(f);
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
  }

  std::string Read(const std::string& name) {
    std::string bytes;
    if (FILE* f = std::fopen((dir_ + name).c_str(), "rb")) {
      char buf[4096];
      size_t got;
      while ((got = std::fread(buf, 1, sizeof buf, f)) > 0) bytes.append(buf, got);
      std::fclose(f);
    }
    return bytes;
  }

  bool Exists(const std::string& name) {
    return GetFileAttributesA((dir_ + name).c_str()) != INVALID_FILE_ATTRIBUTES;
  }

  // Runs "Tarnic.exe <args>" in the working folder; the exit status.
  DWORD Run(const std::string& args) {
    std::string command = "\"" + exe_ + "\"" + (args.empty() ? "" : "  " + args);
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    std::vector<char> line(command.begin(), command.end());
    line.push_back(0);
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                        dir_.c_str(), &si, &pi))
      return 0xFFFFFFFF;
    WaitForSingleObject(pi.hProcess, 30000);
    DWORD code = 0xFFFFFFFF;
    GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return code;
  }

  std::string exe_;
  std::string dir_;
};

const char kGood[] =
    "int main()\r\n{\r\n  char b[8];\r\n  sprintf(b, \"%d\", RGB(1, 2, 3));\r\n  return 0;\r\n}\r\n";

TEST_F(TarnicRun, CompilesWithChineseMessagesBesideTheSource) {
  Write("csstmp.sc", kGood);
  EXPECT_EQ(Run("/ch csstmp.sc"), 0u);
  EXPECT_TRUE(Exists("csstmp.so"));
  EXPECT_EQ(Read("cscerr.txt"), "");
  std::string so = Read("csstmp.so");
  ASSERT_GE(so.size(), 64u);
  EXPECT_EQ(Read("cscout.txt"), ">> 字节码文件信息：指令(" + std::to_string((so.size() - 68) / 12) +
                                    ")，文件大小(" + std::to_string(so.size()) + ")\r\n");
}

TEST_F(TarnicRun, AddsScToANameWithoutDot) {
  Write("x.sc", kGood);
  EXPECT_EQ(Run("/CH x"), 0u);
  EXPECT_TRUE(Exists("x.so"));
}

TEST_F(TarnicRun, ReplacesOnlyTheLastExtension) {
  Write("a.b.c", kGood);
  EXPECT_EQ(Run("a.b.c"), 0u);
  EXPECT_TRUE(Exists("a.b.so"));
  EXPECT_NE(Read("cscout.txt").find(">> Code byte file info: Instruction("), std::string::npos);
}

TEST_F(TarnicRun, CommandLineFailures) {
  Write("file.sc", kGood);
  EXPECT_EQ(Run("/x file"), 1u);
  EXPECT_EQ(Read("cscout.txt"), "Invalid command line format - \"/X\"\r\n\r\n");
  EXPECT_EQ(Read("cscerr.txt"), "");
  EXPECT_FALSE(Exists("file.so"));
  EXPECT_EQ(Run("/? file"), 1u);
  EXPECT_EQ(Read("cscout.txt"), "");
  EXPECT_EQ(Run(""), 1u);
  EXPECT_EQ(Run("/ch"), 1u);
  EXPECT_FALSE(Exists("file.so"));
}

TEST_F(TarnicRun, MissingAndEmptySources) {
  EXPECT_EQ(Run("nosuch"), 1u);
  EXPECT_EQ(Read("cscout.txt"), "Open source file fail: nosuch.sc");
  EXPECT_EQ(Read("cscerr.txt"), "");
  Write("e.sc", "");
  EXPECT_EQ(Run("/ch e.sc"), 1u);
  EXPECT_EQ(Read("cscout.txt"), "打开一个空的源文件：e.sc");
}

TEST_F(TarnicRun, ErrorsDeleteTheOutputAndCountInTheStatus) {
  Write("bad.so", "old");
  Write("bad.sc", "int main()\r\n{\r\n  int *p; double d;\r\n  p = d; return k;\r\n}\r\n");
  EXPECT_EQ(Run("bad.sc"), 2u);
  EXPECT_FALSE(Exists("bad.so"));
  EXPECT_EQ(Read("cscerr.txt"),
            "Error C2022 (4): cannot convert from \"double\" to \"long *\"\r\n"
            "Error C2018 (4): \"k\" is a undeclared identifier\r\n");
  EXPECT_EQ(Read("cscout.txt"), "");
}

TEST_F(TarnicRun, PreprocessingFailureKeepsAnEarlierFile) {
  Write("d.so", "old");
  Write("d.sc", "#define F(x) x\r\nint main() { return 0; }\r\n");
  EXPECT_EQ(Run("d"), 1u);
  EXPECT_EQ(Read("d.so"), "old");
  EXPECT_EQ(Read("cscerr.txt"), "Error C1009 (1): #define syntax\r\n");
}

TEST_F(TarnicRun, WarningsAloneLeaveAFileAndAMessage) {
  Write("w.sc", "int main() { int i; i = 1.5; }");
  EXPECT_EQ(Run("w.sc"), 0u);
  EXPECT_TRUE(Exists("w.so"));
  EXPECT_EQ(Read("cscerr.txt"),
            "Warning C3001 (1): \"main\" : function should return a value; zero is default\r\n"
            "Warning C3000 (1): conversion from \"double\" to \"long\", possible loss of data\r\n");
}

// Every nesting construct, far deeper than the bounds: Tarnic ends with "Out
// of stack" and leaves no code file. Its 16 MB stack would hold 100,000 levels
// of a small recursion, so the sources nest deep enough to exhaust it.
TEST_F(TarnicRun, FarTooDeepNestingIsOutOfStack) {
  constexpr int kLevels = 300000;
  for (const NestedSource& s : NestedSources()) {
    SCOPED_TRACE(s.name);
    Write("deep.so", "old");
    Write("deep.sc", s.make(kLevels));
    EXPECT_EQ(Run("deep.sc"), 1u);
    EXPECT_EQ(Read("cscerr.txt"), "Error C1003: Out of stack\r\n");
    EXPECT_EQ(Read("cscout.txt"), "");
    EXPECT_FALSE(Exists("deep.so"));
  }
  Write("deep.sc", NestedSources().front().make(kLevels));
  EXPECT_EQ(Run("/ch deep.sc"), 1u);
  EXPECT_EQ(Read("cscerr.txt"), "错误 C1003: 堆栈溢出\r\n");
}

TEST_F(TarnicRun, CodeFileThatCannotBeCreated) {
  Write("c.sc", kGood);
  CreateDirectoryA((dir_ + "c.so").c_str(), nullptr);
  EXPECT_EQ(Run("c.sc"), 1u);
  EXPECT_EQ(Read("cscerr.txt"), "Error C1005: Create code byte file fail: c.so\r\n");
}

}  // namespace
}  // namespace tarnic
