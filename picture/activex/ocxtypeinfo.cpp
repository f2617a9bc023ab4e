// COcxDispatch::Attach: the members of the control's default dispatch
// interface, read from its type information.
#include <new>

#include "ocxdispatch.h"
#include "olecontrolwnd.h"
#include "oletext.h"

namespace {

const char kUnnamedParam[] = "(Property Value)";
const char kPutVariableParam[] = "(strProperty Value)";
// An implementation's flags that tell default, source and restricted apart.
constexpr INT kImplFlagsMask = IMPLTYPEFLAG_FDEFAULT | IMPLTYPEFLAG_FSOURCE | IMPLTYPEFLAG_FRESTRICTED;

// TYPEATTR of a type information, released by its owner.
class CTypeAttr {
 public:
  explicit CTypeAttr(ITypeInfo* info) : m_info(info) {
    if (FAILED(info->GetTypeAttr(&m_attr))) m_attr = nullptr;
  }
  ~CTypeAttr() {
    if (m_attr) m_info->ReleaseTypeAttr(m_attr);
  }
  CTypeAttr(const CTypeAttr&) = delete;
  CTypeAttr& operator=(const CTypeAttr&) = delete;
  const TYPEATTR* operator->() const { return m_attr; }
  explicit operator bool() const { return m_attr != nullptr; }

 private:
  ITypeInfo* m_info;
  TYPEATTR* m_attr = nullptr;
};

// The type information of the implementation that is the coclass's default
// interface (not a source, not restricted), or null.
QComPtr<ITypeInfo> DefaultOfClass(ITypeInfo* coclass, const TYPEATTR& attr) {
  QComPtr<ITypeInfo> found;
  for (UINT i = 0; i < attr.cImplTypes; ++i) {
    INT flags = 0;
    HREFTYPE ref = 0;
    if (FAILED(coclass->GetImplTypeFlags(i, &flags)) || (flags & kImplFlagsMask) != IMPLTYPEFLAG_FDEFAULT)
      continue;
    if (SUCCEEDED(coclass->GetRefTypeOfImplType(i, &ref))) coclass->GetRefTypeInfo(ref, found.Out());
    break;
  }
  return found;
}

// A dual interface is called through its dispatch view, whose functions are
// the dispatch functions.
QComPtr<ITypeInfo> DispatchView(QComPtr<ITypeInfo> info) {
  if (!info) return info;
  CTypeAttr attr(info.Get());
  if (!attr || attr->typekind != TKIND_INTERFACE || !(attr->wTypeFlags & TYPEFLAG_FDUAL)) return info;
  HREFTYPE ref = 0;
  QComPtr<ITypeInfo> view;
  if (SUCCEEDED(info->GetRefTypeOfImplType(static_cast<UINT>(-1), &ref)) &&
      SUCCEEDED(info->GetRefTypeInfo(ref, view.Out())))
    return view;
  return info;
}

// The default interface of what a control's type information describes: a
// coclass (its default implementation) or an interface itself.
QComPtr<ITypeInfo> DefaultOf(ITypeInfo* info, bool interfaceAllowed) {
  CTypeAttr attr(info);
  if (!attr) return QComPtr<ITypeInfo>();
  if (attr->typekind == TKIND_COCLASS) return DispatchView(DefaultOfClass(info, *attr.operator->()));
  if (interfaceAllowed && (attr->typekind == TKIND_DISPATCH || attr->typekind == TKIND_INTERFACE))
    return DispatchView(QComPtr<ITypeInfo>(info));
  return QComPtr<ITypeInfo>();
}

// A function's or variable's description, released by its owner.
template <class Desc, HRESULT (STDMETHODCALLTYPE ITypeInfo::*Get)(UINT, Desc**),
          void (STDMETHODCALLTYPE ITypeInfo::*Free)(Desc*)>
class CMemberDesc {
 public:
  CMemberDesc(ITypeInfo* info, UINT index) : m_info(info) {
    if (FAILED((info->*Get)(index, &m_desc))) m_desc = nullptr;
  }
  ~CMemberDesc() {
    if (m_desc) (m_info->*Free)(m_desc);
  }
  CMemberDesc(const CMemberDesc&) = delete;
  CMemberDesc& operator=(const CMemberDesc&) = delete;
  const Desc* operator->() const { return m_desc; }
  explicit operator bool() const { return m_desc != nullptr; }

