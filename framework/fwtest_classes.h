// Small serializable classes for the framework's tests. Each counts its live
// instances, so a test can prove that a failed load leaks nothing.
#pragma once
#include <windows.h>

#include <functional>
#include <vector>

#include "framework.h"

class CCountedObject : public CObject {
  DECLARE_DYNAMIC(CCountedObject)
 public:
  CCountedObject() { ++s_live; }
  ~CCountedObject() override { --s_live; }
  static int s_live;
};

// A record with a few fields.
class CTestItem : public CCountedObject {
  DECLARE_SERIAL(CTestItem)
 public:
  int m_a = 0;
  int m_b = 0;
  double m_d = 0;
  CString m_s;
  void Serialize(CArchive& ar) override;
};

// Another class, not derived from CTestItem.
class CTestOther : public CCountedObject {
  DECLARE_SERIAL(CTestOther)
 public:
  WORD m_w = 0;
  void Serialize(CArchive& ar) override;
};

// Two borrowed pointers (plain object references; the pair owns nothing).
class CTestPair : public CCountedObject {
  DECLARE_SERIAL(CTestPair)
 public:
  CObject* m_p1 = nullptr;
  CObject* m_p2 = nullptr;
  void Serialize(CArchive& ar) override;
};

// A test-only stand-in of the picture's layer: two strings and an owned list
// of CCountedObject elements, deleted with the layer.
class CPicLayer : public CCountedObject {
  DECLARE_SERIAL(CPicLayer)
 public:
  CString m_name = "default";
  CString m_second;
  CObList m_objects;
  ~CPicLayer() override;
  void Serialize(CArchive& ar) override;
};

void RegisterTestClasses();

// Deletes every element of a list (what the owner of a loaded list does).
void DeleteContents(CObList& list);

using Bytes = std::vector<BYTE>;
Bytes StoreBytes(const std::function<void(CArchive&)>& write, int bufSize = 4096);
void LoadBytes(const Bytes& bytes, const std::function<void(CArchive&)>& read, int bufSize = 4096);
// The cause of the CArchiveException that read throws on bytes, or -1 when none.
int LoadFailureCause(const Bytes& bytes, const std::function<void(CArchive&)>& read, int bufSize = 4096);

// Byte-building helpers for expected streams.
void Append(Bytes& b, const char* text);
void AppendWord(Bytes& b, WORD w);
void AppendDword(Bytes& b, DWORD d);
