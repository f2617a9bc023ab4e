#include "bars/toolbar.h"

#include <algorithm>
#include <cmath>

#include "commands/cmdids.h"
#include "frames/frame.h"
#include "wndmodule.h"

IMPLEMENT_DYNAMIC(CToolBar, CControlBar)

namespace {

const WORD kToolBarVersion = 1;
const UINT RT_TOOLBAR_ID = 241;

#pragma pack(push, 1)
struct ToolBarHeader {
  WORD version;
  WORD width;
  WORD height;
  WORD count;
};
#pragma pack(pop)
static_assert(sizeof(ToolBarHeader) == 8, "toolbar resource header");

}  // namespace

bool QelLoadToolBarResource(UINT id, ToolBarResource* out) {
  HINSTANCE res = QelGetResourceHandle();
  HRSRC found = ::FindResourceA(res, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(RT_TOOLBAR_ID));
  if (!found) return false;
  DWORD size = ::SizeofResource(res, found);
  HGLOBAL loaded = ::LoadResource(res, found);
  const BYTE* data = loaded ? static_cast<const BYTE*>(::LockResource(loaded)) : nullptr;
  if (!data || size < sizeof(ToolBarHeader)) return false;
  ToolBarHeader header;
  memcpy(&header, data, sizeof header);
  if (header.version != kToolBarVersion || size < sizeof header + header.count * sizeof(WORD)) return false;
  out->image = {header.width, header.height};
  out->ids.clear();
  for (WORD i = 0; i < header.count; ++i) {
    WORD item;
    memcpy(&item, data + sizeof header + i * sizeof(WORD), sizeof item);
    out->ids.push_back(item);
  }
  return true;
}

CToolBar::CToolBar() { m_dwStyle = CBRS_ALIGN_TOP; }

CToolBar::~CToolBar() {
  if (m_hOwnImages) ::ImageList_Destroy(m_hOwnImages);
}

BOOL CToolBar::CreateEx(CFrameWnd* frame, DWORD ctrlStyle, DWORD style, UINT id) {
  DWORD toolStyle = ctrlStyle | CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER;
  if (style & CBRS_TOOLTIPS) toolStyle |= TBSTYLE_TOOLTIPS;
  if (!CreateBar(frame, TOOLBARCLASSNAMEA, "", toolStyle, style, id)) return FALSE;
  SendMessage(TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON));
  // Commands and tips go straight to the frame, wherever the bar docks.
  SendMessage(TB_SETPARENT, reinterpret_cast<WPARAM>(frame->m_hWnd));
  return TRUE;
}

