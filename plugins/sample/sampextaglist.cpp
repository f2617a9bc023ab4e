#include "sampextaglist.h"

#include "qel/picmsg.h"
#include "qel/checkword.h"

SampexQuery CSampexTagList::Query(HWND picture, const char* pattern) {
  if (!picture) return SampexQuery::kNoPicture;
  BeginQuery();
  TagQueryRequest request = {pattern ? pattern : "", "", -1, -1, &OnQueryRecords, this};
  const LRESULT answer = ::SendMessageA(picture, QPM_QUERYTAGS, MakeHostParam(QSM_CHECKCODE),
                                        reinterpret_cast<LPARAM>(&request));
  return EndQuery(answer == 0 ? 0 : 1) == 0 ? SampexQuery::kDone : SampexQuery::kFailed;
}
