#include "metafile_builder.h"

#include <cstring>

namespace metafiletest {

namespace {

constexpr DWORD kEnhancedSignature = 0x464D4520;
constexpr DWORD kHeaderBytes = 88;
// A reference device of 10 pixels per millimetre.
constexpr LONG kDevicePixels = 1000;
constexpr LONG kDeviceMillimetres = 100;

void PutWords(std::vector<BYTE>& out, const std::vector<DWORD>& words) {
  const size_t at = out.size();
  out.resize(at + words.size() * 4);
  std::memcpy(out.data() + at, words.data(), words.size() * 4);
}

}  // namespace

DWORD FloatWord(float value) {
  DWORD word;
  std::memcpy(&word, &value, sizeof word);
  return word;
}

EmfBuilder& EmfBuilder::Add(DWORD type, std::initializer_list<DWORD> words) {
  return Add(type, std::vector<DWORD>(words));
}

EmfBuilder& EmfBuilder::Add(DWORD type, const std::vector<DWORD>& words) {
  m_words.push_back(type);
  m_words.push_back(static_cast<DWORD>(8 + words.size() * 4));
  m_words.insert(m_words.end(), words.begin(), words.end());
  ++m_records;
  return *this;
}

EmfBuilder& EmfBuilder::Repeat(size_t n, DWORD type, std::initializer_list<DWORD> words) {
  for (size_t i = 0; i < n; ++i) Add(type, words);
  return *this;
}

EmfBuilder& EmfBuilder::Frame(LONG right, LONG bottom) {
  m_frameRight = right;
  m_frameBottom = bottom;
  return *this;
}

EmfBuilder& EmfBuilder::Handles(WORD n) {
  m_handles = n;
  return *this;
}

std::vector<BYTE> EmfBuilder::Bytes() const {
  const std::vector<DWORD> end = {EMR_EOF, 20, 0, 16, 20};
  const DWORD total = kHeaderBytes + static_cast<DWORD>(m_words.size() * 4 + end.size() * 4);
  const LONG boundsRight = m_frameRight * kDevicePixels / kDeviceMillimetres / 100;
  const LONG boundsBottom = m_frameBottom * kDevicePixels / kDeviceMillimetres / 100;
  const std::vector<DWORD> header = {
      EMR_HEADER,
      kHeaderBytes,
      0,
      0,
      static_cast<DWORD>(boundsRight),
      static_cast<DWORD>(boundsBottom),  // bounds
      0,
      0,
      static_cast<DWORD>(m_frameRight),
      static_cast<DWORD>(m_frameBottom),  // frame
      kEnhancedSignature,
      0x10000,
      total,
      m_records + 2,
      m_handles,  // handles, reserved
      0,
      0,
      0,  // description, palette
      static_cast<DWORD>(kDevicePixels),
      static_cast<DWORD>(kDevicePixels),
      static_cast<DWORD>(kDeviceMillimetres),
      static_cast<DWORD>(kDeviceMillimetres),
  };
  std::vector<BYTE> out;
  PutWords(out, header);
  PutWords(out, m_words);
  PutWords(out, end);
  return out;
}

WmfBuilder& WmfBuilder::Add(WORD function, std::initializer_list<WORD> params) {
  const DWORD size = static_cast<DWORD>(3 + params.size());
  m_words.push_back(static_cast<WORD>(size & 0xFFFF));
  m_words.push_back(static_cast<WORD>(size >> 16));
  m_words.push_back(function);
  m_words.insert(m_words.end(), params.begin(), params.end());
  if (size > m_largest) m_largest = size;
  return *this;
}

WmfBuilder& WmfBuilder::Objects(WORD n) {
  m_objects = n;
  return *this;
}

std::vector<BYTE> WmfBuilder::Bytes() const {
  std::vector<WORD> words = {0xCDD7, 0x9AC6, 0, 0, 0, 100, 100, 96, 0, 0, 0};
  WORD sum = 0;
  for (int i = 0; i < 10; ++i) sum ^= words[i];
  words[10] = sum;
  const DWORD total = 9 + static_cast<DWORD>(m_words.size()) + 3;
  const std::vector<WORD> header = {1,
                                    9,
                                    0x300,
                                    static_cast<WORD>(total & 0xFFFF),
                                    static_cast<WORD>(total >> 16),
                                    m_objects,
                                    static_cast<WORD>(m_largest & 0xFFFF),
                                    static_cast<WORD>(m_largest >> 16),
                                    0};
  words.insert(words.end(), header.begin(), header.end());
  words.insert(words.end(), m_words.begin(), m_words.end());
  const WORD end[3] = {3, 0, 0};
  words.insert(words.end(), end, end + 3);
  std::vector<BYTE> out(words.size() * 2);
  std::memcpy(out.data(), words.data(), out.size());
  return out;
}

std::vector<BYTE> RecordedEmf(const RECT& frame, const std::function<void(HDC)>& draw) {
  HDC screen = ::GetDC(nullptr);
  HDC dc = ::CreateEnhMetaFileW(screen, nullptr, &frame, nullptr);
  ::ReleaseDC(nullptr, screen);
  if (!dc) return {};
  draw(dc);
  HENHMETAFILE emf = ::CloseEnhMetaFile(dc);
  if (!emf) return {};
  std::vector<BYTE> bytes(::GetEnhMetaFileBits(emf, 0, nullptr));
  ::GetEnhMetaFileBits(emf, static_cast<UINT>(bytes.size()), bytes.data());
  ::DeleteEnhMetaFile(emf);
  return bytes;
}

}  // namespace metafiletest