BOOL CToolBar::LoadToolBar(UINT resourceId) {
  ToolBarResource resource;
  if (!QelLoadToolBarResource(resourceId, &resource)) return FALSE;
  m_sizeImage = resource.image;
  SendMessage(TB_SETBITMAPSIZE, 0, MAKELPARAM(m_sizeImage.cx, m_sizeImage.cy));
  HBITMAP bitmap = static_cast<HBITMAP>(::LoadImageA(QelGetResourceHandle(), MAKEINTRESOURCEA(resourceId),
                                                     IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  if (bitmap) {
    m_hOwnImages = ::ImageList_Create(m_sizeImage.cx, m_sizeImage.cy, ILC_COLOR24 | ILC_MASK, 0, 8);
    ::ImageList_AddMasked(m_hOwnImages, bitmap, RGB(192, 192, 192));
    ::DeleteObject(bitmap);
    SendMessage(TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(m_hOwnImages));
  }
  return SetButtons(resource.ids.data(), static_cast<int>(resource.ids.size()));
}

BOOL CToolBar::SetButtons(const UINT* ids, int count) {
  while (SendMessage(TB_BUTTONCOUNT) > 0) SendMessage(TB_DELETEBUTTON, 0);
  std::vector<TBBUTTON> buttons;
  int image = 0;
  for (int i = 0; i < count; ++i) {
    TBBUTTON b = {};
    b.idCommand = static_cast<int>(ids[i]);
    b.iString = -1;
    if (ids[i] == ID_SEPARATOR) {
      b.fsStyle = BTNS_SEP;
    } else {
      b.fsStyle = BTNS_BUTTON;
      b.fsState = TBSTATE_ENABLED;
      b.iBitmap = image++;
    }
    buttons.push_back(b);
  }
  m_layoutColumns = -1;
  return buttons.empty() ||
         SendMessage(TB_ADDBUTTONSA, buttons.size(), reinterpret_cast<LPARAM>(buttons.data())) != 0;
}

void CToolBar::SetImageLists(HIMAGELIST normal, HIMAGELIST hot, HIMAGELIST disabled) {
  if (normal) {
    int cx = 0, cy = 0;
    ::ImageList_GetIconSize(normal, &cx, &cy);
    m_sizeImage = {cx, cy};
    SendMessage(TB_SETBITMAPSIZE, 0, MAKELPARAM(cx, cy));
  }
  SendMessage(TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(normal));
  SendMessage(TB_SETHOTIMAGELIST, 0, reinterpret_cast<LPARAM>(hot));
  SendMessage(TB_SETDISABLEDIMAGELIST, 0, reinterpret_cast<LPARAM>(disabled));
  m_layoutColumns = -1;
}

void CToolBar::EnableDropDownArrows() {
  DWORD ex = static_cast<DWORD>(SendMessage(TB_GETEXTENDEDSTYLE));
  SendMessage(TB_SETEXTENDEDSTYLE, 0, ex | TBSTYLE_EX_DRAWDDARROWS);
  m_layoutColumns = -1;
}

int CToolBar::GetCount() const { return static_cast<int>(SendMessage(TB_BUTTONCOUNT)); }

int CToolBar::CommandToIndex(UINT id) const { return static_cast<int>(SendMessage(TB_COMMANDTOINDEX, id)); }

UINT CToolBar::GetItemID(int index) const {
  TBBUTTON b = {};
  return SendMessage(TB_GETBUTTON, index, reinterpret_cast<LPARAM>(&b)) ? static_cast<UINT>(b.idCommand) : 0;
}

UINT CToolBar::GetButtonStyle(int index) const {
  TBBUTTON b = {};
  return SendMessage(TB_GETBUTTON, index, reinterpret_cast<LPARAM>(&b)) ? b.fsStyle : 0;
}

void CToolBar::SetButtonStyle(int index, UINT style) {
  TBBUTTONINFOA info = {};
  info.cbSize = sizeof info;
  info.dwMask = TBIF_STYLE | TBIF_BYINDEX;
  info.fsStyle = static_cast<BYTE>(style);
  SendMessage(TB_SETBUTTONINFOA, index, reinterpret_cast<LPARAM>(&info));
  m_layoutColumns = -1;
}

int CToolBar::GetButtonImage(int index) const {
  TBBUTTON b = {};
  return SendMessage(TB_GETBUTTON, index, reinterpret_cast<LPARAM>(&b)) ? b.iBitmap : -1;
}

void CToolBar::SetButtonImage(int index, int image) {
  TBBUTTONINFOA info = {};
  info.cbSize = sizeof info;
  info.dwMask = TBIF_IMAGE | TBIF_BYINDEX;
  info.iImage = image;
  SendMessage(TB_SETBUTTONINFOA, index, reinterpret_cast<LPARAM>(&info));
}

int CToolBar::GetButtonState(UINT id) const { return static_cast<int>(SendMessage(TB_GETSTATE, id)); }

void CToolBar::GetItemRect(int index, RECT* rect) const {
  SendMessage(TB_GETITEMRECT, index, reinterpret_cast<LPARAM>(rect));
}

void CToolBar::LayoutButtons(int columns) {
  if (m_layoutColumns == columns) return;
  m_layoutColumns = columns;
  int count = GetCount();
  for (int i = 0; i < count; ++i) {
    TBBUTTON b = {};
    SendMessage(TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&b));
    bool wrap = columns > 0 && (i + 1) % columns == 0 && i + 1 < count;
    BYTE state = wrap ? static_cast<BYTE>(b.fsState | TBSTATE_WRAP) : static_cast<BYTE>(b.fsState & ~TBSTATE_WRAP);
    if (state == b.fsState) continue;
    TBBUTTONINFOA info = {};
    info.cbSize = sizeof info;
    info.dwMask = TBIF_STATE | TBIF_BYINDEX;
    info.fsState = state;
    SendMessage(TB_SETBUTTONINFOA, i, reinterpret_cast<LPARAM>(&info));
  }
  SendMessage(TB_AUTOSIZE);
}

SIZE CToolBar::ButtonsExtent(BOOL horz) const {
  SIZE size = {0, 0};
  for (int i = 0, n = GetCount(); i < n; ++i) {
    RECT r = {};
    GetItemRect(i, &r);
    size.cx = std::max(size.cx, r.right);
    size.cy = std::max(size.cy, r.bottom);
  }
  RECT insets = NonClientInsets();
  // The bar lies on that side once placed; its insets follow the side.
  if (!m_pDockBar && !IsFloating() && (m_dwStyle & CBRS_GRIPPER)) (horz ? insets.left : insets.top) += m_cxGripper;
  size.cx += insets.left + insets.right;
  size.cy += insets.top + insets.bottom;
  return size;
}

SIZE CToolBar::CalcFixedLayout(BOOL, BOOL horz) {
  if (IsFloating()) return CalcFloatingSize();
  LayoutButtons(horz ? 0 : 1);
  SIZE size = ButtonsExtent(horz);
  if (horz && m_nHeight > 0) size.cy = m_nHeight;
  if (!horz && m_nHeight > 0) size.cx = std::max(size.cx, static_cast<LONG>(m_nHeight));
  return size;
}

SIZE CToolBar::CalcFloatingSize() {
  int columns = static_cast<int>(std::ceil(std::sqrt(3.0 * GetCount())));
  LayoutButtons(std::max(1, std::min(columns, GetCount())));
  return ButtonsExtent(TRUE);
}

void CToolBar::OnUpdateCmdUI(CFrameWnd* target, BOOL disableIfNoHandler) {
  CToolCmdUI state;
  state.m_hToolBar = m_hWnd;
  state.m_pOther = this;
  int count = GetCount();
  state.m_nIndexMax = static_cast<UINT>(count);
  for (int i = 0; i < count; ++i) {
    state.m_nIndex = static_cast<UINT>(i);
    state.m_nID = GetItemID(i);
    if (state.m_nID == ID_SEPARATOR || (GetButtonStyle(i) & BTNS_SEP)) continue;
    state.DoUpdate(target, disableIfNoHandler);
  }
}
