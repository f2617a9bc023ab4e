// CDrawAttrList: the attribute list of the "属性/动作" tab. It shows the
// property records of the active editing window's selection (or of its
// picture), one row per record with the record's editor, and sends every
// changed value back to that window with QCM_SETPROPERTY (a dialog button
// with QCM_OBJECTDIALOG). The texts and the send-back rules are those of
// attrtexts.h.
#pragma once
#include <windows.h>

#include "listoptionsctrl.h"
#include "optionbuttons.h"
#include "optionedits.h"
#include "qel/picmsg.h"  // the property and link-kind records

// The combos and the dialog button of the attribute list's rows.
class CLineTypeComboBox : public CListOptionsCombo {  // "实线", "虚线"
  DECLARE_DYNCREATE(CLineTypeComboBox)

 protected:
  void FillChoices() override { AddChoices(kLineStyleTexts); }
};

class CFillTypeComboBox : public CListOptionsCombo {  // the six fill modes
  DECLARE_DYNCREATE(CFillTypeComboBox)

 protected:
  void FillChoices() override { AddChoices(kFillTexts); }
};

class CValAdjustComboBox : public CListOptionsCombo {  // "TA_LEFT", "TA_CENTER", "TA_RIGHT"
  DECLARE_DYNCREATE(CValAdjustComboBox)

 protected:
  void FillChoices() override { AddChoices(kAlignTexts); }
};

// "点击进入..." over the whole cell: the object's own dialog.
class COpaqueObjAttrButton : public CListOptionsBrowseButton {
  DECLARE_DYNCREATE(COpaqueObjAttrButton)

 protected:
  const char* ButtonText() const override { return kTextClickToEnter; }
  UINT ButtonId() const override { return kOptionEditorId; }
};

class CDrawAttrList : public CListOptionsCtrl {
  DECLARE_DYNAMIC(CDrawAttrList)

 public:
  enum : int { kMaxRows = 32 };

  // Shows the records of an editing window: every row and editor goes; a
  // missing list or one of more than 32 records leaves the list empty.
  void LoadAttributes(HWND editWindow, const PropDescList* list);
  void Clear() { LoadAttributes(nullptr, nullptr); }
  HWND GetEditWindow() const { return m_editWindow; }
  int GetPropId(int row) const { return row >= 0 && row < GetRowCount() ? m_rows[row].id : -1; }

 protected:
  void OnItemTextChanged(int row, const CString& text) override;
  void OnItemColorChanged(int row, COLORREF color) override;
  void OnItemFontChanged(int row, const LOGFONTA& font) override;
  void OnItemBrowse(int row) override;
  CString AdjustEditText(int row, const CString& text) override;

 private:
  struct Row {
    int id;
    int kind;
    int minimum;
    int maximum;
  };
  void AddRecord(const PropDesc& rec);
  LRESULT Send(int row, UINT msg, WPARAM wp, LPARAM lp) const;

  Row m_rows[kMaxRows] = {};
  HWND m_editWindow = nullptr;
};
