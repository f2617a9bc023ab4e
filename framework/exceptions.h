// The framework's exceptions. They are thrown BY VALUE and caught by reference:
//
//   try { ... } catch (CArchiveException& e) { if (e.m_cause == CArchiveException::endOfFile) ... }
//
// None of them may cross a window procedure, a callback or an export.
#pragma once
#include <windows.h>

#include "qstring.h"

class CException {
 public:
  virtual ~CException() = default;
  // A short English description, for logs and test output.
  virtual CString GetErrorMessage() const = 0;
};

// A damaged or unusable archive stream.
class CArchiveException : public CException {
 public:
  enum {
    none,
    generic,    // malformed stream (for example an impossible string prefix)
    readOnly,   // tried to write into an archive opened for loading
    endOfFile,  // the stream ends early, or a count promises more than it holds
    writeOnly,  // tried to read from an archive opened for storing
    badIndex,   // a reference to an index never assigned, or one that may not be used here
    badClass,   // an unknown class name, or an object of a class that the reader did not ask for
    badSchema,  // a class record whose schema differs from the registered one
    tooDeep     // objects nested deeper than any stream of the system holds
  };

  explicit CArchiveException(int cause = none, const CString& fileName = CString())
      : m_cause(cause), m_strFileName(fileName) {}
  CString GetErrorMessage() const override;

  int m_cause;
  CString m_strFileName;
};

// A failing file operation; m_lOsError holds the Win32 error code.
class CFileException : public CException {
 public:
  enum {
    none,
    generic,
    fileNotFound,
    badPath,
    tooManyOpenFiles,
    accessDenied,
    invalidFile,
    removeCurrentDir,
    directoryFull,
    badSeek,
    hardIO,
    sharingViolation,
    lockViolation,
    diskFull,
    endOfFile
  };

  explicit CFileException(int cause = none, LONG lOsError = -1, const CString& fileName = CString())
      : m_cause(cause), m_lOsError(lOsError), m_strFileName(fileName) {}
  CString GetErrorMessage() const override;

  // The cause for a Win32 error code (GetLastError()).
  static int OsErrorToException(LONG lOsError);
  // Throws the exception that describes a Win32 error code.
  [[noreturn]] static void ThrowOsError(LONG lOsError, const CString& fileName = CString());

  int m_cause;
  LONG m_lOsError;
  CString m_strFileName;
};

// Memory ran out (also thrown in place of std::bad_alloc by the framework).
class CMemoryException : public CException {
 public:
  CString GetErrorMessage() const override;
};
