#include "offeredcontrols.h"

#include <comcat.h>

#include "comptr.h"
#include "oletext.h"

namespace {

// Control {40FC6ED4-2438-11CF-A3DB-080036F12502}.
const CATID kCatControl = {0x40FC6ED4, 0x2438, 0x11CF, {0xA3, 0xDB, 0x08, 0x00, 0x36, 0xF1, 0x25, 0x02}};
// What this container offers the controls it hosts: Insertable, Programmable,
// PersistsToStreamInit, PersistsToStream and PersistsToPropertyBag.
const CATID kAccepted[] = {
    {0x40FC6ED3, 0x2438, 0x11CF, {0xA3, 0xDB, 0x08, 0x00, 0x36, 0xF1, 0x25, 0x02}},
    {0x40FC6ED5, 0x2438, 0x11CF, {0xA3, 0xDB, 0x08, 0x00, 0x36, 0xF1, 0x25, 0x02}},
    {0x0DE86A53, 0x2BAA, 0x11CF, {0xA2, 0x29, 0x00, 0xAA, 0x00, 0x3D, 0x73, 0x52}},
    {0x0DE86A54, 0x2BAA, 0x11CF, {0xA2, 0x29, 0x00, 0xAA, 0x00, 0x3D, 0x73, 0x52}},
    {0x0DE86A57, 0x2BAA, 0x11CF, {0xA2, 0x29, 0x00, 0xAA, 0x00, 0x3D, 0x73, 0x52}},
};

QComPtr<ICatInformation> CategoriesManager() {
  QComPtr<ICatInformation> categories;
  if (FAILED(::CoCreateInstance(CLSID_StdComponentCategoriesMgr, nullptr, CLSCTX_INPROC_SERVER,
                                IID_ICatInformation, categories.OutVoid())))
    categories.Release();
  return categories;
}

// The class's full user-type name; empty when it has none.
CString UserTypeName(const CLSID& clsid) {
  LPOLESTR name = nullptr;
  if (FAILED(::OleRegGetUserType(clsid, USERCLASSTYPE_FULL, &name)) || !name) return CString();
  CString text = TextFromWide(name);
  ::CoTaskMemFree(name);
  return text;
}

// The one rule of an offered control, asked of a categories manager.
CString OfferedName(ICatInformation* categories, const CLSID& clsid) {
  CATID implemented = kCatControl;
  if (categories->IsClassOfCategories(clsid, 1, &implemented, ARRAYSIZE(kAccepted),
                                      const_cast<CATID*>(kAccepted)) != S_OK)
    return CString();
  return UserTypeName(clsid);
}

}  // namespace

CString OfferedControlName(const CLSID& clsid) {
  QComPtr<ICatInformation> categories = CategoriesManager();
  return categories ? OfferedName(categories.Get(), clsid) : CString();
}

std::vector<OfferedControl> ListOfferedControls() {
  std::vector<OfferedControl> controls;
  QComPtr<ICatInformation> categories = CategoriesManager();
  if (!categories) return controls;
  // The enumeration finds the candidates; each is held to the same rule as a
  // single class, so that the list and the pictures never disagree.
  QComPtr<IEnumCLSID> classes;
  CATID implemented = kCatControl;
  if (FAILED(categories->EnumClassesOfCategories(1, &implemented, ARRAYSIZE(kAccepted),
                                                 const_cast<CATID*>(kAccepted), classes.Out())) ||
      !classes)
    return controls;
  CLSID clsid;
  ULONG fetched = 0;
  while (classes->Next(1, &clsid, &fetched) == S_OK && fetched == 1) {
    CString name = OfferedName(categories.Get(), clsid);
    if (!name.IsEmpty()) controls.push_back({name, clsid});
  }
  return controls;
}
