// The service requests of expressions, scripts and plug-ins: the database
// requests passed on to the host callback table, and the tag services that
// only the runtime window answers (the tag cache and the local tags).
//
// Every request carries the check word in its first parameter; a wrong
// check word, a null record or a missing callback answers 1 and calls
// nothing.
#include <cstring>

#include "../editctrl/servicerequest.h"
#include "qel/checkword.h"
#include "picrunwnd.h"
#include "tagvalue.h"

namespace {

template <class R>
const R& RecordOf(LPARAM lp) {
  return *reinterpret_cast<const R*>(lp);
}

bool IsNumericType(int type) { return type >= TT_DIGITAL && type <= TT_DOUBLE; }

}  // namespace

LRESULT CPicRunWnd::OnHostService(UINT msg, WPARAM wp, LPARAM lp) {
  // The same answer as the editing window's, from the shared helper.
  return AnswerServiceRequest(m_host, msg, static_cast<DWORD>(wp), lp);
}

LRESULT CPicRunWnd::OnTagService(UINT msg, WPARAM wp, LPARAM lp) {
  if (!IsHostParamValid(static_cast<DWORD>(wp)) || lp == 0) return 1;
  switch (msg) {
    case QSM_READTAG: return ReadTag(RecordOf<NumTagRequest>(lp));
    case QSM_READLOCAL: return ReadLocal(RecordOf<NumTagRequest>(lp));
    case QSM_READLOCALVAR: return ReadLocalVar(RecordOf<VarTagRequest>(lp));
    case QSM_WRITELOCAL: return WriteLocal(RecordOf<NumTagRequest>(lp));
    case QSM_WRITELOCALVAR: return WriteLocalVar(RecordOf<VarTagRequest>(lp));
  }
  return 1;
}

LRESULT CPicRunWnd::ReadTag(const NumTagRequest& request) {
  return FindTag(request.name, request.value) == 1 ? 0 : 1;
}

LRESULT CPicRunWnd::ReadLocal(const NumTagRequest& request) {
  if (!request.value) return 1;
  std::memset(request.value, 0, sizeof *request.value);
  // A null name never reaches the host, which would dereference it.
  if (!request.name || !m_local.context || !m_local.pfnLocalTagRead) return 1;
  CTagValue value;
  if (!m_local.pfnLocalTagRead(m_local.context, request.name, &value)) return 1;
  if (!IsNumericType(value.GetType())) return 1;
  QB_VALUE& out = *request.value;
  out.type = static_cast<uint8_t>(value.GetType());
  std::memcpy(&out.data, &value.m_value, sizeof out.data);
  out.quality = static_cast<uint8_t>(value.m_status1 & 0xFF);
  out.status = static_cast<uint8_t>(value.m_status2 & 0xFF);
  out.time = static_cast<int32_t>(value.m_time);
  return 0;
}

LRESULT CPicRunWnd::ReadLocalVar(const VarTagRequest& request) {
  if (!request.value) return 1;
  VarReply& out = *request.value;
  std::memset(&out, 0, sizeof out);
  if (!request.name || !m_local.context || !m_local.pfnLocalTagRead) return 1;
  CTagValue value;
  if (!m_local.pfnLocalTagRead(m_local.context, request.name, &value)) return 1;
  const int type = value.GetType();
  if (type != TT_STRING && type != TT_BLOB) return 0;  // the reply stays zero
  DWORD length = value.GetLength();
  if (length > QB_VARDATA_MAX) length = QB_VARDATA_MAX;
  out.type = static_cast<uint8_t>(type);
  out.quality = static_cast<uint8_t>(value.m_status1 & 0xFF);
  out.status = static_cast<uint8_t>(value.m_status2 & 0xFF);
  out.time = static_cast<int32_t>(value.m_time);
  out.length = static_cast<int32_t>(length);
  const char* data = value.GetData();
  if (data && length > 0) {
    if (type == TT_STRING)
      std::memcpy(out.data, data, strnlen(data, length));  // stops at the first zero byte
    else
      std::memcpy(out.data, data, length);
  }
  return 0;
}

LRESULT CPicRunWnd::WriteLocal(const NumTagRequest& request) {
  if (!request.value || !request.name) return 1;
  const QB_VALUE& in = *request.value;
  if (!IsNumericType(in.type)) return 1;
  if (!m_local.context || !m_local.pfnLocalTagWrite) return 1;
  CTagValue value(in.type);
  std::memcpy(&value.m_value, &in.data, sizeof in.data);
  value.m_time = static_cast<DWORD>(in.time);
  value.m_status1 = in.quality;
  value.m_status2 = in.status;
  return m_local.pfnLocalTagWrite(m_local.context, request.name, &value) ? 0 : 1;
}

LRESULT CPicRunWnd::WriteLocalVar(const VarTagRequest& request) {
  if (!request.value || !request.name) return 1;
  const VarReply& in = *request.value;
  if (in.type != TT_STRING && in.type != TT_BLOB) return 1;
  // The length is bounded by the record: at most 3,999 bytes (and a zero).
  if (in.length < 0) return 1;
  const DWORD length = static_cast<DWORD>(in.length > QB_VARDATA_MAX ? int32_t{QB_VARDATA_MAX} : in.length);
  if (!m_local.context || !m_local.pfnLocalTagWrite) return 1;
  CTagValue value(in.type);
  if (in.type == TT_STRING)
    value.SetStringData(in.data, length);
  else
    value.SetBlob(in.data, length);  // no bytes: an empty blob of type 7
  value.m_time = static_cast<DWORD>(in.time);
  value.m_status1 = in.quality;
  value.m_status2 = 0;
  return m_local.pfnLocalTagWrite(m_local.context, request.name, &value) ? 0 : 1;
}
