// CSampexTagList: the database tag list of the query page. It is the shared
// database tag list (columns, type names, marks, sorting by the tag records'
// order) with three differences: it keeps of each tag attribute record only
// its first 192 bytes (type code, name, description, unit), each in a slot of
// a whole record so that the row mark at byte 212 stays inside its own slot;
// it shows no row bitmap; and it asks the picture window for its tags
// (QPM_QUERYTAGS) instead of a host callback table.
#pragma once
#include <windows.h>

#include "rtdbtaglist.h"

// How a query ended.
enum class SampexQuery {
  kNoPicture,  // nothing was asked and the list is unchanged: no picture window
  kDone,       // the picture window answered 0
  kFailed,     // any other answer: the box was shown
};

class CSampexTagList : public CRtdbTagList {
 public:
  enum : int { kKeptBytes = 192 };

  CSampexTagList() : CRtdbTagList(kKeptBytes) {}

  // Empties the list and sends QPM_QUERYTAGS (check word of the code 219) to
  // the picture window with {pattern, "", -1, -1, OnQueryRecords, this}. An
  // answer other than 0 shows "查询错误，可能是实时库没连接!" (titled
  // "错误!"); the records that arrived during the call are listed either way.
  SampexQuery Query(HWND picture, const char* pattern);

  HBITMAP GetRowBitmap(int) override { return nullptr; }
};
