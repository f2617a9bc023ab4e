#include "rtdbtaglist.h"

#include "msgbox.h"

namespace {

const CTagListCtrl::Column kServerColumns[] = {
    {"序号", 60, CTagListCtrl::kRowNumber},   {"标签名", 120, CTagListCtrl::kName},
    {"描述", 200, CTagListCtrl::kDescription}, {"单位", 80, CTagListCtrl::kUnit},
    {"类型", 80, CTagListCtrl::kType},
};

const char kQueryFailed[] = "查询错误，可能是实时库没连接!";
const char kQueryFailedTitle[] = "错误!";

}  // namespace

CRtdbTagList::CRtdbTagList()
    : CTagListCtrl(kServerTagLayout, kServerColumns, sizeof kServerColumns / sizeof *kServerColumns) {}

int CRtdbTagList::Query(const HostCallbackBlock* host, const char* pattern) {
  Records().Clear();
  int result = 1;
  if (host && host->context && host->pfnTagQuery)
    result = host->pfnTagQuery(host->context, pattern ? pattern : "", "", -1, -1, &OnQueryRecords, this);
  if (result != 0) QelMessageBox(m_hWnd, kQueryFailed, kQueryFailedTitle, MB_OK | MB_ICONERROR);
  UpdateRows();
  return result;
}

void __stdcall CRtdbTagList::OnQueryRecords(QB_TAGATTR* records, int count, void* list) {
  CRtdbTagList* self = static_cast<CRtdbTagList*>(list);
  if (!self || !records) return;
  CTagRecordBuffer& buffer = self->Records();
  const int markOffset = buffer.Layout().markOffset;
  for (int i = 0; i < count; ++i) {
    QB_TAGATTR record = records[i];
    reinterpret_cast<BYTE*>(&record)[markOffset] = 0;
    buffer.Append(&record);
  }
}
