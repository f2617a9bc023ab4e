#include "rtdbtaglist.h"

#include <cstring>

#include "msgbox.h"

namespace {

const CTagListCtrl::Column kServerColumns[] = {
    {"序号", 60, CTagListCtrl::kRowNumber},    {"标签名", 120, CTagListCtrl::kName},
    {"描述", 200, CTagListCtrl::kDescription}, {"单位", 80, CTagListCtrl::kUnit},
    {"类型", 80, CTagListCtrl::kType},
};

const char kQueryFailed[] = "查询错误，可能是实时库没连接!";
const char kQueryFailedTitle[] = "错误!";

int KeptBytes(int wanted) {
  const int whole = static_cast<int>(sizeof(QB_TAGATTR));
  return wanted < 0 ? 0 : (wanted > whole ? whole : wanted);
}

}  // namespace

CRtdbTagList::CRtdbTagList() : CRtdbTagList(sizeof(QB_TAGATTR)) {}

CRtdbTagList::CRtdbTagList(int keptBytes)
    : CTagListCtrl(kServerTagLayout, kServerColumns, sizeof kServerColumns / sizeof *kServerColumns),
      m_keptBytes(KeptBytes(keptBytes)) {}

int CRtdbTagList::Query(const HostCallbackBlock* host, const char* pattern) {
  BeginQuery();
  int result = 1;
  if (host && host->context && host->pfnTagQuery)
    result = host->pfnTagQuery(host->context, pattern ? pattern : "", "", -1, -1, &OnQueryRecords, this);
  return EndQuery(result);
}

void CRtdbTagList::BeginQuery() { Records().Clear(); }

int CRtdbTagList::EndQuery(int result) {
  if (result != 0) QelMessageBox(m_hWnd, kQueryFailed, kQueryFailedTitle, MB_OK | MB_ICONERROR);
  UpdateRows();
  return result;
}

void __stdcall CRtdbTagList::OnQueryRecords(QB_TAGATTR* records, int count, void* list) {
  CRtdbTagList* self = static_cast<CRtdbTagList*>(list);
  if (!self || !records) return;
  for (int i = 0; i < count; ++i) self->AppendQueried(records[i]);
}

void CRtdbTagList::AppendQueried(const QB_TAGATTR& record) {
  QB_TAGATTR slot;
  BYTE* bytes = reinterpret_cast<BYTE*>(&slot);
  std::memcpy(bytes, &record, m_keptBytes);
  std::memset(bytes + m_keptBytes, 0, sizeof slot - m_keptBytes);
  bytes[Records().Layout().markOffset] = 0;
  Records().Append(&slot);
}
