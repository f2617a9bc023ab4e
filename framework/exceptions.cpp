// Descriptions of the framework's exceptions and the Win32 error mapping.
#include "exceptions.h"

namespace {

const char* const kArchiveCauseText[] = {"no error",
                                         "damaged archive",
                                         "write to a loading archive",
                                         "archive ends early",
                                         "read from a storing archive",
                                         "bad object or class index",
                                         "unknown or unexpected class",
                                         "class schema mismatch",
                                         "objects nested too deep"};

const char* const kFileCauseText[] = {"no error",
                                      "file error",
                                      "file not found",
                                      "bad path",
                                      "too many open files",
                                      "access denied",
                                      "invalid file",
                                      "cannot remove the current folder",
                                      "folder full",
                                      "bad seek",
                                      "hardware I/O error",
                                      "sharing violation",
                                      "lock violation",
                                      "disk full",
                                      "end of file"};

template <size_t N>
const char* CauseText(const char* const (&table)[N], int cause) {
  return cause >= 0 && (size_t)cause < N ? table[cause] : table[1];
}

struct OsErrorCause {
  LONG error;
  int cause;
};

const OsErrorCause kOsErrorCauses[] = {
    {NO_ERROR, CFileException::none},
    {ERROR_FILE_NOT_FOUND, CFileException::fileNotFound},
    {ERROR_PATH_NOT_FOUND, CFileException::badPath},
    {ERROR_INVALID_DRIVE, CFileException::badPath},
    {ERROR_BAD_PATHNAME, CFileException::badPath},
    {ERROR_INVALID_NAME, CFileException::badPath},
    {ERROR_FILENAME_EXCED_RANGE, CFileException::badPath},
    {ERROR_TOO_MANY_OPEN_FILES, CFileException::tooManyOpenFiles},
    {ERROR_ACCESS_DENIED, CFileException::accessDenied},
    {ERROR_WRITE_PROTECT, CFileException::accessDenied},
    {ERROR_INVALID_HANDLE, CFileException::invalidFile},
    {ERROR_CURRENT_DIRECTORY, CFileException::removeCurrentDir},
    {ERROR_CANNOT_MAKE, CFileException::directoryFull},
    {ERROR_NEGATIVE_SEEK, CFileException::badSeek},
    {ERROR_SEEK, CFileException::badSeek},
    {ERROR_CRC, CFileException::hardIO},
    {ERROR_READ_FAULT, CFileException::hardIO},
    {ERROR_WRITE_FAULT, CFileException::hardIO},
    {ERROR_GEN_FAILURE, CFileException::hardIO},
    {ERROR_SHARING_VIOLATION, CFileException::sharingViolation},
    {ERROR_LOCK_VIOLATION, CFileException::lockViolation},
    {ERROR_DISK_FULL, CFileException::diskFull},
    {ERROR_HANDLE_DISK_FULL, CFileException::diskFull},
    {ERROR_HANDLE_EOF, CFileException::endOfFile},
};

}  // namespace

CString CArchiveException::GetErrorMessage() const {
  CString s = CauseText(kArchiveCauseText, m_cause);
  if (!m_strFileName.IsEmpty()) s += CString(": ") + m_strFileName;
  return s;
}

CString CFileException::GetErrorMessage() const {
  CString s;
  s.Format("%s (os error %ld)", CauseText(kFileCauseText, m_cause), (long)m_lOsError);
  if (!m_strFileName.IsEmpty()) s += CString(": ") + m_strFileName;
  return s;
}

CString CMemoryException::GetErrorMessage() const { return "out of memory"; }

int CFileException::OsErrorToException(LONG lOsError) {
  for (const auto& e : kOsErrorCauses)
    if (e.error == lOsError) return e.cause;
  return generic;
}

void CFileException::ThrowOsError(LONG lOsError, const CString& fileName) {
  throw CFileException(OsErrorToException(lOsError), lOsError, fileName);
}
