// The in-process harness of the runtime window's tests and benchmark: it
// loads QelRun.dll by name from the program folder, creates a parent window
// that records every notice, a "QELPICVIEW" child, and host tables whose
// callbacks record their calls. Pictures are built with the picture model
// in the test program itself and handed over as bytes, as the viewer does.
#pragma once
#include <windows.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "qel/picmsg.h"
#include "tagvalue.h"

class CPicObj;
class CDrawObj;
class CDrawRect;

namespace runtest {

// The model's and the links' classes, registered once for this program.
void RegisterClassesOnce();

// One notice that the parent received.
struct Notice {
  UINT msg;
  WPARAM wParam;
  std::string text;    // QCN_LINKPICTURE: the picture name
  ViewInfo view = {};  // QCN_VIEWCHANGED: the record
};

// The database side: pfnReadReal answers from `values` (names it does not
// know keep the record as it came, with status 0) and records each call.
struct FakeHost {
  std::map<std::string, QB_VALUE> values;
  int readResult = 0;                   // what pfnReadReal returns
  bool reverseBatch = false;            // answer the records in reverse order
  std::vector<int> readCounts;          // the count of every pfnReadReal call
  std::vector<std::string> firstNames;  // the first name of every call
  int otherCalls = 0;                   // calls of the other eight callbacks
  std::vector<std::string> otherNames;  // which of them, in order
  std::function<void()> duringRead;     // run inside every pfnReadReal call

  HostCallbackBlock Table();
};

// The local tags: a map of live values; the callbacks record their calls.
struct FakeLocals {
  std::map<std::string, CTagValue> values;
  int writeResult = 1;
  std::vector<std::string> reads;
  std::vector<std::string> writes;
  std::vector<int> writeTypes;  // the type of every value written
  LocalTagCallbackBlock Table();
};

class Harness {
 public:
  // width x height client area of the runtime window; the parent's top-left
  // corner on the screen at (x, y).
  explicit Harness(int width = 400, int height = 300, int x = 0, int y = 0);
  ~Harness();
  Harness(const Harness&) = delete;
  Harness& operator=(const Harness&) = delete;

  bool Ok() const { return m_view != nullptr; }
  HWND View() const { return m_view; }
  HWND Parent() const { return m_parent; }
  HMODULE Library() const { return m_library; }

  // QCM_LOADPICDATA with the fake tables; the message's result.
  LRESULT Load(const std::vector<BYTE>& bytes);
  LRESULT Load(CPicObj& picture);
  // n timer messages with the window's timer id.
  void Tick(int n = 1);
  // A service request with the right (or a given) check word.
  LRESULT Request(UINT msg, const void* record, DWORD checkWord = 0);

  // Every notice seen, and those of one message.
  std::vector<Notice> notices;
  std::vector<Notice> NoticesOf(UINT msg) const;
  std::vector<std::string> LinkedPictures() const;

  // When set, the parent loads these bytes at once inside QCN_LINKPICTURE
  // (a host that switches pictures synchronously, unlike the viewer).
  std::vector<BYTE> loadOnLink;

  bool timerWasRunning = false;  // timer 1 ran when the window had been created

  FakeHost host;
  FakeLocals locals;
  HostCallbackBlock hostTable = {};
  LocalTagCallbackBlock localTable = {};

 private:
  static LRESULT CALLBACK ParentProc(HWND, UINT, WPARAM, LPARAM);
  HMODULE m_library = nullptr;
  HWND m_parent = nullptr;
  HWND m_view = nullptr;
};

// ---- pictures ---------------------------------------------------------------

// A picture with one layer; objects are appended to that layer.
CPicObj* NewPicture(COLORREF background = RGB(255, 255, 255), int periodMs = 1000);
// A filled rectangle with a black outline, owned by the picture's first layer.
CDrawRect* AddRect(CPicObj& picture, const RECT& r, COLORREF fill);
// A direct fill-colour link on the tag: value 0 gives c0, 1 and more c1.
void AddFillColorLink(CDrawObj& obj, const char* tag, COLORREF c0, COLORREF c1, int trigger = 1,
                      int periodMs = 100);
// A direct event link (trigger = event) that asks for picture `name`.
void AddEventLink(CDrawObj& obj, int event, const char* name);
// Moves member of the picture's first layer into a new group there, whose
// direct show/hide link (own period of 100 ms) follows TV(tag).
void GroupWithShowHide(CPicObj& picture, CDrawObj* member, const char* tag);

QB_VALUE IntValue(int v);

}  // namespace runtest
