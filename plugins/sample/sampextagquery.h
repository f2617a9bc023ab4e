// The tag query of Sampex's query page: the records the picture window
// delivers, and the request (QPM_QUERYTAGS) that asks for them.
//
// The list keeps of each tag attribute record only its first 192 bytes (type
// code, name, description, unit), each in a slot of a whole record's size:
// the list's row mark lives at byte 212 of a slot, inside the slot.
#pragma once
#include <windows.h>

#include "qbtypes.h"
#include "recordbuffer.h"

class CSampexTagRecords : public CRecordBuffer {
 public:
  enum : int {
    kKeptBytes = 192,                   // of each record delivered
    kSlotSize = sizeof(QB_TAGATTR),     // what the list holds per row
    kMarkOffset = 212,                  // the row mark inside a slot
    kGrowStep = 8192,
  };
  static_assert(kMarkOffset < kSlotSize && kKeptBytes <= kMarkOffset, "the mark lies in its slot");

  CSampexTagRecords() { Init(kSlotSize, kGrowStep); }

  // Records keep the order they arrived in; the list's column sorting takes
  // the database tag list's comparator when the list window is wired.
  int Compare(const void*, const void*, int, int) const override { return 0; }

  // Keeps the first 192 bytes of the record in a new slot, mark cleared;
  // false when the slot could not be had.
  bool AppendRecord(const QB_TAGATTR& record);
  const QB_TAGATTR* GetRecord(int index) const {
    return reinterpret_cast<const QB_TAGATTR*>(GetAt(index));
  }
  bool IsMarked(int index) const;
  void SetMark(int index, bool marked);

  // The page callback (QB_TAGQUERYPROC form): appends each of count records,
  // 256 bytes apart; user is the CSampexTagRecords.
  static void __stdcall OnQueryRecords(QB_TAGATTR* records, int count, void* user);
};

// How a query ended.
enum class SampexQuery {
  kNoPicture,  // nothing was asked: the page has no picture window
  kDone,       // the picture window answered 0
  kFailed,     // any other answer: the page shows its error box
};

// Empties the records and sends QPM_QUERYTAGS (check word of the code 219)
// to the picture window with {pattern, "", -1, -1, OnQueryRecords, records};
// the records that arrive during the call are kept whatever the answer.
SampexQuery QueryTags(HWND hPicture, const char* pszPattern, CSampexTagRecords& records);

// The page's query: QueryTags, and for kFailed the box "查询错误，可能是实时库没连接!"
// titled "错误!" with the error icon, owned by hPage.
SampexQuery RunTagQuery(HWND hPage, HWND hPicture, const char* pszPattern,
                        CSampexTagRecords& records);
