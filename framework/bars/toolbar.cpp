#include "bars/toolbar.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "commands/cmdids.h"
#include "frames/frame.h"
#include "resources/resload.h"
#include "frames/frameclass.h"
#include "wndmodule.h"

IMPLEMENT_DYNAMIC(CToolBar, CControlBar)

namespace {

const WORD kToolBarVersion = 1;
const UINT RT_TOOLBAR_ID = 241;
const COLORREF kResourceMask = RGB(192, 192, 192);
const char kBarClass[] = "QelToolBar";

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
  std::memcpy(&header, data, sizeof header);
  if (header.version != kToolBarVersion || size < sizeof header + header.count * sizeof(WORD)) return false;
  out->image = {header.width, header.height};
  out->ids.clear();
  for (WORD i = 0; i < header.count; ++i) {
    WORD item;
    std::memcpy(&item, data + sizeof header + i * sizeof(WORD), sizeof item);
    out->ids.push_back(item);
  }
  return true;
}

CToolBar::CToolBar() { m_dwStyle = CBRS_ALIGN_TOP; }

CToolBar::~CToolBar() = default;

BOOL CToolBar::CreateEx(CFrameWnd* frame, DWORD ctrlStyle, DWORD style, UINT id) {
  const char* cls = QelPlainWindowClass(kBarClass, 0, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
  if (!cls || !CreateBar(frame, cls, "", WS_CLIPCHILDREN, style, id)) return FALSE;
  DWORD toolStyle = WS_CHILD | WS_VISIBLE | ctrlStyle | CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER;
  if (style & CBRS_TOOLTIPS) toolStyle |= TBSTYLE_TOOLTIPS;
  RECT none = {0, 0, 0, 0};
  if (!m_ctrl.Create(toolStyle, none, m_hWnd, id)) return FALSE;
  // Commands and tips go straight to the frame, wherever the bar is.
  m_ctrl.SendMessage(TB_SETPARENT, reinterpret_cast<WPARAM>(frame->m_hWnd));
  return TRUE;
}

BOOL CToolBar::LoadToolBar(UINT resourceId) {
  ToolBarResource resource;
  if (!QelLoadToolBarResource(resourceId, &resource)) return FALSE;
  m_ctrl.SetBitmapSize(resource.image.cx, resource.image.cy);
  if (m_ownImages.CreateFromBitmap(resourceId, resource.image.cx, 8, kResourceMask))
    m_ctrl.SetImageList(m_ownImages);
  return SetButtons(resource.ids.data(), static_cast<int>(resource.ids.size()));
}

BOOL CToolBar::SetButtons(const UINT* ids, int count) {
  while (m_ctrl.GetButtonCount() > 0) m_ctrl.SendMessage(TB_DELETEBUTTON, 0);
  std::vector<TBBUTTON> buttons;
  int image = 0;
  for (int i = 0; i < count; ++i)
    buttons.push_back(ids[i] == ID_SEPARATOR ? QelToolSeparator() : QelToolButton(image++, ids[i]));
  m_layoutColumns = -1;
  return buttons.empty() || m_ctrl.AddButtons(static_cast<int>(buttons.size()), buttons.data());
}

void CToolBar::SetImageLists(HIMAGELIST normal, HIMAGELIST hot, HIMAGELIST disabled) {
  if (normal) {
    int cx = 0, cy = 0;
    ::ImageList_GetIconSize(normal, &cx, &cy);
    m_ctrl.SetBitmapSize(cx, cy);
  }
  m_ctrl.SetImageList(normal);
  m_ctrl.SetHotImageList(hot);
  m_ctrl.SetDisabledImageList(disabled);
  m_layoutColumns = -1;
}

void CToolBar::EnableDropDownArrows() {
  DWORD ex = static_cast<DWORD>(m_ctrl.SendMessage(TB_GETEXTENDEDSTYLE));
  m_ctrl.SetExtendedStyle(ex | TBSTYLE_EX_DRAWDDARROWS);
  m_layoutColumns = -1;
}

UINT CToolBar::GetItemID(int index) const {
  TBBUTTON b = {};
  return m_ctrl.SendMessage(TB_GETBUTTON, index, reinterpret_cast<LPARAM>(&b))
             ? static_cast<UINT>(b.idCommand)
             : 0;
}

UINT CToolBar::GetButtonStyle(int index) const {
  TBBUTTON b = {};
  return m_ctrl.SendMessage(TB_GETBUTTON, index, reinterpret_cast<LPARAM>(&b)) ? b.fsStyle : 0;
}

BOOL CToolBar::SetButtonInfo(int index, DWORD mask, TBBUTTONINFOA& info) {
  info.cbSize = sizeof info;
  info.dwMask = mask | TBIF_BYINDEX;
  return m_ctrl.SendMessage(TB_SETBUTTONINFOA, index, reinterpret_cast<LPARAM>(&info)) != 0;
}

void CToolBar::SetButtonStyle(int index, UINT style) {
  TBBUTTONINFOA info = {};
  info.fsStyle = static_cast<BYTE>(style);
  SetButtonInfo(index, TBIF_STYLE, info);
  m_layoutColumns = -1;
}

int CToolBar::GetButtonImage(int index) const {
  TBBUTTON b = {};
  return m_ctrl.SendMessage(TB_GETBUTTON, index, reinterpret_cast<LPARAM>(&b)) ? b.iBitmap : -1;
}

void CToolBar::SetButtonImage(int index, int image) {
  TBBUTTONINFOA info = {};
  info.iImage = image;
  SetButtonInfo(index, TBIF_IMAGE, info);
}

int CToolBar::GetButtonState(UINT id) const { return static_cast<int>(m_ctrl.SendMessage(TB_GETSTATE, id)); }

void CToolBar::LayoutButtons(int columns) {
  if (m_layoutColumns == columns) return;
  m_layoutColumns = columns;
  int count = GetCount();
  for (int i = 0; i < count; ++i) {
    TBBUTTON b = {};
    m_ctrl.SendMessage(TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&b));
    bool wrap = columns > 0 && (i + 1) % columns == 0 && i + 1 < count;
    BYTE state =
        wrap ? static_cast<BYTE>(b.fsState | TBSTATE_WRAP) : static_cast<BYTE>(b.fsState & ~TBSTATE_WRAP);
    if (state == b.fsState) continue;
    TBBUTTONINFOA info = {};
    info.fsState = state;
    SetButtonInfo(i, TBIF_STATE, info);
  }
  m_ctrl.AutoSize();
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
  if (!m_pDockBar && !IsFloating() && (m_dwStyle & CBRS_GRIPPER))
    (horz ? insets.left : insets.top) += m_cxGripper;
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
  state.m_pToolBar = &m_ctrl;
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

LRESULT CToolBar::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_SIZE && m_ctrl.m_hWnd) m_ctrl.MoveWindow(0, 0, LOWORD(lp), HIWORD(lp));
  return CControlBar::WindowProc(msg, wp, lp);
}

void CToolCmdUI::Enable(BOOL on) {
  m_bEnableChanged = TRUE;
  if (m_pToolBar->IsButtonEnabled(m_nID) != (on != FALSE)) m_pToolBar->EnableButton(m_nID, on);
}

void CToolCmdUI::SetCheck(int check) {
  if (m_pToolBar->IsButtonChecked(m_nID) != (check != 0)) m_pToolBar->CheckButton(m_nID, check != 0);
}
