// The host callback table: each of the nine callbacks reaches the service
// operation of its place with its arguments unchanged and returns its status.
#include <gtest/gtest.h>

#include <string>

#include "projecttest_util.h"

namespace {

// Records which operation ran with which arguments; answers a status per call.
class RecordingService : public IRtdbClient {
 public:
  int SetEntriesAndBind(const CRtdbConnBlock&, int) override { return 1; }
  int Restart(const CRtdbConnBlock&, int) override { return 1; }
  int Start() override { return 1; }
  int Stop() override { return 1; }

  int TagGetAttr(QB_TAGATTR* attr) override { return Note("TagGetAttr", {Word(attr)}); }
  int TagQuery(const char* p1, const char* p2, int s1, int s2, QB_TAGQUERYPROC proc, void* user) override {
    return Note("TagQuery", {Word(p1), Word(p2), (intptr_t)s1, (intptr_t)s2, reinterpret_cast<intptr_t>(proc),
                             Word(user)});
  }
  int ReadReal(QB_TAGVALUE* records, int count) override { return Note("ReadReal", {Word(records), count}); }
  int ReadRealVar(const char* name, VarReply* out) override {
    return Note("ReadRealVar", {Word(name), Word(out)});
  }
  int ReadHis(const char* name, int32_t t0, int32_t t1, int32_t a, int32_t b, QB_HISVALUE* records,
              int capacity, int* count, int* done) override {
    return Note("ReadHis", {Word(name), t0, t1, a, b, Word(records), capacity, Word(count), Word(done)});
  }
  int ReadHisEx(QB_TAGVALUE* records, int32_t time, int count) override {
    return Note("ReadHisEx", {Word(records), time, count});
  }
  int ReadHisVar(const char* name, int32_t a, int32_t b, VarReply* out) override {
    return Note("ReadHisVar", {Word(name), a, b, Word(out)});
  }
  int GetHisSum(const char* name, int t0, int t1, QB_VALUE* a, QB_VALUE* b, QB_VALUEDATA* c, QB_VALUEDATA* d,
                int32_t* e) override {
    return Note("GetHisSum", {Word(name), t0, t1, Word(a), Word(b), Word(c), Word(d), Word(e)});
  }
  int GetHisSumEx(const char* name, int t0, int t1, int32_t step, QB_HISSTEP* records, int capacity,
                  int* count) override {
    return Note("GetHisSumEx", {Word(name), t0, t1, step, Word(records), capacity, Word(count)});
  }

  std::string operation;
  std::vector<intptr_t> arguments;
  int status = 0;

 private:
  static intptr_t Word(const void* p) { return reinterpret_cast<intptr_t>(p); }
  int Note(const char* name, std::vector<intptr_t> args) {
    operation = name;
    arguments = std::move(args);
    return status;
  }
};

// Distinct argument values: place i gets 0x100 * (i + 1) + i, as a number or a pointer.
intptr_t Arg(int i) { return 0x100 * (i + 1) + i; }
template <class T>
T* P(int i) {
  return reinterpret_cast<T*>(Arg(i));
}

struct ForwardCase {
  const char* operation;
  int argumentCount;
  int (*call)(const HostCallbackBlock& t);
};

const ForwardCase kCases[] = {
    {"TagGetAttr", 1,
     [](const HostCallbackBlock& t) { return t.pfnTagGetAttr(t.context, P<QB_TAGATTR>(0)); }},
    {"TagQuery", 6,
     [](const HostCallbackBlock& t) {
       return t.pfnTagQuery(t.context, P<const char>(0), P<const char>(1), (int)Arg(2), (int)Arg(3),
                            reinterpret_cast<QB_TAGQUERYPROC>(Arg(4)), P<void>(5));
     }},
    {"ReadReal", 2,
     [](const HostCallbackBlock& t) { return t.pfnReadReal(t.context, P<QB_TAGVALUE>(0), (int)Arg(1)); }},
    {"ReadRealVar", 2,
     [](const HostCallbackBlock& t) {
       return t.pfnReadRealVar(t.context, P<const char>(0), P<VarReply>(1));
     }},
    {"ReadHis", 9,
     [](const HostCallbackBlock& t) {
       return t.pfnReadHis(t.context, P<const char>(0), Arg(1), Arg(2), Arg(3), Arg(4), P<QB_HISVALUE>(5),
                           (int)Arg(6), P<int>(7), P<int>(8));
     }},
    {"ReadHisEx", 3,
     [](const HostCallbackBlock& t) {
       return t.pfnReadHisEx(t.context, P<QB_TAGVALUE>(0), Arg(1), (int)Arg(2));
     }},
    {"ReadHisVar", 4,
     [](const HostCallbackBlock& t) {
       return t.pfnReadHisVar(t.context, P<const char>(0), Arg(1), Arg(2), P<VarReply>(3));
     }},
    {"GetHisSum", 8,
     [](const HostCallbackBlock& t) {
       return t.pfnGetHisSum(t.context, P<const char>(0), (int)Arg(1), (int)Arg(2), P<QB_VALUE>(3),
                             P<QB_VALUE>(4), P<QB_VALUEDATA>(5), P<QB_VALUEDATA>(6), P<int32_t>(7));
     }},
    {"GetHisSumEx", 7,
     [](const HostCallbackBlock& t) {
       return t.pfnGetHisSumEx(t.context, P<const char>(0), (int)Arg(1), (int)Arg(2), Arg(3),
                               P<QB_HISSTEP>(4), (int)Arg(5), P<int>(6));
     }},
};

TEST(HostCallbacks, EachCallbackForwardsItsArgumentsAndStatusUnchanged) {
  RecordingService service;
  const HostCallbackBlock table = MakeHostCallbacks(&service);
  ASSERT_EQ(&service, table.context);
  int status = 40;
  for (const ForwardCase& c : kCases) {
    service.status = ++status;
    EXPECT_EQ(status, c.call(table)) << c.operation;
    EXPECT_EQ(c.operation, service.operation);
    ASSERT_EQ((size_t)c.argumentCount, service.arguments.size()) << c.operation;
    for (int i = 0; i < c.argumentCount; ++i)
      EXPECT_EQ(Arg(i), service.arguments[i]) << c.operation << " " << i;
  }
}

TEST(HostCallbacks, NullContextAnswersFailure) {
  HostCallbackBlock table = MakeHostCallbacks(nullptr);
  for (const ForwardCase& c : kCases) EXPECT_EQ(QB_ERR_FAIL, c.call(table)) << c.operation;
}

TEST(HostCallbacks, ProjectTableHasItsBindingAsContext) {
  CProject project;
  const HostCallbackBlock& table = project.GetHostCallbacks();
  EXPECT_EQ(static_cast<IRtdbClient*>(project.GetClient()), table.context);
  // Unbound: the callbacks fail at once.
  QB_TAGVALUE rec = {};
  VarReply var = {};
  EXPECT_EQ(QB_ERR_FAIL, table.pfnReadReal(table.context, &rec, 1));
  EXPECT_EQ(QB_ERR_FAIL, table.pfnReadRealVar(table.context, "x", &var));
}

}  // namespace
