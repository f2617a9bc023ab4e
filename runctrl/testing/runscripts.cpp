#include "runscripts.h"

#include <cstdio>
#include <string>

#include "../../compiler/compile.h"
#include "actkinds.h"
#include "crtformat.h"
#include "drawobj.h"
#include "runharness.h"

namespace runtest {

namespace {

// The system-function list delivered beside the compiler, read as the
// compiler reads it (text mode).
const std::string& Stdlib() {
  static const std::string text = [] {
    std::string lines;
    if (FILE* f = std::fopen("..\\out\\sc\\stdlib.txt", "rb")) {
      int c;
      while ((c = std::fgetc(f)) != EOF)
        if (c != '\r') lines += static_cast<char>(c);
      std::fclose(f);
    }
    return lines;
  }();
  return text;
}

// Gives the link the compiled source (script mode, own period of 100 ms) and
// adds it to the object; the link is dropped when the source does not compile.
bool AddScript(CDrawObj& obj, CAction* link, const std::string& source) {
  tarnic::CompileOutput out = tarnic::CompileText(source, Stdlib());
  if (!out.generated) {
    delete link;
    return false;
  }
  link->m_nMode = AM_SCRIPT;
  link->m_nTrigger = 1;
  link->m_nPeriod = 100;
  link->m_script.m_strSource = source.c_str();
  link->m_script.m_code.SetData(out.code.data(), static_cast<int>(out.code.size()));
  obj.AddAction(link);
  return true;
}

}  // namespace

bool AddMoveLink(CDrawObj& obj, const char* name, const char* tag, double x0, double y0) {
  const std::string source = qel::FormatStr(
      "int main()\n{\n  double v;\n  v = 0.0;\n  dbr_GetDbVal(\"%s\", &v);\n"
      "  MoveTo(\"%s\", %f + v, %f);\n  return 0;\n}\n",
      tag, name, x0, y0);
  obj.m_strName = name;
  return AddScript(obj, new CActMove, source);
}

bool AddScriptLink(CDrawObj& obj, const std::string& source) { return AddScript(obj, new CAction, source); }

bool ScriptsRun() {
  RegisterClassesOnce();
  CDrawObj owner;
  if (!AddMoveLink(owner, "o", "t", 0, 0)) return false;
  DrawViewContext view;
  owner.PrepareActions(&view);
  auto* link = static_cast<CAction*>(owner.GetActions().GetAt(0));
  return link->m_script.HasMachine();
}

}  // namespace runtest
