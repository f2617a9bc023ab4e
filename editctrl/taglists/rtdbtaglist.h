// CRtdbTagList: tags of the real-time database, asked for through the host's
// tag query callback, in columns "序号", "标签名", "描述", "单位", "类型";
// every row shows bitmap 5005.
//
// A list that asks for its tags another way (a plug-in's page asks its
// picture window) derives from it and runs its own request between
// BeginQuery and EndQuery, with OnQueryRecords as the record callback; it may
// keep fewer bytes of each record than the server sends.
#pragma once
#include "qel/hostcallbacks.h"
#include "taglistctrl.h"

class CRtdbTagList : public CTagListCtrl {
 public:
  CRtdbTagList();

  // Empties the list and asks the host for the tags whose names match
  // pattern (an empty pattern too); the records that arrive are listed. A
  // missing callback or a failed query shows "查询错误，可能是实时库没连接!"
  // (titled "错误!") and lists the records that did arrive. Returns the
  // query's result, 1 without a callback.
  int Query(const HostCallbackBlock* host, const char* pattern);

  // The query's record callback: appends count records, 256 bytes apart,
  // each with its mark byte cleared.
  static void __stdcall OnQueryRecords(QB_TAGATTR* records, int count, void* list);

 protected:
  // A list that keeps only the first keptBytes of each record that arrives;
  // the rest of the record's slot stays zero, the mark byte included.
  explicit CRtdbTagList(int keptBytes);

  // The frame of a query: BeginQuery empties the list; EndQuery shows the
  // box for a result other than 0, lists the records that arrived and
  // returns the result.
  void BeginQuery();
  int EndQuery(int result);

 private:
  void AppendQueried(const QB_TAGATTR& record);

  int m_keptBytes;
};
