#include "rtfcolours.h"

#include <cctype>
#include <cstdlib>

#include "scripttext.h"

namespace {

// What the text of a group is.
enum class Destination { kText, kColourTable, kSkipped };

// Destinations whose groups hold no text of the document.
const char* const kSkippedDestinations[] = {"fonttbl", "stylesheet", "info",  "pict",
                                            "object",  "header",     "footer"};
// Control words that stand for one character of the text.
const char* const kCharacterWords[] = {"par", "tab", "line", "sect", "page"};

bool IsLetter(char c) { return std::isalpha(static_cast<unsigned char>(c)) != 0; }
bool IsDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }
bool IsHexDigit(char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; }

template <size_t N>
bool IsIn(const std::string& word, const char* const (&words)[N]) {
  for (const char* w : words)
    if (word == w) return true;
  return false;
}

class CColourReader {
 public:
  CColourReader(const char* rtf, size_t length) : m_rtf(rtf), m_length(length) {}

  std::vector<RtfColourRun> Read() {
    while (m_at < m_length && !m_ended) {
      const char c = m_rtf[m_at++];
      if (c == '{') {
        OpenGroup();
      } else if (c == '}') {
        CloseGroup();
      } else if (c == '\\') {
        ControlSequence();
      } else if (c != '\r' && c != '\n' && c != '\0') {
        TextByte(static_cast<unsigned char>(c));
      }
    }
    Flush();
    return std::move(m_runs);
  }

 private:
  struct Group {
    Destination destination;
    COLORREF colour;
    int fallbackBytes;  // \uc: the bytes that stand in for a \u character
  };

  void OpenGroup() {
    Flush();
    if (m_groups.size() >= kMaxRtfGroups) {
      m_ended = true;
      return;
    }
    m_groups.push_back(m_group);
    m_groupStart = true;
  }

  void CloseGroup() {
    Flush();
    if (m_groups.empty()) {
      m_ended = true;
      return;
    }
    m_group = m_groups.back();
    m_groups.pop_back();
    m_groupStart = false;
    m_ended = m_groups.empty();  // the document's group
  }

  void ControlSequence() {
    if (m_at >= m_length) return;
    const char c = m_rtf[m_at];
    if (IsLetter(c)) {
      ControlWord();
      return;
    }
    ++m_at;
    if (c == '\'') {
      HexByte();
    } else if (c == '\\' || c == '{' || c == '}') {
      TextByte(static_cast<unsigned char>(c));
    } else if (c == '*' && m_groupStart) {
      m_group.destination = Destination::kSkipped;
    } else if (c == '~' || c == '_' || c == '\r' || c == '\n') {
      Characters(1);  // a fixed space or hyphen; an escaped line end is a paragraph mark
    }
    m_groupStart = false;
  }

  // \'hh: one byte of text.
  void HexByte() {
    if (m_length - m_at < 2 || !IsHexDigit(m_rtf[m_at]) || !IsHexDigit(m_rtf[m_at + 1])) return;
    const char digits[3] = {m_rtf[m_at], m_rtf[m_at + 1], '\0'};
    m_at += 2;
    TextByte(static_cast<unsigned char>(std::strtol(digits, nullptr, 16)));
  }

  void ControlWord() {
    const size_t wordStart = m_at;
    while (m_at < m_length && IsLetter(m_rtf[m_at])) ++m_at;
    const std::string word(m_rtf + wordStart, m_at - wordStart);
    // Its parameter, a signed number of ten digits at most, and the blank
    // that may end it.
    std::string digits;
    if (m_at < m_length && m_rtf[m_at] == '-') digits += m_rtf[m_at++];
    while (m_at < m_length && IsDigit(m_rtf[m_at]) && digits.size() < 11) digits += m_rtf[m_at++];
    const bool hasNumber = !digits.empty() && digits.back() != '-';
    const long number = hasNumber ? std::strtol(digits.c_str(), nullptr, 10) : 0;
    if (m_at < m_length && m_rtf[m_at] == ' ') ++m_at;
    Word(word, hasNumber, number);
    m_groupStart = false;
  }

  void Word(const std::string& word, bool hasNumber, long number) {
    if (m_group.destination == Destination::kSkipped) return;
    if (m_group.destination == Destination::kColourTable) {
      ColourComponent(word, number);
      return;
    }
    if (m_groupStart && IsIn(word, kSkippedDestinations)) {
      m_group.destination = Destination::kSkipped;
    } else if (m_groupStart && word == "colortbl") {
      m_group.destination = Destination::kColourTable;
      m_table.clear();
    } else if (word == "cf") {
      Flush();
      const size_t index = hasNumber && number > 0 ? static_cast<size_t>(number) : 0;
      m_group.colour = index && index < m_table.size() ? m_table[index] : kRtfAutoColour;
    } else if (word == "plain") {
      Flush();
      m_group.colour = kRtfAutoColour;
    } else if (word == "uc") {
      m_group.fallbackBytes = hasNumber && number >= 0 ? static_cast<int>(number) : 1;
    } else if (word == "u") {
      Characters(1);
      m_skipBytes = m_group.fallbackBytes;
    } else if (IsIn(word, kCharacterWords)) {
      Characters(1);
    }
  }

  void ColourComponent(const std::string& word, long number) {
    const int value = number < 0 ? 0 : number > 255 ? 255 : static_cast<int>(number);
    if (word == "red") m_red = value;
    if (word == "green") m_green = value;
    if (word == "blue") m_blue = value;
  }

  // A ";" of the colour table: the entry so far (none given: automatic).
  void EndColourEntry() {
    m_table.push_back(m_red < 0 && m_green < 0 && m_blue < 0
                          ? kRtfAutoColour
                          : RGB(m_red < 0 ? 0 : m_red, m_green < 0 ? 0 : m_green, m_blue < 0 ? 0 : m_blue));
    m_red = m_green = m_blue = -1;
  }

  void TextByte(unsigned char byte) {
    m_groupStart = false;
    if (m_group.destination == Destination::kColourTable) {
      if (byte == ';') EndColourEntry();
      return;
    }
    if (m_group.destination == Destination::kSkipped) return;
    if (m_skipBytes > 0) {
      --m_skipBytes;
      return;
    }
    m_pending += static_cast<char>(byte);
  }

  void Characters(long count) {
    if (m_group.destination != Destination::kText) return;
    Flush();
    Add(count);
  }

  // The bytes of text so far, counted as characters: a GBK character's two
  // bytes always stand together.
  void Flush() {
    if (m_pending.empty()) return;
    Add(ScriptCharCount(m_pending.data(), m_pending.size()));
    m_pending.clear();
  }

  void Add(long count) {
    if (count <= 0) return;
    if (!m_runs.empty() && m_runs.back().colour == m_group.colour)
      m_runs.back().length += count;
    else
      m_runs.push_back({count, m_group.colour});
  }

  const char* m_rtf;
  size_t m_length;
  size_t m_at = 0;
  bool m_ended = false;
  bool m_groupStart = false;  // nothing read yet in the group just opened
  Group m_group = {Destination::kText, kRtfAutoColour, 1};
  std::vector<Group> m_groups;
  std::vector<COLORREF> m_table;
  int m_red = -1, m_green = -1, m_blue = -1;  // the colour table's entry being read
  int m_skipBytes = 0;
  std::string m_pending;
  std::vector<RtfColourRun> m_runs;
};

}  // namespace

std::vector<RtfColourRun> ReadRtfColours(const char* rtf, size_t length) {
  return CColourReader(rtf, length).Read();
}