 private:
  ITypeInfo* m_info;
  Desc* m_desc = nullptr;
};
using CFuncDesc = CMemberDesc<FUNCDESC, &ITypeInfo::GetFuncDesc, &ITypeInfo::ReleaseFuncDesc>;
using CVarDesc = CMemberDesc<VARDESC, &ITypeInfo::GetVarDesc, &ITypeInfo::ReleaseVarDesc>;

// Names given by the type information, freed by their owner.
class CNames {
 public:
  explicit CNames(size_t count) : m_names(count, nullptr) {}
  ~CNames() {
    for (BSTR name : m_names) ::SysFreeString(name);
  }
  CNames(const CNames&) = delete;
  CNames& operator=(const CNames&) = delete;
  BSTR* data() { return m_names.data(); }
  BSTR operator[](size_t i) const { return m_names[i]; }

 private:
  std::vector<BSTR> m_names;
};

}  // namespace

QComPtr<ITypeInfo> COcxDispatch::DefaultInterface() {
  QComPtr<IProvideClassInfo> provide;
  QComPtr<ITypeInfo> info;
  IUnknown* control = m_control->GetControlUnknown();
  if (SUCCEEDED(provide.QueryFrom(control, IID_IProvideClassInfo))) {
    // Class information must describe a coclass.
    if (FAILED(provide->GetClassInfo(info.Out())) || !info) return QComPtr<ITypeInfo>();
    return DefaultOf(info.Get(), false);
  }
  // Without class information, the dispatch interface's own type information.
  UINT count = 0;
  if (FAILED(m_dispatch->GetTypeInfoCount(&count)) || count == 0 ||
      FAILED(m_dispatch->GetTypeInfo(0, ::GetUserDefaultLCID(), info.Out())) || !info)
    return QComPtr<ITypeInfo>();
  return DefaultOf(info.Get(), true);
}

BOOL COcxDispatch::Attach() {
  if (!m_control || !m_control->GetControlUnknown()) return FALSE;
  if (FAILED(m_dispatch.QueryFrom(m_control->GetControlUnknown(), IID_IDispatch))) return FALSE;
  QComPtr<ITypeInfo> itf = DefaultInterface();
  if (!itf) return FALSE;
  ReadInterface(itf.Get());
  return TRUE;
}

HRESULT COcxDispatch::ReadInterface(ITypeInfo* info) {
  CTypeAttr attr(info);
  if (!attr) return E_FAIL;
  m_iid = attr->guid;
  try {
    m_members.reserve(m_members.size() + attr->cFuncs + 2u * attr->cVars);
    ReadFunctions(info, *attr.operator->());
    ReadVariables(info, *attr.operator->());
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;  // the members read so far stay
  }
  return S_OK;
}

void COcxDispatch::ReadFunctions(ITypeInfo* info, const TYPEATTR& attr) {
  for (UINT i = 0; i < attr.cFuncs; ++i) {
    CFuncDesc desc(info, i);
    if (!desc || desc->funckind != FUNC_DISPATCH || (desc->wFuncFlags & FUNCFLAG_FRESTRICTED)) continue;
    const UINT params = desc->cParams > 0 ? static_cast<UINT>(desc->cParams) : 0;
    CNames names(params + 1);
    UINT named = 0;
    info->GetNames(desc->memid, names.data(), params + 1, &named);
    COcxMember member;
    member.name = TextFromBstr(names[0]);
    member.id = desc->memid;
    member.kind = desc->invkind;
    for (UINT p = 0; p < params; ++p)
      member.args.push_back({p + 1 < named ? TextFromBstr(names[p + 1]) : CString(kUnnamedParam),
                             desc->lprgelemdescParam[p].tdesc.vt});
    m_members.push_back(std::move(member));
  }
}

void COcxDispatch::ReadVariables(ITypeInfo* info, const TYPEATTR& attr) {
  for (UINT i = 0; i < attr.cVars; ++i) {
    CVarDesc desc(info, i);
    if (!desc || desc->varkind != VAR_DISPATCH || (desc->wVarFlags & VARFLAG_FRESTRICTED)) continue;
    CNames name(1);
    UINT named = 0;
    info->GetNames(desc->memid, name.data(), 1, &named);
    const CString text = TextFromBstr(name[0]);
    const VARTYPE type = desc->elemdescVar.tdesc.vt;
    if (!HasMember(desc->memid, OCK_GET)) m_members.push_back({text, desc->memid, OCK_GET, {}});
    if (!(desc->wVarFlags & VARFLAG_FREADONLY) && !HasMember(desc->memid, OCK_PUT))
      m_members.push_back({text, desc->memid, OCK_PUT, {{kPutVariableParam, type}}});
  }
}

bool COcxDispatch::HasMember(DISPID id, int kind) const {
  for (const COcxMember& m : m_members)
    if (m.id == id && m.kind == kind) return true;
  return false;
}
