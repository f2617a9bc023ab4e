#include "links_test_util.h"

#include "linkclasses.h"
#include "objectclasses.h"
#include "objtest_util.h"
#include "shapeclasses.h"

namespace linktest {

void RegisterAll() {
  RegisterObjectClasses();
  RegisterShapeClasses();
  RegisterLinkClasses();
}

namespace {
void FillBase(CAction* link, int n) {
  link->m_nMode = 1 + n % 2;
  link->m_nTrigger = n;
  link->m_nPeriod = 100 * (n + 1);
  link->m_strReserved = "保留";
  link->m_strExpression = "TV(泵)+1";
  link->m_script.m_strFirst = "first";
  link->m_script.m_strSource = "int main() { return 0; }";
  link->m_script.m_strSecond = "second";
  const BYTE code[] = {0x5A, 0xA5, 0x01, 0x01, 0x00, 0xFF};
  link->m_script.m_code.SetData(code, sizeof code);
}
}  // namespace

std::vector<CAction*> LinksOfEveryKind() {
  auto* tagval = new CActTagVal;
  tagval->m_nDecimals = 4;
  auto* color = new CActColor;
  color->m_nLevels = 3;
  color->m_colors[9] = 0x123456;
  color->SetThresholdText("-1.5\t10\t20\t");
  auto* fill = new CActFillColor;
  fill->m_colors[0] = 0xABCDEF;
  auto* flash = new CActFlash;
  flash->m_nOption = 7;
  auto* show = new CActShowHide;
  auto* roll = new CActRoll;
  roll->m_nSwing = 1;
  roll->m_nStep = -45;
  auto* move = new CActMove;
  move->m_strOption = "移动";
  auto* perfill = new CActPerFill;
  perfill->m_dMinimum = -0.25;
  perfill->m_dMaximum = 1e300;
  perfill->m_nDirection = 3;
  perfill->m_clrFill = 0x00FF8000;
  auto* pointer = new CActPointer;
  pointer->m_dMinimum = 10;
  pointer->m_dMaximum = 20;
  pointer->m_nStartAngle = -90;
  pointer->m_nEndAngle = 90;
  auto* event = new CActEvent;
  event->m_nEvent = AK_RBUTTON_UP;
  event->m_strCommand = "link\n主画面";
  auto* script = new CAction;
  std::vector<CAction*> links = {script, tagval, color,   fill,    flash, show,
                                 roll,   move,   perfill, pointer, event};
  for (size_t i = 0; i < links.size(); ++i) FillBase(links[i], static_cast<int>(i));
  return links;
}

std::vector<BYTE> StoredBytes(CObject* pObj) { return objtest::ObjectBytes(pObj); }

void PrepareDirect(CDrawObj& owner, CAction* link, const char* expression, RECT* dirty, HWND hView) {
  link->m_nMode = AM_DIRECT;
  link->m_strExpression = expression;
  owner.AddAction(link);
  DrawViewContext view;
  view.hView = hView;
  view.pUpdateRect = dirty;
  owner.PrepareActions(&view);
}

}  // namespace linktest

#include <cstring>

#include "qel/picmsg.h"
#include "qel/checkword.h"

namespace linktest {

namespace {
const char kWindowClass[] = "QelLinkTestPictureWnd";
}

TestPictureWindow::TestPictureWindow() {
  WNDCLASSA wc = {};
  wc.lpfnWndProc = Proc;
  wc.hInstance = ::GetModuleHandleA(nullptr);
  wc.lpszClassName = kWindowClass;
  ::RegisterClassA(&wc);  // fails harmlessly when registered before
  m_hwnd = ::CreateWindowA(kWindowClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
  ::SetWindowLongPtrA(m_hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

TestPictureWindow::~TestPictureWindow() { ::DestroyWindow(m_hwnd); }

LRESULT CALLBACK TestPictureWindow::Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<TestPictureWindow*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (self && msg == QCN_LINKPICTURE) {
    self->linkedPictures.push_back(reinterpret_cast<const char*>(lParam));
    self->linkWParams.push_back(wParam);
    return 0;
  }
  if (self && msg == QSM_READTAG) {
    const auto* request = reinterpret_cast<const NumTagRequest*>(lParam);
    if (!IsHostParamValid(static_cast<DWORD>(wParam)) || !request) return 1;
    auto it = self->tags.find(request->name);
    if (it == self->tags.end()) return 1;
    std::memcpy(request->value, &it->second, sizeof(QB_VALUE));
    return 0;
  }
  return ::DefWindowProcA(hwnd, msg, wParam, lParam);
}

}  // namespace linktest
