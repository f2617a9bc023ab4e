#include "scriptrtf.h"

#include "scripttext.h"

namespace {

// The font families in the order of the FF_ constants (FF_DONTCARE ...
// FF_DECORATIVE, shifted down by four bits).
const char* const kFamilies[] = {"fnil", "froman", "fswiss", "fmodern", "fscript", "fdecor"};

// The effects the text takes from the font's format, each on or off.
const struct {
  DWORD effect;
  const char* on;
  const char* off;
} kEffects[] = {
    {CFE_BOLD, "\\b", "\\b0"},
    {CFE_ITALIC, "\\i", "\\i0"},
    {CFE_UNDERLINE, "\\ul", "\\ulnone"},
    {CFE_STRIKEOUT, "\\strike", "\\strike0"},
};

constexpr char kHexDigits[] = "0123456789abcdef";

}  // namespace

CScriptRtf::CScriptRtf(const char* text, size_t length, long first, const CHARFORMAT2A& font,
                       const PARAFORMAT2& paragraph, const std::vector<COLORREF>& colours)
    : m_text(text ? text : ""), m_length(text ? length : 0) {
  m_at = ScriptByteOfChar(m_text, m_length, first);
  m_pos = first;
  // Most bytes go out as they are; GBK takes four for one.
  m_rtf.reserve(m_length - m_at + (m_length - m_at) / 2 + 512);
  WriteHead(font, paragraph, colours);
}

void CScriptRtf::WriteHead(const CHARFORMAT2A& font, const PARAFORMAT2& paragraph,
                           const std::vector<COLORREF>& colours) {
  const unsigned family = font.bPitchAndFamily >> 4;
  m_rtf += "{\\rtf1\\ansi\\ansicpg936\\deff0{\\fonttbl{\\f0\\";
  m_rtf += family < sizeof kFamilies / sizeof *kFamilies ? kFamilies[family] : kFamilies[0];
  m_rtf += "\\fprq" + std::to_string(font.bPitchAndFamily & 0x03);
  m_rtf += "\\fcharset" + std::to_string(font.bCharSet) + " ";
  for (size_t at = 0; at < sizeof font.szFaceName && font.szFaceName[at]; ++at)
    WriteByte(static_cast<unsigned char>(font.szFaceName[at]));
  // Colour 0 of the table is the automatic one: ours count from 1.
  m_rtf += ";}}\r\n{\\colortbl ;";
  for (COLORREF colour : colours)
    m_rtf += "\\red" + std::to_string(GetRValue(colour)) + "\\green" + std::to_string(GetGValue(colour)) +
             "\\blue" + std::to_string(GetBValue(colour)) + ";";
  m_rtf += "}\r\n";
  // The first paragraph mark gives them to its paragraph; later paragraphs
  // take them from the one they split from.
  for (int i = 0; i < paragraph.cTabCount && i < MAX_TAB_STOPS; ++i)
    m_rtf += "\\tx" + std::to_string(paragraph.rgxTabs[i]);
  m_rtf += "\\f0\\fs" + std::to_string(font.yHeight / 10);  // half points
  for (const auto& effect : kEffects) m_rtf += (font.dwEffects & effect.effect) ? effect.on : effect.off;
  const long offset = font.yOffset / 10;
  m_rtf += offset < 0 ? "\\dn" + std::to_string(-offset) : "\\up" + std::to_string(offset);
  m_rtf += "\r\n";
}

void CScriptRtf::SetColour(size_t colour) {
  if (colour == m_colour) return;
  m_rtf += "\\cf" + std::to_string(colour + 1) + " ";
  m_colour = colour;
}

void CScriptRtf::Run(long end, size_t colour) {
  if (end <= m_pos || m_at >= m_length) return;
  SetColour(colour);
  while (m_pos < end && m_at < m_length) WriteChar();
}

std::string CScriptRtf::Finish(bool replacesAll) {
  if (replacesAll) {
    SetColour(0);
    m_rtf += "\\par";
  }
  m_rtf += "}";
  return std::move(m_rtf);
}

void CScriptRtf::WriteChar() {
  const size_t bytes = ScriptCharBytes(m_text, m_length, m_at);
  const unsigned char first = static_cast<unsigned char>(m_text[m_at]);
  if (first == '\r' || first == '\n') {
    m_rtf += "\\par\r\n";
  } else if (first == '\t') {
    m_rtf += "\\tab ";
  } else {
    for (size_t i = 0; i < bytes; ++i) WriteByte(static_cast<unsigned char>(m_text[m_at + i]));
  }
  m_at += bytes;
  ++m_pos;
}

void CScriptRtf::WriteByte(unsigned char byte) {
  if (byte == '\\' || byte == '{' || byte == '}') {
    m_rtf += '\\';
    m_rtf += static_cast<char>(byte);
  } else if (byte < 0x20 || byte >= 0x80) {
    m_rtf += "\\'";
    m_rtf += kHexDigits[byte >> 4];
    m_rtf += kHexDigits[byte & 0x0F];
  } else {
    m_rtf += static_cast<char>(byte);
  }
}
