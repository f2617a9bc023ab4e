#include "listoptionsctrl.h"

#include <cstring>

#include "attrtexts.h"
#include "listoptionseditor.h"
#include "tablists.h"

IMPLEMENT_DYNAMIC(CListOptionsCtrl, CListCtrl)

namespace {

// The list's own messages, posted to itself.
const UINT kMsgFinishEdit = WM_APP + 0x51;   // wParam the generation of the editor that finished
const UINT kMsgReapEditors = WM_APP + 0x52;  // destroy the closed editors

// Style bits to the index of the style font; bold underline, which has no
// font of its own, is drawn bold.
const int kStyleFontIndex[8] = {-1, 0, 1, 3, 2, 0, 4, 5};
const int kStyleOfFont[6] = {kOptionBold,
                             kOptionItalic,
                             kOptionUnderline,
                             kOptionBold | kOptionItalic,
                             kOptionItalic | kOptionUnderline,
                             kOptionBold | kOptionItalic | kOptionUnderline};

// A made editor as a window and as an editor; both null when the class is
// not one.
struct MadeEditor {
  std::unique_ptr<CWnd> wnd;
  CListOptionsEditor* side = nullptr;
};
MadeEditor MakeEditor(CRuntimeClass* cls) {
  MadeEditor made;
  CObject* object = cls ? cls->CreateObject() : nullptr;
  CWnd* wnd = dynamic_cast<CWnd*>(object);
  made.side = dynamic_cast<CListOptionsEditor*>(object);
  if (!wnd || !made.side) {
    delete object;
    made.side = nullptr;
    return made;
  }
  made.wnd.reset(wnd);
  return made;
}

bool SameFont(const LOGFONTA& a, const LOGFONTA& b) {
  return std::memcmp(&a, &b, offsetof(LOGFONTA, lfFaceName)) == 0 &&
         std::strncmp(a.lfFaceName, b.lfFaceName, LF_FACESIZE) == 0;
}

}  // namespace

// The header of the list: a click on it ends the edit in progress.
class CListOptionsCtrl::CHeader : public CWnd {
 public:
  explicit CHeader(CListOptionsCtrl* list) : m_list(list) {}
  LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override {
    if (msg == WM_LBUTTONDOWN) m_list->FinishEdit();
    return CWnd::WindowProc(msg, wp, lp);
  }

 private:
  CListOptionsCtrl* m_list;
};

CListOptionsCtrl::CListOptionsCtrl() = default;

CListOptionsCtrl::~CListOptionsCtrl() {
  m_dying = true;
  CloseEditor();
  m_busy = false;
  ReapEditors();
}

BOOL CListOptionsCtrl::Create(DWORD style, const RECT& rect, HWND parent, UINT id) {
  if (!CListCtrl::Create(style | LVS_REPORT, rect, parent, id)) return FALSE;
  Setup();
  return TRUE;
}

// A window made by Create is set up once it exists; a subclassed one at once.
void CListOptionsCtrl::PreSubclassWindow() {
  CListCtrl::PreSubclassWindow();
  if (GetHeaderCtrl()) Setup();
}

