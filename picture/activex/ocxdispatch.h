// COcxDispatch: the bridge through which one script call reaches a hosted
// ActiveX control. It reads the members of the control's default dispatch
// interface from its type information (COcxMember records), converts the
// script's arguments to variants for one member and calls it.
//
//   COcxDispatch bridge(control);           // a new bridge for every call
//   if (bridge.Attach() && bridge.Prepare("Text", nullptr, 0, OCK_GET) &&
//       bridge.Invoke())
//     use(bridge.GetResult());
//
// The type information is read again for every call; nothing is cached.
#pragma once
#include <windows.h>
#include <oaidl.h>

#include <cstdint>
#include <vector>

#include "comptr.h"
#include "qstring.h"

class COleControlWnd;

// How a member is called (the dispatch flags).
enum OcxCallKind : int {
  OCK_METHOD = DISPATCH_METHOD,          // 1
  OCK_GET = DISPATCH_PROPERTYGET,        // 2
  OCK_PUT = DISPATCH_PROPERTYPUT,        // 4
  OCK_PUTREF = DISPATCH_PROPERTYPUTREF,  // 8, as the type information may give it
};

struct COcxArgument {
  CString name;  // "(Property Value)" when the type information names none
  VARTYPE type;  // the declared variant type
};

struct COcxMember {
  CString name;
  DISPID id = DISPID_UNKNOWN;
  int kind = OCK_METHOD;
  std::vector<COcxArgument> args;
};

// A script value as the bridge takes it: the base types of the script machine
// (in its numbering), or a text that a character pointer of the script points at.
enum OcxValueType : uint8_t {
  OVT_I8 = 0,
  OVT_U8 = 1,
  OVT_I16 = 2,
  OVT_U16 = 3,
  OVT_I32 = 4,
  OVT_U32 = 5,
  OVT_F32 = 6,
  OVT_I64 = 7,
  OVT_F64 = 8,
  OVT_TEXT = 0x20,
};

struct OcxValue {
  OcxValueType type;
  uint64_t bits;  // the value in the low bytes (a float's or double's bits)
  CString text;   // OVT_TEXT: the text (GBK)
};

// The variant of a script value: 8-, 16- and 32-bit integers and floats in
// their own width (VT_I1 ... VT_UI4, VT_R4), 64-bit integers as VT_I8,
// doubles as VT_R8, texts as a BSTR. False for any other type, or when
// memory for the text runs out.
bool OcxValueToVariant(const OcxValue& value, VARIANT* out);

class COcxDispatch {
 public:
  explicit COcxDispatch(COleControlWnd* control = nullptr);
  ~COcxDispatch();
  COcxDispatch(const COcxDispatch&) = delete;
  COcxDispatch& operator=(const COcxDispatch&) = delete;

  void SetControlWnd(COleControlWnd* control) { m_control = control; }

  // Reads the members of the default interface: TRUE when they were read.
  BOOL Attach();
  // Finds the member of that name and kind (a method call finds the first
  // member of the name, whatever its kind) and converts the arguments, the
  // first one last; TRUE when found with exactly its number of arguments
  // and every one converted.
  BOOL Prepare(const char* name, const OcxValue* args, int count, int kind);
  // Calls the prepared member: TRUE on success, with the returned value in
  // GetResult(); FALSE on failure (HasException() when the control reported
  // an exception).
  BOOL Invoke();

  bool HasDispatch() const { return static_cast<bool>(m_dispatch); }
  const std::vector<COcxMember>& GetMembers() const { return m_members; }
  const IID& GetInterfaceId() const { return m_iid; }
  const VARIANT& GetResult() const { return m_result; }
  const EXCEPINFO& GetException() const { return m_exception; }
  bool HasException() const { return m_bException; }
  // The member and the arguments of the prepared call (first argument last).
  const COcxMember* GetPrepared() const { return m_prepared; }
  const std::vector<VARIANT>& GetArguments() const { return m_args; }

 private:
  // The type information of the default interface, or null.
  QComPtr<ITypeInfo> DefaultInterface();
  HRESULT ReadInterface(ITypeInfo* info);
  void ReadFunctions(ITypeInfo* info, const TYPEATTR& attr);
  void ReadVariables(ITypeInfo* info, const TYPEATTR& attr);
  const COcxMember* Find(const char* name, int kind) const;
  bool HasMember(DISPID id, int kind) const;
  void FreeArguments();
  void ClearResult();

  std::vector<COcxMember> m_members;
  IID m_iid = {};
  COleControlWnd* m_control;
  QComPtr<IDispatch> m_dispatch;
  std::vector<VARIANT> m_args;  // in reverse order
  const COcxMember* m_prepared = nullptr;
  int m_callKind = 0;
  VARIANT m_result;
  EXCEPINFO m_exception = {};
  bool m_bException = false;
};
