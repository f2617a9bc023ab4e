#include "foreign_pictures.h"

#include "activex/drawctrlocx.h"
#include "drawcell.h"
#include "drawplugin.h"
#include "moduledir.h"
#include "picfile.h"
#include "picobj.h"
#include "testing/qpitest_host.h"
#include "testocx_ids.h"

namespace foreign {

namespace {

CDrawObj* NewPlugin() {
  auto* plugin = new CDrawPlugin(LibraryPath().c_str());
  plugin->m_strName = kPluginName;
  plugin->m_rect = CRectD(20, 20, 180, 120);
  const BYTE blob[] = {'Q', 'E', 'L', 0, 1, 2, 3};
  plugin->SetBlob(blob, sizeof blob);
  return plugin;
}

CDrawObj* NewActiveX() {
  auto* ocx = new CDrawCtrlOcx(CLSID_QelTestOcxDocument);
  ocx->m_strName = kActiveXName;
  ocx->m_rect = CRectD(200, 20, 400, 160);
  // State as a picture may carry it: the object keeps it, whatever it holds.
  BYTE state[100];
  for (int i = 0; i < 100; ++i) state[i] = static_cast<BYTE>(i * 7);
  ocx->SetState(state, sizeof state);
  return ocx;
}

CDrawGroup* NewHolder(Nesting nesting) {
  if (nesting == Nesting::kGroup) return new CDrawGroup;
  auto* cell = new CDrawCell;
  cell->m_id = GUID{0x5EC0CE11, 1, 2, {3, 4, 5, 6, 7, 8, 9, 10}};
  return cell;
}

}  // namespace

std::string LibraryPath() {
  return std::string(GetModuleDir().GetString()) + qpitest::kMarkerFolder + qpitest::kMarkerLibrary;
}

std::vector<CDrawObj*> NewObjects(Nesting nesting) {
  std::vector<CDrawObj*> objects = {NewPlugin(), NewActiveX()};
  if (nesting == Nesting::kTop) return objects;
  CDrawGroup* holder = NewHolder(nesting);
  for (CDrawObj* obj : objects) holder->AddChild(obj);
  holder->ResetReferenceRect();
  return {holder};
}

std::vector<BYTE> PictureBytes(Nesting nesting, const char* fileName) {
  CPicObj picture;
  picture.m_strName = fileName;
  picture.m_nWidth = 640;
  picture.m_nHeight = 480;
  picture.EnsureLayer();
  for (CDrawObj* obj : NewObjects(nesting)) picture.GetLayer(0)->m_objects.AddTail(obj);
  return StorePictureBytes(picture);
}

bool IsRefusalReport(const std::string& text) {
  const std::string head = std::string("\n\tQEL插件(") + kPluginName + "@LEFT=";
  const std::string tail = ") - (" + LibraryPath() + "):\n\t\t" + kPluginRefusedText;
  return text.compare(0, head.size(), head) == 0 && text.size() > head.size() + tail.size() &&
         text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

}  // namespace foreign
