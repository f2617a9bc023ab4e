// Pictures and clipboard blocks from outside that name code no picture may
// start, for the tests of both picture windows: a plug-in object that names
// the marker library outside the program folder by its full path, and an
// ActiveX object of the test control's document class, which is no control;
// at the top of a layer, in a group or in a sub-picture cell. Both leave the
// tests' load marker (framework/testing/loadmarker.h) when their code runs.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

class CDrawObj;

namespace foreign {

enum class Nesting { kTop, kGroup, kCell };

struct NestingCase {
  Nesting nesting;
  const char* what;
};
inline const NestingCase kNestings[] = {
    {Nesting::kTop, "at the top of the layer"},
    {Nesting::kGroup, "in a group"},
    {Nesting::kCell, "in a sub-picture cell"},
};

constexpr char kPluginName[] = "泵1";
constexpr char kActiveXName[] = "文档1";

// The marker library's full path, below the folder of the tests.
std::string LibraryPath();
// The two objects, nested as asked: what a layer holds (one group or cell,
// or the two objects themselves), new, for the caller to own.
std::vector<CDrawObj*> NewObjects(Nesting nesting);
// A 640 x 480 picture of one layer holding them.
std::vector<BYTE> PictureBytes(Nesting nesting, const char* fileName);
// True for the editor's report of the plug-in object and its library.
bool IsRefusalReport(const std::string& text);

}  // namespace foreign
