#include "drawattrlist.h"

#include <cstring>

#include "attrtexts.h"
#include "qel/picmsg.h"

IMPLEMENT_DYNCREATE(CLineTypeComboBox, CListOptionsCombo)
IMPLEMENT_DYNCREATE(CFillTypeComboBox, CListOptionsCombo)
IMPLEMENT_DYNCREATE(CValAdjustComboBox, CListOptionsCombo)
IMPLEMENT_DYNCREATE(COpaqueObjAttrButton, CListOptionsBrowseButton)
IMPLEMENT_DYNAMIC(CDrawAttrList, CListOptionsCtrl)

namespace {

// The editor of each editor kind (its low 7 bits); the kinds not listed
// (3, the identifier, and the unknown ones) are shown only.
struct KindEditor {
  int editor;
  CRuntimeClass* cls;
};
const KindEditor kKindEditors[] = {
    {PE_INTEGER, RUNTIME_CLASS(CListOptionsEdit)},      {PE_BOOL, RUNTIME_CLASS(CListOptionsBooleanCombo)},
    {PE_COLOR, RUNTIME_CLASS(CListOptionsColorButton)}, {PE_TEXT, RUNTIME_CLASS(CListOptionsEdit)},
    {PE_FONT, RUNTIME_CLASS(CListOptionsFontButton)},   {PE_LINESTYLE, RUNTIME_CLASS(CLineTypeComboBox)},
    {PE_FILLMODE, RUNTIME_CLASS(CFillTypeComboBox)},    {PE_ALIGN, RUNTIME_CLASS(CValAdjustComboBox)},
    {PE_BUTTON, RUNTIME_CLASS(COpaqueObjAttrButton)},
};

CRuntimeClass* EditorOfKind(int kind) {
  if (kind & PK_READONLY) return nullptr;
  for (const KindEditor& entry : kKindEditors)
    if (entry.editor == (kind & PK_EDITOR_MASK)) return entry.cls;
  return nullptr;
}

}  // namespace

void CDrawAttrList::LoadAttributes(HWND editWindow, const PropDescList* list) {
  RemoveAllRows();
  m_editWindow = editWindow;
  if (!list || list->count < 0 || list->count > kMaxRows || (list->count > 0 && !list->items)) return;
  for (int i = 0; i < list->count; ++i) AddRecord(list->items[i]);
}

void CDrawAttrList::AddRecord(const PropDesc& rec) {
  COptionItem item;
  item.editorClass = EditorOfKind(rec.kind);
  item.target = m_editWindow;
  switch (rec.kind & PK_EDITOR_MASK) {
    case PE_COLOR:
      item.color = static_cast<COLORREF>(rec.value);
      item.allowNoColor = rec.minimum != 0;
      break;
    case PE_FONT:
      if (rec.value) item.font = *reinterpret_cast<const LOGFONTA*>(rec.value);
      break;
  }
  if (rec.kind & PK_READONLY) item.textColor = ::GetSysColor(COLOR_GRAYTEXT);
  const CString name(rec.name, static_cast<int>(strnlen(rec.name, kPropNameSize)));
  const int row = AddRow(name, PropIdToImage(rec.id), PropValueText(rec), item);
  if (row >= 0 && row < kMaxRows) m_rows[row] = Row{rec.id, rec.kind, rec.minimum, rec.maximum};
}

// To the window that receives the row's commands: the editing window.
LRESULT CDrawAttrList::Send(int row, UINT msg, WPARAM wp, LPARAM lp) const {
  const HWND target = GetRowItem(row).target;
  return target && ::IsWindow(target) ? ::SendMessageA(target, msg, wp, lp) : 0;
}

// Only a number typed into an edit box is held to the record's bounds.
CString CDrawAttrList::AdjustEditText(int row, const CString& text) {
  const Row& rec = m_rows[row];
  if (GetRowItem(row).editorClass != RUNTIME_CLASS(CListOptionsEdit)) return text;
  return ClampEditText(text, rec.kind, rec.minimum, rec.maximum);
}

void CDrawAttrList::OnItemTextChanged(int row, const CString& text) {
  const int id = m_rows[row].id;
  switch (PropSendRule(id)) {
    case PropSend::text:
      Send(row, QCM_SETPROPERTY, static_cast<WPARAM>(id), reinterpret_cast<LPARAM>(text.GetString()));
      break;
    case PropSend::number:
      Send(row, QCM_SETPROPERTY, static_cast<WPARAM>(id), PropNumberFromText(id, text));
      break;
    case PropSend::nothing: break;
  }
}

void CDrawAttrList::OnItemColorChanged(int row, COLORREF color) {
  Send(row, QCM_SETPROPERTY, static_cast<WPARAM>(m_rows[row].id), static_cast<LPARAM>(color));
}

// The window reads the record during the call and keeps its own copy.
void CDrawAttrList::OnItemFontChanged(int row, const LOGFONTA& font) {
  LOGFONTA sent = font;
  Send(row, QCM_SETPROPERTY, static_cast<WPARAM>(m_rows[row].id), reinterpret_cast<LPARAM>(&sent));
}

void CDrawAttrList::OnItemBrowse(int row) { Send(row, QCM_OBJECTDIALOG, 0, 0); }
