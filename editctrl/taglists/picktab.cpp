#include "picktab.h"

#include "../componentclass.h"
#include "../componentfont.h"

namespace {

const char* const kTabTexts[] = {"函数", "本地标签", "QEL库标签"};

// The tab row, and the parts below it (overlapping its last line).
constexpr int kTabHeight = 21;
constexpr int kPartTop = 20;

}  // namespace

CPickTab::CPickTab(const Ids& ids, std::unique_ptr<CFunctionTree> tree, int insertMode)
    : m_ids(ids),
      m_insertMode(insertMode),
      m_tree(std::move(tree)),
      m_localPanel(TagSource::kLocal),
      m_databasePanel(TagSource::kDatabase) {
  const LOGFONTA lf = ComponentFont("宋体", 12, GB2312_CHARSET);
  m_font.CreateFontIndirect(&lf);
}

CPickTab::~CPickTab() {
  // The window goes while its children's objects are still here.
  DestroyWindow();
}

CExpPickTab::CExpPickTab()
    : CPickTab(Ids{1075, 1076, 1077, 1078}, std::make_unique<CFuncListTree>(),
               CTagPickPanel::kInsertReference) {}

CScriptPickTab::CScriptPickTab()
    : CPickTab(Ids{1095, 1096, 1097, 1098}, std::make_unique<CSysFuncTree>(), CTagPickPanel::kInsertName) {}

BOOL CPickTab::Create(DWORD style, const RECT& rect, HWND parent, UINT id) {
  static const char* const className =
      ComponentClass("QelPickTab", 0, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
  return CreateEx(0, className, "", style | WS_CLIPCHILDREN, rect.left, rect.top, rect.right - rect.left,
                  rect.bottom - rect.top, parent, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)));
}

LRESULT CPickTab::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_CREATE:
      if (CWnd::WindowProc(msg, wp, lp) == -1) return -1;
      return OnCreate();
    case WM_SIZE: Layout(LOWORD(lp), HIWORD(lp)); return 0;
    case WM_NOTIFY: {
      const NMHDR* header = reinterpret_cast<const NMHDR*>(lp);
      if (header->idFrom == m_ids.tab && header->code == TCN_SELCHANGE) {
        ShowPart(m_tabs.GetCurSel());
        return 0;
      }
      break;
    }
  }
  return CWnd::WindowProc(msg, wp, lp);
}

// The tabs, the two panels (hidden) and the filled function tree, each part
// in a sunken client edge.
int CPickTab::OnCreate() {
  RECT client;
  GetClientRect(&client);
  const RECT part = {0, kPartTop, client.right, client.bottom};
  if (!m_tabs.Create(WS_CHILD | WS_VISIBLE, RECT{0, 0, client.right, kTabHeight}, m_hWnd, m_ids.tab))
    return -1;
  m_tabs.SetFont(m_font);
  for (int i = 0; i < 3; ++i) m_tabs.InsertItem(i, kTabTexts[i]);
  CTagPickPanel* panels[] = {&m_localPanel, &m_databasePanel};
  const UINT panelIds[] = {m_ids.localPanel, m_ids.databasePanel};
  for (int i = 0; i < 2; ++i) {
    if (!panels[i]->Create(WS_CHILD, part, m_hWnd, panelIds[i], WS_EX_CLIENTEDGE)) return -1;
    panels[i]->SetInsertMode(m_insertMode);
  }
  const DWORD treeStyle =
      WS_CHILD | WS_VISIBLE | TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT | TVS_SHOWSELALWAYS;
  if (!m_tree->Create(treeStyle, part, m_hWnd, m_ids.tree, WS_EX_CLIENTEDGE)) return -1;
  m_tree->Fill();
  return 0;
}

void CPickTab::Layout(int width, int height) {
  m_tabs.MoveWindow(0, 0, width, kTabHeight);
  CWnd* parts[] = {m_tree.get(), &m_localPanel, &m_databasePanel};
  for (CWnd* part : parts) part->MoveWindow(0, kPartTop, width, height - kPartTop);
}

void CPickTab::ShowPart(int tab) {
  CWnd* parts[] = {m_tree.get(), &m_localPanel, &m_databasePanel};
  for (int i = 0; i < 3; ++i) parts[i]->ShowWindow(i == tab ? SW_SHOW : SW_HIDE);
}

void CPickTab::SetTarget(HWND target) {
  m_tree->SetTarget(target);
  for (CTagPickPanel* panel : {&m_localPanel, &m_databasePanel}) {
    panel->SetNameTarget(target);
    panel->SetReferenceTarget(target);
  }
}
