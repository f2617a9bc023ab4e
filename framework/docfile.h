// Reading and writing a document's file (a project, a picture) through an
// archive, all or nothing.
#pragma once
#include <windows.h>

#include <functional>

#include "qstring.h"

class CArchive;

// The full path of path (relative to the working folder); path itself when
// the platform cannot make one.
CString QelFullPath(const char* path);

// Opens path for reading and runs load on an archive over it; FALSE when the
// file cannot be opened or load fails with an exception (a damaged file).
BOOL QelReadDocumentFile(const char* path, const std::function<void(CArchive&)>& load);

// Runs store on an archive over a new file beside path (path + ".~save"),
// then puts that file in path's place, so that a failure halfway (a full
// disk, no memory) never leaves path half written. FALSE, with path as it was
// and the new file removed, when any step fails.
BOOL QelWriteDocumentFile(const char* path, const std::function<void(CArchive&)>& store);
