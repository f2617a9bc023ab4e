#include "functiontree.h"

#include "functionlists.h"
#include "pickinsert.h"

bool CFunctionTree::OnChildNotify(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) {
  if (msg == WM_NOTIFY && reinterpret_cast<const NMHDR*>(lp)->code == NM_DBLCLK) {
    InsertSelected();
    *result = 0;
    return true;
  }
  return CTreeCtrl::OnChildNotify(msg, wp, lp, result);
}

void CFunctionTree::InsertSelected() {
  const HTREEITEM item = GetSelectedItem();
  if (!m_target || !item || !InsertsItem(item)) return;
  const CString text = FunctionInsertText(GetItemText(item));
  if (text.IsEmpty()) return;
  ::SendMessageA(m_target, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.GetString()));
}

void CFuncListTree::Fill() {
  for (const char* function : kExpressionFunctions) InsertItem(function);
}

void CSysFuncTree::Fill() {
  for (const FunctionCategory& category : kScriptFunctionCatalog) {
    const HTREEITEM parent = InsertItem(category.name);
    SetItemData(parent, 0);
    SetItemState(parent, TVIS_BOLD, TVIS_BOLD);
    for (int i = 0; i < category.count; ++i) SetItemData(InsertItem(category.items[i], parent), 1);
    Expand(parent, TVE_EXPAND);
  }
}
