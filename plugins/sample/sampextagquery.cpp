#include "sampextagquery.h"

#include <cstring>

#include "checkword.h"
#include "msgbox.h"
#include "../../editctrl/picmsg.h"

static_assert(CSampexTagRecords::kSlotSize == 256, "a slot is a whole tag attribute record");

bool CSampexTagRecords::AppendRecord(const QB_TAGATTR& record) {
  BYTE slot[kSlotSize] = {};
  std::memcpy(slot, &record, kKeptBytes);
  return Append(slot);
}

bool CSampexTagRecords::IsMarked(int index) const {
  const BYTE* slot = GetAt(index);
  return slot && slot[kMarkOffset] != 0;
}

void CSampexTagRecords::SetMark(int index, bool marked) {
  if (BYTE* slot = GetAt(index)) slot[kMarkOffset] = marked ? 1 : 0;
}

void __stdcall CSampexTagRecords::OnQueryRecords(QB_TAGATTR* records, int count, void* user) {
  auto* self = static_cast<CSampexTagRecords*>(user);
  if (!self || !records) return;
  for (int i = 0; i < count; ++i) self->AppendRecord(records[i]);
}

SampexQuery QueryTags(HWND hPicture, const char* pszPattern, CSampexTagRecords& records) {
  if (!hPicture) return SampexQuery::kNoPicture;
  records.Clear();
  TagQueryRequest request = {pszPattern ? pszPattern : "", "", -1, -1,
                             &CSampexTagRecords::OnQueryRecords, &records};
  const LRESULT answer = ::SendMessageA(hPicture, QPM_QUERYTAGS, MakeHostParam(QSM_CHECKCODE),
                                        reinterpret_cast<LPARAM>(&request));
  return answer == 0 ? SampexQuery::kDone : SampexQuery::kFailed;
}

SampexQuery RunTagQuery(HWND hPage, HWND hPicture, const char* pszPattern,
                        CSampexTagRecords& records) {
  const SampexQuery result = QueryTags(hPicture, pszPattern, records);
  if (result == SampexQuery::kFailed)
    QelMessageBox(hPage, "查询错误，可能是实时库没连接!", "错误!", MB_OK | MB_ICONERROR);
  return result;
}
