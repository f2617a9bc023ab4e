// Picture streams written out by hand, field by field, in the order that the
// picture file stores them: the golden bytes of the storage tests and the
// generated pictures of the nesting tests are built with these, never by the
// classes that they check.
#pragma once

#include <windows.h>

#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "geometry.h"
#include "objtest_util.h"

namespace streamtest {

class Bytes {
 public:
  Bytes& Byte(BYTE b) {
    v.push_back(b);
    return *this;
  }
  Bytes& Word(WORD w) { return Byte(static_cast<BYTE>(w)).Byte(static_cast<BYTE>(w >> 8)); }
  Bytes& Int(DWORD d) {
    objtest::AppendU32(v, d);
    return *this;
  }
  Bytes& Double(double d) {
    objtest::AppendDouble(v, d);
    return *this;
  }
  Bytes& Doubles(std::initializer_list<double> ds) {
    for (double d : ds) Double(d);
    return *this;
  }
  Bytes& Raw(const void* p, size_t n) {
    const BYTE* b = static_cast<const BYTE*>(p);
    v.insert(v.end(), b, b + n);
    return *this;
  }
  // A string shorter than 255 bytes: its length byte, then its bytes.
  Bytes& Text(const char* s) {
    const size_t n = std::strlen(s);
    return Byte(static_cast<BYTE>(n)).Raw(s, n);
  }
  // A LOGFONTA: five 4-byte integers, eight bytes, the 32-byte face name.
  Bytes& Font(const LOGFONTA& f) {
    Int(f.lfHeight).Int(f.lfWidth).Int(f.lfEscapement).Int(f.lfOrientation).Int(f.lfWeight);
    Byte(f.lfItalic).Byte(f.lfUnderline).Byte(f.lfStrikeOut).Byte(f.lfCharSet);
    Byte(f.lfOutPrecision).Byte(f.lfClipPrecision).Byte(f.lfQuality).Byte(f.lfPitchAndFamily);
    return Raw(f.lfFaceName, sizeof f.lfFaceName);
  }

  std::vector<BYTE> v;
};

// The fields that every draw object stores first.
struct ObjPart {
  const char* name = "";
  const char* comment = "";
  double left = 0, top = 0, right = 0, bottom = 0;
  DWORD lineColor = 0;
  DWORD secondColor = 0;
  DWORD lineWidth = 1;
  DWORD lineStyle = 0;
  DWORD fillStyle = 0;
  DWORD fill1 = 0xFFFFFF;
  DWORD fill2 = 0;
  DWORD visible = 1;
  DWORD reserved[3] = {0, 0, 0};
  const char* reservedText = "";
  WORD links = 0;  // the link array's count; the links themselves follow it
};

inline Bytes& AppendObjPart(Bytes& b, const ObjPart& o) {
  b.Text(o.name).Text(o.comment).Doubles({o.left, o.top, o.right, o.bottom});
  b.Int(o.lineColor).Int(o.secondColor).Int(o.lineWidth).Int(o.lineStyle).Int(o.fillStyle);
  b.Int(o.fill1).Int(o.fill2).Int(o.visible);
  b.Int(o.reserved[0]).Int(o.reserved[1]).Int(o.reserved[2]).Text(o.reservedText);
  return b.Word(o.links);
}

// Object references of one stream: a class record the first time a class
// occurs, its index afterwards, with the archive's one running index shared
// by classes and objects.
class References {
 public:
  void NewObject(Bytes& b, const char* className) {
    auto it = m_classes.find(className);
    if (it == m_classes.end()) {
      b.Word(0xFFFF).Word(0).Word(static_cast<WORD>(std::strlen(className)));
      b.Raw(className, std::strlen(className));
      m_classes[className] = m_next++;
    } else if (it->second < 0x7FFF) {
      b.Word(static_cast<WORD>(0x8000 | it->second));
    } else {
      b.Word(0x7FFF).Int(0x80000000 | it->second);
    }
    ++m_next;  // the object's own index
  }

 private:
  std::map<std::string, DWORD> m_classes;
  DWORD m_next = 1;
};

// The picture's own fields before its layer list, all at their defaults but
// the background colour.
inline Bytes& AppendPictureHead(Bytes& b, DWORD background) {
  b.Text("").Int(background).Int(960).Int(680).Text("").Int(0).Int(0).Int(1000).Int(0);
  return b.Text("").Text("");
}

// Groups nested in a picture: the background of the picture and the
// rectangle of the leaf that the innermost group holds.
constexpr DWORD kBackground = 0x00C8D0D4;
inline const CRectD kLeafRect(10, 10, 30, 30);

// A picture whose one layer holds groups nested levels.size() deep around one
// rectangle named "leaf", as raw bytes: the model cannot build it past the
// bound. Every group's stored rectangle is the leaf's, as a loaded group has it.
inline std::vector<BYTE> NestedPictureBytes(const std::vector<const char*>& levels) {
  Bytes b;
  References refs;
  AppendPictureHead(b, kBackground);
  b.Word(1);
  refs.NewObject(b, "CPicLayer");
  b.Text("default").Text("").Word(1);
  ObjPart part;
  part.left = kLeafRect.left;
  part.top = kLeafRect.top;
  part.right = kLeafRect.right;
  part.bottom = kLeafRect.bottom;
  for (const char* level : levels) {
    refs.NewObject(b, level);
    AppendObjPart(b, part).Word(1);
  }
  refs.NewObject(b, "CDrawRect");
  part.name = "leaf";
  part.fillStyle = 1;
  AppendObjPart(b, part);
  b.Doubles({kLeafRect.left, kLeafRect.top, kLeafRect.right, kLeafRect.top, kLeafRect.right, kLeafRect.bottom,
             kLeafRect.left, kLeafRect.bottom});
  // The sub-pictures' own fields follow their child lists, innermost first.
  for (auto it = levels.rbegin(); it != levels.rend(); ++it)
    if (std::string(*it) == "CDrawCell") b.Raw(std::vector<BYTE>(16, 0).data(), 16).Text("").Text("");
  return b.v;
}

// Groups only, depth levels of them.
inline std::vector<BYTE> NestedGroupBytes(int depth) {
  return NestedPictureBytes(std::vector<const char*>(depth, "CDrawGroup"));
}

}  // namespace streamtest