void CListOptionsCtrl::Setup() {
  if (m_setUp) return;
  m_setUp = true;
  ModifyStyle(LVS_TYPEMASK | LVS_EDITLABELS, LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS);
  SetExtendedStyle(GetExtendedStyle() | LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
  RECT client;
  GetClientRect(&client);
  const int half = (client.right - client.left) / 2;
  InsertColumn(0, kColumnProperty, LVCFMT_LEFT, half);
  InsertColumn(1, kColumnValue, LVCFMT_LEFT, half);
  if (HWND header = GetHeaderCtrl()) {
    m_header.reset(new CHeader(this));
    m_header->SubclassWindow(header);
  }
  MakeStyleFonts();
}

void CListOptionsCtrl::MakeStyleFonts() {
  LOGFONTA base = {};
  HFONT font = GetFont();
  if (!font || !::GetObjectA(font, sizeof base, &base))
    ::GetObjectA(::GetStockObject(DEFAULT_GUI_FONT), sizeof base, &base);
  for (int i = 0; i < 6; ++i) {
    LOGFONTA styled = base;
    if (kStyleOfFont[i] & kOptionBold) styled.lfWeight = FW_BOLD;
    if (kStyleOfFont[i] & kOptionItalic) styled.lfItalic = TRUE;
    if (kStyleOfFont[i] & kOptionUnderline) styled.lfUnderline = TRUE;
    m_styleFonts[i].DeleteObject();
    m_styleFonts[i].CreateFontIndirect(&styled);
  }
}

HFONT CListOptionsCtrl::GetStyleFont(int style) const {
  const int index = kStyleFontIndex[style & 7];
  if (index < 0 || !m_styleFonts[index].GetSafeHandle()) return GetFont();
  return m_styleFonts[index];
}

// ---- rows ----------------------------------------------------------------------------

int CListOptionsCtrl::AddRow(const char* name, int image, const char* value, const COptionItem& item) {
  const int row = InsertImageRow(*this, name, image);
  if (row < 0) return -1;
  SetItemText(row, 1, value);
  m_items.push_back(item);
  return row;
}

void CListOptionsCtrl::RemoveAllRows() {
  CloseEditor();
  m_current = -1;
  m_items.clear();
  DeleteAllItems();
}

int CListOptionsCtrl::GetRowImage(int row) const { return RowImage(*this, row); }

void CListOptionsCtrl::SelectRow(int row) {
  SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  EnsureVisible(row, FALSE);
}

// ---- editors -------------------------------------------------------------------------

void CListOptionsCtrl::SetCurrentRow(int row) {
  if (row < 0 || row >= GetRowCount()) return;
  if (row == m_current && m_editor) return;
  FinishEdit();  // what it sends may refill the list
  if (row >= GetRowCount()) return;
  CloseEditor();
  m_current = row;
  SelectRow(row);
  OpenEditor(row);
}

RECT CListOptionsCtrl::ValueCell(int row) const {
  RECT cell = {LVIR_BOUNDS, 1, 0, 0};  // left: the part; top: the column
  SendMessage(LVM_GETSUBITEMRECT, row, reinterpret_cast<LPARAM>(&cell));
  return cell;
}

void CListOptionsCtrl::OpenEditor(int row) {
  const COptionItem& item = m_items[static_cast<size_t>(row)];
  MadeEditor editor = MakeEditor(item.editorClass);
  MadeEditor buddy = MakeEditor(item.buddyClass);
  if (!editor.wnd) return;
  ++m_generation;
  m_editRow = row;
  const RECT cell = ValueCell(row);
  RECT editorRect = cell, buddyRect = cell;
  if (buddy.wnd) {
    editorRect.right -= buddy.side->BuddyWidth(cell.bottom - cell.top);
    buddyRect.left = editorRect.right;
  }
  if (!editor.side->OpenEditor(this, row, editorRect)) {
    m_editRow = -1;
    return;
  }
  m_editor = std::move(editor.wnd);
  m_editorSide = editor.side;
  if (buddy.wnd && buddy.side->OpenEditor(this, row, buddyRect)) {
    buddy.side->AttachTo(m_editor.get());
    m_buddy = std::move(buddy.wnd);
  }
}

void CListOptionsCtrl::PlaceEditors() {
  if (!m_editor || m_editRow < 0) return;
  const RECT cell = ValueCell(m_editRow);
  RECT editorRect = cell;
  if (m_buddy) {
    auto* buddy = dynamic_cast<CListOptionsEditor*>(m_buddy.get());
    editorRect.right -= buddy->BuddyWidth(cell.bottom - cell.top);
    buddy->PlaceEditor(RECT{editorRect.right, cell.top, cell.right, cell.bottom});
  }
  m_editorSide->PlaceEditor(editorRect);
}

// The editor is hidden now and destroyed later: this may run inside one of
// its own handlers.
void CListOptionsCtrl::CloseEditor() {
  m_editRow = -1;
  if (!m_editor && !m_buddy) return;
  m_editorSide = nullptr;
  ++m_generation;
  const HWND focus = ::GetFocus();
  if (!m_dying && focus && focus != m_hWnd && IsOwnWindow(focus)) SetFocus();
  for (std::unique_ptr<CWnd>* slot : {&m_editor, &m_buddy}) {
    if (!*slot) continue;
    if ((*slot)->m_hWnd) (*slot)->ShowWindow(SW_HIDE);
    m_retired.push_back(std::move(*slot));
  }
  if (!m_reapPosted && m_hWnd && !m_dying) m_reapPosted = PostMessage(kMsgReapEditors) != FALSE;
}

// Not while an editor's popup or dialog is open: its handler is still running.
void CListOptionsCtrl::ReapEditors() {
  if (m_busy) return;
  std::vector<std::unique_ptr<CWnd>> dead = std::move(m_retired);
  m_retired.clear();
  for (std::unique_ptr<CWnd>& wnd : dead)
    if (wnd->m_hWnd) wnd->DestroyWindow();
}

void CListOptionsCtrl::SetBusy(bool busy) {
  m_busy = busy;
  if (!busy && !m_retired.empty() && !m_reapPosted && m_hWnd && !m_dying)
    m_reapPosted = PostMessage(kMsgReapEditors) != FALSE;
}

bool CListOptionsCtrl::IsOwnWindow(HWND hwnd) const {
  return hwnd && m_hWnd && (hwnd == m_hWnd || ::IsChild(m_hWnd, hwnd));
}

bool CListOptionsCtrl::TakeText(int row, const CString& text) {
  if (text == GetItemText(row, 1)) return false;
  SetItemText(row, 1, text);
  return true;
}

void CListOptionsCtrl::FinishEdit() {
  CString typed;
  if (!m_editorSide || !m_editorSide->GetEditorText(&typed)) return;
  const int row = m_editRow;
  const CString text = AdjustEditText(row, typed);
  if (!TakeText(row, text)) {
    if (text != typed) m_editorSide->SetEditorText(text);
    return;
  }
  CloseEditor();
  OnItemTextChanged(row, text);  // last: the list may be refilled meanwhile
}

void CListOptionsCtrl::CancelEdit() {
  if (m_editorSide) m_editorSide->SetEditorText(GetItemText(m_editRow, 1));
  SetFocus();
}

void CListOptionsCtrl::PostFinishEdit() { PostMessage(kMsgFinishEdit, m_generation); }

void CListOptionsCtrl::CommitColor(int row, COLORREF color) {
  if (row < 0 || row >= GetRowCount() || m_items[static_cast<size_t>(row)].color == color) return;
  m_items[static_cast<size_t>(row)].color = color;
  SetItemText(row, 1, ColorValueText(color));
  CloseEditor();
  OnItemColorChanged(row, color);
}

void CListOptionsCtrl::CommitFont(int row, const LOGFONTA& chosen) {
  const LOGFONTA font = chosen;  // the button that holds chosen goes now
  if (row < 0 || row >= GetRowCount() || SameFont(m_items[static_cast<size_t>(row)].font, font)) return;
  m_items[static_cast<size_t>(row)].font = font;
  SetItemText(row, 1, CString(font.lfFaceName, static_cast<int>(strnlen(font.lfFaceName, LF_FACESIZE))));
  CloseEditor();
  OnItemFontChanged(row, font);
}

void CListOptionsCtrl::Browse(int row) {
  if (row >= 0 && row < GetRowCount()) OnItemBrowse(row);
}

// ---- keys, mouse and focus -------------------------------------------------------------

void CListOptionsCtrl::OnEditorKey(UINT key) {
  switch (key) {
    case VK_RETURN:
      FinishEdit();
      SetFocus();
      break;
    case VK_ESCAPE: CancelEdit(); break;
    case VK_UP:
    case VK_DOWN:
      SetFocus();
      OnKeyDown(key);
      break;
  }
}

void CListOptionsCtrl::OnEditorFocusLost(HWND newFocus) { OnFocusLeaving(newFocus); }

void CListOptionsCtrl::OnFocusLeaving(HWND newFocus) {
  if (m_dying || m_busy || IsOwnWindow(newFocus)) return;
  FinishEdit();
}

bool CListOptionsCtrl::OnKeyDown(UINT key) {
  switch (key) {
    case VK_UP:
      if (m_current > 0) SetCurrentRow(m_current - 1);
      return true;
    case VK_DOWN:
      if (m_current + 1 < GetRowCount()) SetCurrentRow(m_current + 1);
      return true;
    case VK_RIGHT:
      if (m_editorSide && m_editor->IsWindowVisible()) ::SetFocus(m_editorSide->FocusWindow());
      return true;
  }
  return false;
}

void CListOptionsCtrl::OnLButtonDown(POINT at) {
  SetFocus();
  LVHITTESTINFO hit = {};
  hit.pt = at;
  const int row = static_cast<int>(SendMessage(LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
  FinishEdit();
  if (row >= 0) SetCurrentRow(row);
}

LRESULT CListOptionsCtrl::OnCustomDraw(NMLVCUSTOMDRAW* draw) {
  switch (draw->nmcd.dwDrawStage) {
    case CDDS_PREPAINT: return CDRF_NOTIFYITEMDRAW;
    case CDDS_ITEMPREPAINT: {
      const size_t row = draw->nmcd.dwItemSpec;
      if (row >= m_items.size()) return CDRF_DODEFAULT;
      const COptionItem& item = m_items[row];
      if (item.textColor != CLR_DEFAULT) draw->clrText = item.textColor;
      if (item.backColor != CLR_DEFAULT) draw->clrTextBk = item.backColor;
      ::SelectObject(draw->nmcd.hdc, GetStyleFont(item.fontStyle));
      return CDRF_NEWFONT;
    }
  }
  return CDRF_DODEFAULT;
}

bool CListOptionsCtrl::OnChildNotify(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) {
  auto* header = reinterpret_cast<NMHDR*>(lp);
  if (msg == WM_NOTIFY && header && header->hwndFrom == m_hWnd && header->code == NM_CUSTOMDRAW) {
    *result = OnCustomDraw(reinterpret_cast<NMLVCUSTOMDRAW*>(lp));
    return true;
  }
  return CListCtrl::OnChildNotify(msg, wp, lp, result);
}

LRESULT CListOptionsCtrl::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_CREATE: {
      const LRESULT result = CListCtrl::WindowProc(msg, wp, lp);
      if (result != -1) Setup();
      return result;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      OnLButtonDown(POINT{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))});
      return 0;
    case WM_KEYDOWN:
      if (OnKeyDown(static_cast<UINT>(wp))) return 0;
      break;
    case WM_VSCROLL:
    case WM_HSCROLL:
      if (lp) return 0;  // a spin control stepping: no scrolling of the list
      // fall through
    case WM_MOUSEWHEEL: {
      FinishEdit();
      const LRESULT result = CListCtrl::WindowProc(msg, wp, lp);
      PlaceEditors();
      return result;
    }
    case WM_SIZE: {
      const LRESULT result = CListCtrl::WindowProc(msg, wp, lp);
      PlaceEditors();
      return result;
    }
    case WM_NOTIFY: {
      const LRESULT result = CListCtrl::WindowProc(msg, wp, lp);
      auto* header = reinterpret_cast<NMHDR*>(lp);
      if (header && m_header && header->hwndFrom == m_header->m_hWnd) PlaceEditors();
      return result;
    }
    case WM_KILLFOCUS: {
      const LRESULT result = CListCtrl::WindowProc(msg, wp, lp);
      OnFocusLeaving(reinterpret_cast<HWND>(wp));
      return result;
    }
    case WM_SETFONT: {
      const LRESULT result = CListCtrl::WindowProc(msg, wp, lp);
      MakeStyleFonts();
      return result;
    }
    case WM_DESTROY: m_dying = true; break;
    case kMsgFinishEdit:
      if (static_cast<UINT>(wp) == m_generation) FinishEdit();
      return 0;
    case kMsgReapEditors:
      m_reapPosted = false;
      ReapEditors();
      return 0;
  }
  return CListCtrl::WindowProc(msg, wp, lp);
}
