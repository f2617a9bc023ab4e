#include "tagpickpanel.h"

#include <vector>

#include "qel/picmsg.h"
#include "../componentclass.h"
#include "../componentfont.h"
#include "localtaglist.h"
#include "rtdbtaglist.h"

namespace {

const CTagPickPanel::ChildIds kLocalIds = {1088, 1089, 1090};
const CTagPickPanel::ChildIds kDatabaseIds = {1080, 1081, 1082};

// The search row above the list.
constexpr int kListTop = 22;
constexpr RECT kEditRect = {2, 2, 2 + 160, 2 + 17};
constexpr RECT kButtonRect = {170, 2, 170 + 30, 2 + 18};

std::unique_ptr<CTagListCtrl> MakeList(TagSource source) {
  if (source == TagSource::kLocal) return std::make_unique<CLocalTagList>();
  return std::make_unique<CRtdbTagList>();
}

}  // namespace

CTagPickPanel::CTagPickPanel(TagSource source) : m_source(source), m_list(MakeList(source)) {
  const LOGFONTA lf = ComponentFont("宋体", 12, GB2312_CHARSET);
  m_font.CreateFontIndirect(&lf);
}

CTagPickPanel::~CTagPickPanel() {
  // The window goes while its children's objects are still here.
  DestroyWindow();
}

const CTagPickPanel::ChildIds& CTagPickPanel::Ids() const {
  return m_source == TagSource::kLocal ? kLocalIds : kDatabaseIds;
}

BOOL CTagPickPanel::Create(DWORD style, const RECT& rect, HWND parent, UINT id, DWORD exStyle) {
  // On the button face.
  static const char* const className =
      ComponentClass("QelTagPickPanel", 0, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
  return CreateEx(exStyle, className, "", style | WS_CLIPCHILDREN, rect.left, rect.top,
                  rect.right - rect.left, rect.bottom - rect.top, parent,
                  reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)));
}

LRESULT CTagPickPanel::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_CREATE:
      if (CWnd::WindowProc(msg, wp, lp) == -1) return -1;
      return OnCreate();
    case WM_SIZE: Layout(LOWORD(lp), HIWORD(lp)); return 0;
    case WM_COMMAND:
      if (LOWORD(wp) == Ids().button && HIWORD(wp) == BN_CLICKED) {
        Go();
        return 0;
      }
      break;
    case QLN_ROWDBLCLK:
      if (wp == Ids().list) OnRowDoubleClick(static_cast<int>(lp));
      return 0;
  }
  return CWnd::WindowProc(msg, wp, lp);
}

int CTagPickPanel::OnCreate() {
  RECT client;
  GetClientRect(&client);
  const ChildIds& ids = Ids();
  if (!m_list->Create(WS_CHILD | WS_VISIBLE, RECT{0, kListTop, client.right, client.bottom}, m_hWnd,
                      ids.list) ||
      !m_edit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, kEditRect, m_hWnd, ids.edit) ||
      !m_button.Create("BUTTON", "GO", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, kButtonRect, m_hWnd,
                       ids.button))
    return -1;
  m_edit.SetFont(m_font);
  m_button.SetFont(m_font);
  return 0;
}

void CTagPickPanel::Layout(int width, int height) {
  m_list->MoveWindow(0, kListTop, width, height - kListTop);
  m_edit.MoveWindow(kEditRect);
  m_button.MoveWindow(kButtonRect);
}

void CTagPickPanel::LoadLocalTags(const LocalTagCallbackBlock* table) {
  if (m_source == TagSource::kLocal) static_cast<CLocalTagList&>(*m_list).Load(table);
}

void CTagPickPanel::Go() {
  CString text;
  m_edit.GetWindowText(text);
  text.Trim();
  if (m_source == TagSource::kDatabase)
    static_cast<CRtdbTagList&>(*m_list).Query(m_host, text);
  else if (!text.IsEmpty())
    static_cast<CLocalTagList&>(*m_list).FindText(kTagColumnName, text);
}

void CTagPickPanel::OnRowDoubleClick(int row) {
  const TagFieldLayout& layout = m_list->Records().Layout();
  std::vector<BYTE> record(layout.recordSize);
  if (!m_list->GetRecord(row, record.data())) return;
  const CString name = TagFieldText(record.data(), layout.nameOffset, layout.nameSize);
  const bool reference = m_insertMode == kInsertReference;
  const HWND target = reference ? m_referenceTarget : m_nameTarget;
  if (!target) return;
  const CString text = reference ? TagReferenceText(m_source, record[layout.typeOffset], name) : name;
  ::SendMessageA(target, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.GetString()));
}
