#include "runharness.h"

#include <algorithm>
#include <cstring>

#include "actkinds.h"
#include "qel/checkword.h"
#include "drawgroup.h"
#include "drawrect.h"
#include "linkclasses.h"
#include "picfile.h"
#include "picobj.h"
#include "pictureclasses.h"

namespace runtest {

void RegisterClassesOnce() {
  static const bool done = [] {
    RegisterPictureClasses();
    RegisterLinkClasses();
    return true;
  }();
  (void)done;
}

// ---- host tables ------------------------------------------------------------

namespace {

FakeHost* HostOf(void* context) { return static_cast<FakeHost*>(context); }
FakeLocals* LocalsOf(void* context) { return static_cast<FakeLocals*>(context); }

int __stdcall ReadReal(void* context, QB_TAGVALUE* records, int count) {
  FakeHost* host = HostOf(context);
  host->readCounts.push_back(count);
  host->firstNames.push_back(count > 0 ? records[0].name : "");
  if (host->duringRead) {
    auto during = host->duringRead;
    during();
  }
  if (host->readResult != 0) {
    // A failing host may have scribbled over the records: the window must
    // not take anything from them.
    for (int i = 0; i < count; ++i) records[i].value.data.i32 = -12345;
    return host->readResult;
  }
  for (int i = 0; i < count; ++i) {
    auto it = host->values.find(records[i].name);
    if (it != host->values.end())
      records[i].value = it->second;
    else
      records[i].value.status = 0;
  }
  if (host->reverseBatch) std::reverse(records, records + count);
  return 0;
}

void Other(void* context, const char* which) {
  ++HostOf(context)->otherCalls;
  HostOf(context)->otherNames.push_back(which);
}

int __stdcall TagGetAttr(void* c, QB_TAGATTR*) {
  Other(c, "TagGetAttr");
  return 0;
}
int __stdcall TagQuery(void* c, const char*, const char*, int, int, QB_TAGQUERYPROC, void*) {
  Other(c, "TagQuery");
  return 0;
}
int __stdcall ReadRealVar(void* c, const char*, VarReply* out) {
  Other(c, "ReadRealVar");
  out->status = 0;
  return 0;
}
int __stdcall ReadHis(void* c, const char*, int32_t, int32_t, int32_t, int32_t, QB_HISVALUE*, int, int*,
                      int*) {
  Other(c, "ReadHis");
  return 0;
}
int __stdcall ReadHisEx(void* c, QB_TAGVALUE*, int32_t, int) {
  Other(c, "ReadHisEx");
  return 0;
}
int __stdcall ReadHisVar(void* c, const char*, int32_t, int32_t, VarReply*) {
  Other(c, "ReadHisVar");
  return 0;
}
int __stdcall GetHisSum(void* c, const char*, int, int, QB_VALUE*, QB_VALUE*, QB_VALUEDATA*, QB_VALUEDATA*,
                        int32_t*) {
  Other(c, "GetHisSum");
  return 0;
}
int __stdcall GetHisSumEx(void* c, const char*, int, int, int32_t, QB_HISSTEP*, int, int*) {
  Other(c, "GetHisSumEx");
  return 0;
}

int __stdcall LocalAt(void*, int, void*) { return -1; }
int __stdcall LocalWrite(void* context, const char* name, const CTagValue* value) {
  FakeLocals* locals = LocalsOf(context);
  locals->writes.push_back(name);
  locals->writeTypes.push_back(value->GetType());
  if (locals->writeResult) locals->values[name] = *value;
  return locals->writeResult;
}
int __stdcall LocalRead(void* context, const char* name, CTagValue* value) {
  FakeLocals* locals = LocalsOf(context);
  locals->reads.push_back(name);
  auto it = locals->values.find(name);
  if (it == locals->values.end()) return 0;
  *value = it->second;
  return 1;
}

}  // namespace

HostCallbackBlock FakeHost::Table() {
  return {this,    TagGetAttr, TagQuery,   ReadReal,  ReadRealVar,
          ReadHis, ReadHisEx,  ReadHisVar, GetHisSum, GetHisSumEx};
}

LocalTagCallbackBlock FakeLocals::Table() { return {this, LocalAt, LocalWrite, LocalRead}; }

// ---- the windows --------------------------------------------------------------

namespace {
const char kParentClass[] = "QelRunTestParent";
constexpr int kViewId = 1000;
}  // namespace

Harness::Harness(int width, int height, int x, int y) {
  RegisterClassesOnce();
  hostTable = host.Table();
  localTable = locals.Table();
  m_library = ::LoadLibraryA("..\\out\\QelRun.dll");
  if (!m_library) return;

  WNDCLASSA wc = {};
  wc.lpfnWndProc = ParentProc;
  wc.hInstance = ::GetModuleHandleA(nullptr);
  wc.lpszClassName = kParentClass;
  wc.hbrBackground = static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
  ::RegisterClassA(&wc);  // fails harmlessly when registered before
  RECT frame = {0, 0, width, height};
  ::AdjustWindowRect(&frame, WS_POPUP, FALSE);
  m_parent = ::CreateWindowA(kParentClass, "", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, x, y,
                             frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                             wc.hInstance, nullptr);
  ::SetWindowLongPtrA(m_parent, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  m_view = ::CreateWindowA("QELPICVIEW", "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, width, height,
                           m_parent, reinterpret_cast<HMENU>(kViewId), wc.hInstance, nullptr);
  // The tests drive the ticks themselves: the real timer would add ticks
  // whenever a message loop runs.
  if (m_view) timerWasRunning = ::KillTimer(m_view, 1) != FALSE;
  if (m_view) {
    ::SendMessageA(m_view, QCM_SETHOSTCALLBACKS, 0, reinterpret_cast<LPARAM>(&hostTable));
    ::SendMessageA(m_view, QCM_SETLOCALCALLBACKS, 0, reinterpret_cast<LPARAM>(&localTable));
  }
  notices.clear();
}

Harness::~Harness() {
  if (m_view) ::DestroyWindow(m_view);
  if (m_parent) ::DestroyWindow(m_parent);
  if (m_library) ::FreeLibrary(m_library);
}

LRESULT CALLBACK Harness::ParentProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  auto* self = reinterpret_cast<Harness*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (self && (msg == WM_CONTEXTMENU || (msg >= WM_USER && msg < 0x8000))) {
    Notice n = {msg, wp, {}, {}};
    if (msg == QCN_LINKPICTURE && lp) n.text = reinterpret_cast<const char*>(lp);
    if (msg == QCN_VIEWCHANGED && lp) n.view = *reinterpret_cast<const ViewInfo*>(lp);
    self->notices.push_back(n);
    if (msg == QCN_LINKPICTURE && !self->loadOnLink.empty()) {
      std::vector<BYTE> bytes;
      bytes.swap(self->loadOnLink);
      self->Load(bytes);
    }
    if (msg != WM_CONTEXTMENU) return 0;
  }
  return ::DefWindowProcA(hwnd, msg, wp, lp);
}

LRESULT Harness::Load(const std::vector<BYTE>& bytes) {
  PictureDataBlock block = {&localTable, &hostTable, bytes.empty() ? nullptr : bytes.data(),
                            static_cast<DWORD>(bytes.size())};
  return ::SendMessageA(m_view, QCM_LOADPICDATA, 0, reinterpret_cast<LPARAM>(&block));
}

LRESULT Harness::Load(CPicObj& picture) { return Load(StorePictureBytes(picture)); }

void Harness::Tick(int n) {
  for (int i = 0; i < n; ++i) ::SendMessageA(m_view, WM_TIMER, 1, 0);
}

LRESULT Harness::Request(UINT msg, const void* record, DWORD checkWord) {
  const DWORD word = checkWord ? checkWord : MakeHostParam(QSM_CHECKCODE);
  return ::SendMessageA(m_view, msg, word, reinterpret_cast<LPARAM>(record));
}

std::vector<Notice> Harness::NoticesOf(UINT msg) const {
  std::vector<Notice> out;
  for (const Notice& n : notices)
    if (n.msg == msg) out.push_back(n);
  return out;
}

std::vector<std::string> Harness::LinkedPictures() const {
  std::vector<std::string> out;
  for (const Notice& n : NoticesOf(QCN_LINKPICTURE)) out.push_back(n.text);
  return out;
}

// ---- pictures -------------------------------------------------------------------

CPicObj* NewPicture(COLORREF background, int periodMs) {
  RegisterClassesOnce();
  auto* picture = new CPicObj;
  picture->m_clrBack = background;
  picture->m_nPeriod = periodMs;
  picture->EnsureLayer();
  return picture;
}

CDrawRect* AddRect(CPicObj& picture, const RECT& r, COLORREF fill) {
  auto* rect = new CDrawRect;
  rect->SetCorners(CRectD(r.left, r.top, r.right, r.bottom));
  rect->m_nFillStyle = 1;
  rect->m_clrFill1 = fill;
  rect->m_clrLine = RGB(0, 0, 0);
  picture.GetLayer(0)->m_objects.AddTail(rect);
  return rect;
}

void AddFillColorLink(CDrawObj& obj, const char* tag, COLORREF c0, COLORREF c1, int trigger, int periodMs) {
  auto* link = new CActFillColor;
  link->m_nMode = AM_DIRECT;
  link->m_nTrigger = trigger;
  link->m_nPeriod = periodMs;
  link->m_strExpression = (std::string("TV(") + tag + ")").c_str();
  link->m_nLevels = 2;
  link->m_colors[0] = c0;
  link->m_colors[1] = c1;
  link->SetThresholdText("0\t1000000\t");
  obj.AddAction(link);
}

void GroupWithShowHide(CPicObj& picture, CDrawObj* member, const char* tag) {
  CObList& objects = picture.GetLayer(0)->m_objects;
  objects.RemoveAt(objects.Find(member));
  auto* group = new CDrawGroup;
  group->AddChild(member);
  group->ResetReferenceRect();
  objects.AddTail(group);
  auto* link = new CActShowHide;
  link->m_nMode = AM_DIRECT;
  link->m_nTrigger = AT_OWN_PERIOD;
  link->m_nPeriod = 100;
  link->m_strExpression = (std::string("TV(") + tag + ")").c_str();
  group->AddAction(link);
}

void AddEventLink(CDrawObj& obj, int event, const char* name) {
  auto* link = new CActEvent;
  link->m_nMode = AM_DIRECT;
  link->m_nEvent = event;
  link->m_nTrigger = event;
  link->m_strCommand = (std::string("link\n") + name).c_str();
  obj.AddAction(link);
}

QB_VALUE IntValue(int v) {
  QB_VALUE value = {};
  value.type = QB_TYPE_INT32;
  value.data.i32 = v;
  return value;
}

}  // namespace runtest
