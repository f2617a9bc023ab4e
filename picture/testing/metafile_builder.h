// Metafiles for the tests and the damaged-picture benchmark: an enhanced
// metafile or a placeable Windows metafile put together record by record
// (so that a test can hold exactly the damage it names), and an enhanced
// metafile recorded through the platform.
#pragma once

#include <windows.h>

#include <functional>
#include <initializer_list>
#include <vector>

namespace metafiletest {

// A float as the 32-bit word a record stores.
DWORD FloatWord(float value);

// An enhanced metafile: the header (a reference device of 10 pixels per
// millimetre, a frame of 1,000 x 1,000 hundredths of a millimetre, so 100 x
// 100 pixels), the records added, the end record.
class EmfBuilder {
 public:
  // A record of this type holding these 32-bit words after its type and size.
  EmfBuilder& Add(DWORD type, std::initializer_list<DWORD> words);
  EmfBuilder& Add(DWORD type, const std::vector<DWORD>& words);
  // The same record n times.
  EmfBuilder& Repeat(size_t n, DWORD type, std::initializer_list<DWORD> words);

  EmfBuilder& Frame(LONG right, LONG bottom);  // hundredths of a millimetre
  EmfBuilder& Handles(WORD n);

  std::vector<BYTE> Bytes() const;

 private:
  std::vector<DWORD> m_words;  // the records, as words
  DWORD m_records = 0;
  LONG m_frameRight = 1000;
  LONG m_frameBottom = 1000;
  WORD m_handles = 8;
};

// A placeable Windows metafile with the bounding box (0, 0)-(100, 100):
// the placeable header, the metafile header, the records, the end record.
class WmfBuilder {
 public:
  // A record of this function with these 16-bit parameters.
  WmfBuilder& Add(WORD function, std::initializer_list<WORD> params);
  WmfBuilder& Objects(WORD n);
  std::vector<BYTE> Bytes() const;

 private:
  std::vector<WORD> m_words;
  DWORD m_largest = 3;
  WORD m_objects = 8;
};

// An enhanced metafile recorded through the platform: draw() on a metafile
// DC with the frame (hundredths of a millimetre) given.
std::vector<BYTE> RecordedEmf(const RECT& frame, const std::function<void(HDC)>& draw);

}  // namespace metafiletest
