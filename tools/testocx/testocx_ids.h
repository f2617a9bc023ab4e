// QelTestOcx.dll: a small ActiveX control of our own for the tests and the
// demo. Its class identifiers, dispatch ids and the texts the tests look for.
//
// Three classes share the control's code and differ in what they offer:
//   QelTestOcx       everything: class information, property pages, type info;
//   QelTestOcxPlain  no class information and no property pages, but its
//                    IDispatch gives the type information of its interface;
//   QelTestOcxBare   an IDispatch without any type information.
// One more class is the full control's property page, and one is no control
// at all (QelTestOcxDocument): an object with IDispatch and IOleObject, as a
// document object has, registered without the Control category. No part of
// the system may create it: asking the library for its class object leaves
// the load marker (framework/testing/loadmarker.h).
#pragma once
#include <windows.h>
#include <oaidl.h>

// {BE0C506A-701E-4AAA-94A4-35390AC06156}
constexpr CLSID CLSID_QelTestOcx = {
    0xBE0C506A, 0x701E, 0x4AAA, {0x94, 0xA4, 0x35, 0x39, 0x0A, 0xC0, 0x61, 0x56}};
// {CFF99F53-BA6D-4855-A354-A77F8BC5AFE0}
constexpr CLSID CLSID_QelTestOcxPlain = {
    0xCFF99F53, 0xBA6D, 0x4855, {0xA3, 0x54, 0xA7, 0x7F, 0x8B, 0xC5, 0xAF, 0xE0}};
// {9A632D21-63CB-44F5-89FD-13D53535AB50}
constexpr CLSID CLSID_QelTestOcxBare = {
    0x9A632D21, 0x63CB, 0x44F5, {0x89, 0xFD, 0x13, 0xD5, 0x35, 0x35, 0xAB, 0x50}};
// {D5BC3C5D-BE7C-4A53-82AA-9104A477DEB7}
constexpr CLSID CLSID_QelTestOcxPage = {
    0xD5BC3C5D, 0xBE7C, 0x4A53, {0x82, 0xAA, 0x91, 0x04, 0xA4, 0x77, 0xDE, 0xB7}};
// {4A5F5788-2B30-4418-ADD2-B366582AC4C6}
constexpr CLSID CLSID_QelTestOcxDocument = {
    0x4A5F5788, 0x2B30, 0x4418, {0xAD, 0xD2, 0xB3, 0x66, 0x58, 0x2A, 0xC4, 0xC6}};
// The control's dispatch interface {BC326914-9515-423E-BC6B-9985A85F5E42}.
constexpr IID DIID_DQelTestOcx = {
    0xBC326914, 0x9515, 0x423E, {0xBC, 0x6B, 0x99, 0x85, 0xA8, 0x5F, 0x5E, 0x42}};
// Its (empty) event interface {E2D8E6A6-50D7-45AC-81FA-9A9A5B3A0EAF}.
constexpr IID DIID_DQelTestOcxEvents = {
    0xE2D8E6A6, 0x50D7, 0x45AC, {0x81, 0xFA, 0x9A, 0x9A, 0x5B, 0x3A, 0x0E, 0xAF}};
// The run-time type library {8368A1F8-C3BB-470E-AD7F-D6ABA2631F54}.
constexpr GUID LIBID_QelTestOcx = {
    0x8368A1F8, 0xC3BB, 0x470E, {0xAD, 0x7F, 0xD6, 0xAB, 0xA2, 0x63, 0x1F, 0x54}};

// Members of DQelTestOcx.
enum TestOcxDispId : DISPID {
  TOX_TEXT = 1,       // BSTR, get and put; stored
  TOX_BACKCOLOR = 2,  // long (a colour), get and put; stored; fills the window
  TOX_LENGTH = 3,     // long, get only: characters of Text
  TOX_USERMODE = 4,   // VARIANT_BOOL, get only: the container's ambient user mode
  TOX_ADD = 5,        // long Add(long a, long b)
  TOX_REPEAT = 6,     // BSTR Repeat(BSTR text, short count)
  TOX_VERSION = 7,    // a read-only variable, long, 3
  TOX_FACTOR = 8,     // a variable, float, get and put; stored
  TOX_SECRET = 9,     // a restricted method: hidden from containers
  TOX_FAIL = 10,      // a method that raises an exception (DISP_E_EXCEPTION)
  TOX_FAILSAVE = 11,  // VARIANT_BOOL, get and put: IPersistStreamInit::Save fails while set
};

constexpr long kTestOcxVersion = 3;
constexpr COLORREF kTestOcxDefaultBack = RGB(0x40, 0x80, 0xC0);
// The texts of a new control and of the exception of Fail.
#define TESTOCX_DEFAULT_TEXT L"测试"
#define TESTOCX_FAIL_TEXT L"故意失败"
// The full-type names registered for the three control classes (GBK on the
// 8-bit side).
#define TESTOCX_NAME L"QEL测试控件"
#define TESTOCX_PLAIN_NAME L"QEL测试控件(无页)"
#define TESTOCX_BARE_NAME L"QEL测试控件(无类型)"
// The document class's full-type name and what it writes to the load marker.
#define TESTOCX_DOCUMENT_NAME L"QEL测试文档"
#define TESTOCX_DOCUMENT_MARKER "QelTestOcxDocument"
// The title of the property page.
#define TESTOCX_PAGE_TITLE L"常规"
// The control id of the page's edit box (the Text).
constexpr int kTestOcxPageEdit = 100;
// The control window's class.
#define TESTOCX_WINDOW_CLASS L"QelTestOcxWindow"

// Exports for the tests besides the four of an in-process server:
//   const char* __stdcall QelTestOcxLog();   the calls the containers made, ";" separated
//   void __stdcall QelTestOcxClearLog();
//   LONG __stdcall QelTestOcxLiveObjects();  objects not yet released
using TestOcxLogFn = const char*(__stdcall*)();
using TestOcxClearLogFn = void(__stdcall*)();
using TestOcxLiveFn = LONG(__stdcall*)();
