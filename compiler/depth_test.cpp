// Sources nested far deeper than the compiler's bounds end with "Out of stack",
// never with a crash, and the deepest nesting that is accepted fits the stack
// of a test thread with room to spare.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>

#include "test_support.h"

namespace tarnic {
namespace {

// Tests compile on a thread with the 2 MB stack of the test programs; Tarnic
// has 16 MB. Every source must stay within half of the smaller one.
constexpr size_t kStackBudget = 1u << 20;
constexpr int kFarTooDeep = 100000;
const std::vector<std::string> kOutOfStack = {"Error C1003: Out of stack"};

// The bytes of stack that `work` takes, measured on a thread of its own whose
// stack is painted with a pattern first.
constexpr size_t kPainted = 3u << 20;
constexpr unsigned char kPaint = 0xA5;

struct Measurement {
  const std::function<void()>* work;
  size_t used;
};

__attribute__((noinline)) uintptr_t PaintStack() {
  volatile unsigned char* area = static_cast<volatile unsigned char*>(__builtin_alloca(kPainted));
  for (size_t i = 0; i < kPainted; ++i) area[i] = kPaint;
  return reinterpret_cast<uintptr_t>(area);
}

DWORD WINAPI MeasureOnThisThread(void* param) {
  Measurement* m = static_cast<Measurement*>(param);
  volatile unsigned char* lowest = reinterpret_cast<volatile unsigned char*>(PaintStack());
  (*m->work)();
  size_t untouched = 0;
  while (untouched < kPainted && lowest[untouched] == kPaint) ++untouched;
  m->used = kPainted - untouched;
  return 0;
}

size_t StackBytesUsed(const std::function<void()>& work) {
  Measurement m{&work, 0};
  HANDLE thread = CreateThread(nullptr, kPainted + (1u << 20), MeasureOnThisThread, &m,
                               STACK_SIZE_PARAM_IS_A_RESERVATION, nullptr);
  if (!thread) return SIZE_MAX;
  WaitForSingleObject(thread, INFINITE);
  CloseHandle(thread);
  return m.used;
}

bool OutOfStack(const CompileOutput& out) { return out.err_text.find("C1003") != std::string::npos; }

TEST(Depth, FarTooDeepNestingIsOutOfStack) {
  for (const NestedSource& s : NestedSources()) {
    SCOPED_TRACE(s.name);
    const std::string source = s.make(kFarTooDeep);
    CompileOutput out;
    size_t used = StackBytesUsed([&] { out = Compile(source); });
    EXPECT_EQ(out.status, 1);
    EXPECT_EQ(Lines(out.err_text), kOutOfStack);
    EXPECT_FALSE(out.generated);
    EXPECT_LT(used, kStackBudget);
  }
}

// The deepest nesting without "Out of stack" is the deepest work that the
// parser and the generator do; it must fit the budget too.
TEST(Depth, DeepestAcceptedNestingFitsTheStack) {
  for (const NestedSource& s : NestedSources()) {
    SCOPED_TRACE(s.name);
    int accepted = 0, refused = 4096;
    ASSERT_TRUE(OutOfStack(Compile(s.make(refused))));
    while (refused - accepted > 1) {
      int mid = (accepted + refused) / 2;
      (OutOfStack(Compile(s.make(mid))) ? refused : accepted) = mid;
    }
    EXPECT_GE(accepted, s.must_compile);
    const std::string source = s.make(accepted);
    CompileOutput out;
    EXPECT_LT(StackBytesUsed([&] { out = Compile(source); }), kStackBudget);
    EXPECT_FALSE(OutOfStack(out));
  }
}

TEST(Depth, OutOfStackIsReportedOnce) {
  std::string chain = "a";
  for (int i = 0; i < 5000; ++i) chain += " + a";
  CompileOutput twice = Compile("int a; int main() { a = " + chain + "; a = " + chain + "; return 0; }");
  EXPECT_EQ(twice.status, 1);
  EXPECT_EQ(Lines(twice.err_text), kOutOfStack);
  CompileOutput chinese = Compile(NestedSources()[0].make(kFarTooDeep), true);
  EXPECT_EQ(Lines(chinese.err_text), (std::vector<std::string>{"错误 C1003: 堆栈溢出"}));
}

// An initializer list holds expressions only: braces inside it are a syntax
// error, found and recovered from without recursion, so that a deep nest
// gives the messages of a shallow one.
TEST(Depth, NestedInitializerBracesAreASyntaxError) {
  auto braces = [](const std::string& prefix, int n, const std::string& suffix) {
    return Compile(prefix + std::string(n, '{') + "1" + std::string(n, '}') + suffix);
  };
  const std::string global = "int g[] = ", global_end = "; int main() { return 0; }";
  CompileOutput deep = braces(global, kFarTooDeep, global_end);
  EXPECT_EQ(deep.status, 1);
  EXPECT_EQ(Lines(deep.err_text).front(), "Error C2003 (1): Expecting a declaration");
  EXPECT_EQ(deep.err_text, braces(global, 2, global_end).err_text);

  const std::string local = "int main() { int l[] = ", local_end = "; return 0; }";
  deep = braces(local, kFarTooDeep, local_end);
  EXPECT_EQ(deep.status, 1);
  EXPECT_EQ(Lines(deep.err_text).front(), "Error C2011 (1): \"{\" is expecting an <expr>");
  EXPECT_EQ(deep.err_text, braces(local, 2, local_end).err_text);
}

}  // namespace
}  // namespace tarnic
