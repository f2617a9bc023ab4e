// The picture (root of one picture file) and its layers of draw objects.
#pragma once

#include <windows.h>

#include "collections.h"
#include "object.h"
#include "propdesc.h"
#include "qstring.h"

class CArchive;
class CDrawObj;

// One layer: an ordered list of draw objects, first drawn first.
class CPicLayer : public CObject {
  DECLARE_SERIAL(CPicLayer)

 public:
  CPicLayer();
  ~CPicLayer() override;  // deletes the objects, head first
  CPicLayer(const CPicLayer&) = delete;
  CPicLayer& operator=(const CPicLayer&) = delete;

  void Serialize(CArchive& ar) override;

  // Stored fields, in file order.
  CString m_strName;
  CString m_strSecond;
  CObList m_objects;  // CDrawObj, owned

  // Run-time field.
  BOOL m_bVisible = TRUE;
};

class CPicObj : public CObject {
  DECLARE_SERIAL(CPicObj)

 public:
  CPicObj();
  ~CPicObj() override;  // deletes the layers, head first
  CPicObj(const CPicObj&) = delete;
  CPicObj& operator=(const CPicObj&) = delete;

  // The picture file is exactly this stream (no class record before it).
  void Serialize(CArchive& ar) override;

  // Gives a picture without layers its first layer ("default").
  void EnsureLayer();
  // The object that links and scripts address by name (see the .cpp).
  CDrawObj* FindObject(const char* pszName, CDrawObj* pContext);
  // The layers from the last back to the first, objects first to last.
  CDrawObj* FindInLayers(const char* pszName);
  // The picture's own property records (when nothing is selected); returns the count.
  int GetPropList(PropDescList* pList);

  CPicLayer* GetLayer(int nIndex) const;

  // Stored fields, in file order.
  CString m_strName;
  COLORREF m_clrBack;
  int m_nWidth = 960;
  int m_nHeight = 680;
  CString m_strReserved;  // written twice; the second copy is the one kept
  int m_nReserved1 = 0;
  int m_nReserved2 = 0;
  int m_nPeriod = 1000;  // milliseconds between picture-cycle triggers
  int m_nReserved3 = 0;
  CString m_strStructName;
  CObList m_layers;  // CPicLayer, owned

  // Run-time fields.
  BOOL m_bModified = FALSE;
  int m_nNextPluginId = 1;
};

// Property id of the picture's layer-management button and its name.
extern const char kLayerButtonName[];
