// A plug-in of our own for the host's tests, built as qpiunruly.dll (all five
// exports) and as qpimiss_<export>.dll (each lacking one export). Its answers
// are set through QpiTestConfigure while the test holds the library loaded;
// QpiTestGetLog tells what the host asked.
#pragma once
#include <windows.h>

#include "qel/qpi.h"

// Tables in the order the host reads them.
enum QpiTestTable : int { kTestProperties, kTestInterfaces, kTestEvents, kTestEnums, kTestTables };

// The identifier and class in normal mode; with unterminated texts the
// identifier fills all 32 bytes with 'Q', and the class registered for it is
// the first 31 of them.
#define QPITEST_CLASS "QpiTestControl"

struct QpiTestConfig {
  WORD counts[kTestTables];    // what the record announces, by table
  int delta[kTestTables];      // a table function answers max + delta (and writes at most max)
  BOOL unterminated;           // every text field of the record and the tables filled to its end
  char ident[QPI_IDENT_SIZE];  // the identifier in normal mode; empty: QPITEST_CLASS
  // Called when a window of the plug-in's class receives WM_NCDESTROY.
  void(__stdcall* onWindowGone)(void* user);
  void* user;
};

struct QpiTestLogRecord {
  int infoCalls;
  int tableCalls[kTestTables];
  int tableMax[kTestTables];   // the maximum of the last call
  int order[kTestTables * 2];  // tables in the order their functions were called
  int orderCount;
  int liveWindows;
  int pagesShown;       // QPM_SHOWPAGES received
  char pagesTitle[64];  // its title prefix
};

typedef void(__stdcall* QpiTestConfigureProc)(const QpiTestConfig* config);
typedef QpiTestLogRecord*(__stdcall* QpiTestGetLogProc)();
