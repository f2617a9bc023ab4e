#include "editctrl_pictures.h"

#include "editctrl_harness.h"

#include <memory>

#include "actkinds.h"
#include "drawrect.h"
#include "linkclasses.h"
#include "picfile.h"
#include "picobj.h"
#include "pictureclasses.h"

namespace edittest {

void RegisterModel() {
  static bool done = false;
  if (done) return;
  RegisterPictureClasses();
  RegisterLinkClasses();
  done = true;
}

std::vector<BYTE> SamplePictureBytes(const char* fileName) {
  RegisterModel();
  CPicObj picture;
  picture.m_strName = fileName;
  picture.m_nWidth = 640;
  picture.m_nHeight = 480;
  picture.EnsureLayer();
  auto* top = static_cast<CPicLayer*>(picture.m_layers.GetHead());
  auto* rect = new CDrawRect;
  rect->SetCorners(CRectD(16, 24, 120, 80));
  rect->m_strName = "泵1";
  auto* color = new CActColor;
  color->m_strExpression = "TV(泵)";
  rect->AddAction(color);
  top->m_objects.AddTail(rect);
  auto* second = new CPicLayer;
  second->m_strName = "背景";
  second->m_objects.AddTail(new CDrawRect);
  picture.m_layers.AddTail(second);
  return StorePictureBytes(picture);
}

std::string CompilerPath() {
  // The compiler's temporary files live in its folder, so compilations must
  // not share one: this process compiles with its own copy.
  static const std::string path = [] {
    std::string folder = FreshFolder("compiler");
    for (const char* file : {"Tarnic.exe", "stdlib.txt"})
      ::CopyFileA((std::string("..\\out\\sc\\") + file).c_str(), (folder + file).c_str(), FALSE);
    return folder + "Tarnic.exe";
  }();
  return path;
}

const char kGoodScript[] = "int main()\r\n{\r\n\treturn 0;\r\n}\r\n";

namespace {

CDrawRect* ScriptedRect(const std::string& name, const char* source) {
  auto* rect = new CDrawRect;
  rect->SetCorners(CRectD(8, 16, 64, 48));
  rect->m_strName = name.c_str();
  auto* link = new CActColor;
  link->m_nMode = AM_SCRIPT;
  link->m_script.m_strSource = source;
  rect->AddAction(link);
  return rect;
}

}  // namespace

void WriteScriptedPicture(const std::string& path, const std::vector<const char*>& sources) {
  RegisterModel();
  CPicObj picture;
  picture.EnsureLayer();
  auto* layer = static_cast<CPicLayer*>(picture.m_layers.GetHead());
  int i = 0;
  for (const char* source : sources)
    layer->m_objects.AddTail(ScriptedRect("obj" + std::to_string(++i), source));
  SavePictureFile(picture, path.c_str());
}

std::vector<std::vector<BYTE>> StoredCode(const std::string& path) {
  RegisterModel();
  std::unique_ptr<CPicObj> picture(LoadPictureFile(path.c_str()));
  std::vector<std::vector<BYTE>> codes;
  auto* layer = static_cast<CPicLayer*>(picture->m_layers.GetHead());
  for (POSITION pos = layer->m_objects.GetHeadPosition(); pos;) {
    auto* obj = static_cast<CDrawObj*>(layer->m_objects.GetNext(pos));
    auto* link = static_cast<CAction*>(obj->GetActions().GetAt(0));
    const BYTE* data = link->m_script.m_code.GetData();
    codes.emplace_back(data, data + link->m_script.m_code.GetSize());
  }
  return codes;
}

bool IsCodeByteFile(const std::vector<BYTE>& code) {
  return code.size() >= 64 && code[0] == 0x5A && code[1] == 0xA5;
}

}  // namespace edittest
