// CFile on disk and CMemFile in memory.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "docfile.h"
#include "framework.h"

namespace {

// A fresh folder under the system's temp folder, removed with its files.
class TempFolder {
 public:
  TempFolder() {
    char base[MAX_PATH];
    GetTempPathA(MAX_PATH, base);
    path_.Format("%sqelfw_%lu_%lu", base, GetCurrentProcessId(), GetTickCount());
    CreateDirectoryA(path_, nullptr);
  }
  ~TempFolder() {
    for (const CString& f : files_) DeleteFileA(f);
    RemoveDirectoryA(path_);
  }
  CString File(const char* name) {
    CString f = path_ + "\\" + name;
    files_.push_back(f);
    return f;
  }

 private:
  CString path_;
  std::vector<CString> files_;
};

TEST(CFileTest, WriteReadSeekTruncateRoundTrip) {
  TempFolder dir;
  CString name = dir.File("a.pic");
  {
    CFile f(name, CFile::modeCreate | CFile::modeWrite | CFile::typeBinary);
    f.Write("0123456789", 10);
    EXPECT_EQ(f.GetLength(), 10u);
    EXPECT_EQ(f.GetFilePath(), name);
    f.Close();
  }
  CFile f;
  ASSERT_TRUE(f.Open(name, CFile::modeReadWrite | CFile::modeNoTruncate | CFile::modeCreate));
  EXPECT_EQ(f.GetLength(), 10u);  // modeNoTruncate kept the contents
  char buf[16] = {};
  EXPECT_EQ(f.Seek(4, CFile::begin), 4);
  EXPECT_EQ(f.Read(buf, 3), 3u);
  EXPECT_STREQ(buf, "456");
  EXPECT_EQ(f.GetPosition(), 7u);
  EXPECT_EQ(f.Read(buf, 16), 3u);  // short at the end
  EXPECT_EQ(f.Read(buf, 16), 0u);
  f.SetLength(5);
  EXPECT_EQ(f.GetLength(), 5u);
  EXPECT_EQ(f.SeekToEnd(), 5u);
  f.Write("XY", 2);
  f.SeekToBegin();
  memset(buf, 0, sizeof buf);
  EXPECT_EQ(f.Read(buf, 16), 7u);
  EXPECT_STREQ(buf, "01234XY");
  f.Close();
}

TEST(CFileTest, ArchiveThroughADiskFile) {
  TempFolder dir;
  CString name = dir.File("b.pic");
  {
    CFile f(name, CFile::modeCreate | CFile::modeWrite);
    CArchive ar(&f, CArchive::store);
    for (int i = 0; i < 3000; ++i) ar << i << CString('v', i % 300);
    ar.Close();
  }
  CFile f(name, CFile::modeRead | CFile::shareDenyWrite);
  CArchive ar(&f, CArchive::load);
  for (int i = 0; i < 3000; ++i) {
    int v;
    CString s;
    ar >> v >> s;
    ASSERT_EQ(v, i);
    ASSERT_EQ(s.GetLength(), i % 300);
  }
  EXPECT_EQ(ar.GetBytesLeft(), 0u);
}

TEST(CFileTest, OpenFailureReportsTheCause) {
  TempFolder dir;
  CFile f;
  CFileException e;
  EXPECT_FALSE(f.Open(dir.File("missing.pic"), CFile::modeRead, &e));
  EXPECT_EQ(e.m_cause, CFileException::fileNotFound);
  EXPECT_EQ(e.m_lOsError, (LONG)ERROR_FILE_NOT_FOUND);
  try {
    CFile g(dir.File("no\\such\\folder.pic"), CFile::modeRead);
    FAIL();
  } catch (CFileException& ex) {
    EXPECT_EQ(ex.m_cause, CFileException::badPath);
  }
}

std::string FileText(const char* path) {
  CFile f;
  if (!f.Open(path, CFile::modeRead | CFile::shareDenyWrite)) return std::string();
  std::string text(f.GetLength(), '\0');
  text.resize(f.Read(&text[0], static_cast<UINT>(text.size())));
  return text;
}

void WriteText(const char* path, const std::string& text) {
  CFile f(path, CFile::modeCreate | CFile::modeWrite);
  f.Write(text.data(), static_cast<UINT>(text.size()));
  f.Close();
}

bool Exists(const char* path) { return ::GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES; }

TEST(CFileTest, AWriteLimitFillsTheDiskAfterItsBytes) {
  TempFolder dir;
  CString name = dir.File("full.pic");
  CFile f(name, CFile::modeCreate | CFile::modeWrite);
  {
    CFileWriteLimit limit(5);
    f.Write("abc", 3);
    try {
      f.Write("defg", 4);
      FAIL() << "the write past the limit was taken";
    } catch (CFileException& e) {
      EXPECT_EQ(e.m_cause, CFileException::diskFull);
    }
    EXPECT_THROW(f.Write("h", 1), CFileException);
    CMemFile memory;
    memory.Write("in memory", 9);  // not a disk
    EXPECT_EQ(memory.GetLength(), 9u);
  }
  f.Write("Z", 1);
  f.Close();
  EXPECT_EQ(FileText(name), "abcdeZ");
}

TEST(DocFile, AWriteThatFailsHalfWayLeavesTheOldFile) {
  TempFolder dir;
  CString path = dir.File("f.bin");
  CString temp = dir.File("f.bin.~save");
  WriteText(path, "old bytes");
  EXPECT_FALSE(QelWriteDocumentFile(path, [](CArchive& ar) {
    ar << (DWORD)7;
    throw CFileException(CFileException::diskFull);
  }));
  EXPECT_EQ(FileText(path), "old bytes");
  EXPECT_FALSE(Exists(temp));
  EXPECT_TRUE(QelWriteDocumentFile(path, [](CArchive& ar) { ar << (BYTE)'n'; }));
  EXPECT_EQ(FileText(path), "n");
  EXPECT_FALSE(Exists(temp));
}

TEST(DocFile, ADiskThatFillsHalfWayLeavesTheOldFile) {
  TempFolder dir;
  CString path = dir.File("f.bin");
  CString temp = dir.File("f.bin.~save");
  WriteText(path, "old bytes");
  const CString text('n', 6000);  // more than one archive buffer
  for (DWORD bytes : {0u, 1u, 4096u, 6000u}) {
    CFileWriteLimit limit(bytes);
    EXPECT_FALSE(QelWriteDocumentFile(path, [&](CArchive& ar) { ar.WriteString(text); })) << bytes;
    EXPECT_EQ(FileText(path), "old bytes") << bytes;
    EXPECT_FALSE(Exists(temp)) << bytes;
  }
}

// A size that only the 64-bit flavour can have is no file length; its low
// 32 bits would pass for a short file.
TEST(CFileTest, FileLengthsAreThoseThatThirtyTwoBitsHold) {
  struct Case {
    unsigned long long bytes;
    bool fits;
  };
  const Case cases[] = {{0, true},
                        {1, true},
                        {0xFFFFFFFFull, true},
                        {0x100000000ull, false},
                        {0x100000001ull, false},
                        {0xFFFFFFFFFFFFFFFFull, false}};
  for (const Case& c : cases) {
    if (c.bytes > SIZE_MAX) continue;  // the 32-bit flavour holds no such size
    EXPECT_EQ(FitsFileLength(static_cast<size_t>(c.bytes)), c.fits) << c.bytes;
  }
}

TEST(CMemFileTest, GrowsInSteps) {
  CMemFile f;  // grow step 1,024
  BYTE chunk[100];
  memset(chunk, 7, sizeof chunk);
  for (int i = 0; i < 30; ++i) f.Write(chunk, sizeof chunk);
  EXPECT_EQ(f.GetLength(), 3000u);
  EXPECT_EQ(f.GetPosition(), 3000u);
  f.Seek(-1000, CFile::end);
  BYTE back[2000];
  EXPECT_EQ(f.Read(back, sizeof back), 1000u);
  EXPECT_EQ(back[999], 7);
  f.SetLength(10);
  EXPECT_EQ(f.GetLength(), 10u);
  EXPECT_THROW(f.Seek(-1, CFile::begin), CFileException);
  // A write after a seek past the end fills the gap with zeros.
  f.Seek(20, CFile::begin);
  f.Write("!", 1);
  EXPECT_EQ(f.GetLength(), 21u);
  EXPECT_EQ(f.GetData()[15], 0);
  EXPECT_EQ(f.GetData()[20], '!');
}

TEST(CMemFileTest, AttachReadsTheCallersBytesWithoutCopying) {
  BYTE bytes[] = {1, 2, 3, 4};
  CMemFile f(bytes, sizeof bytes);
  EXPECT_EQ(f.GetLength(), 4u);
  EXPECT_EQ(f.GetData(), bytes);
  BYTE b[4];
  EXPECT_EQ(f.Read(b, 4), 4u);
  EXPECT_EQ(b[3], 4);
  // Not growable: writing inside is fine, past the end is not.
  f.SeekToBegin();
  f.Write("\x09", 1);
  EXPECT_EQ(bytes[0], 9);
  f.SeekToEnd();
  EXPECT_THROW(f.Write("x", 1), CMemoryException);
  EXPECT_EQ(f.Detach(), bytes);
  EXPECT_EQ(f.GetLength(), 0u);
}

TEST(CMemFileTest, GrowableAttachMovesToItsOwnStorage) {
  BYTE bytes[4] = {};
  CMemFile f;
  f.Attach(bytes, sizeof bytes, 16);
  EXPECT_EQ(f.GetLength(), 0u);
  f.Write("abc", 3);
  EXPECT_EQ(f.GetData(), bytes);
  f.Write("defg", 4);
  EXPECT_NE(f.GetData(), bytes);
  EXPECT_EQ(memcmp(f.GetData(), "abcdefg", 7), 0);
  DWORD len = f.GetLength();
  BYTE* p = f.Detach();
  EXPECT_EQ(len, 7u);
  EXPECT_EQ(memcmp(p, "abcdefg", 7), 0);
  free(p);
}

}  // namespace
