#include "gridtest_util.h"

#include <cstdio>

#include "qel/picmsg.h"
#include "wndtest/wndtest_util.h"

namespace gridtest {

namespace {

std::string Line(const char* format, int a, int b = 0, int c = 0) {
  char text[64];
  std::snprintf(text, sizeof text, format, a, b, c);
  return text;
}

}  // namespace

LRESULT CRecordingParent::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == QLN_ROWDBLCLK) {
    notices.push_back({wp, lp});
    return 0;
  }
  return CWnd::WindowProc(msg, wp, lp);
}

CString CRecordingGrid::GetCellText(int row, int column) {
  if (row >= 0 && row < int(texts.size()) && column >= 0 && column < int(texts[row].size()))
    return texts[row][column].c_str();
  return CGridWnd::GetCellText(row, column);
}

void CRecordingGrid::SelectRow(int row) {
  calls.push_back(Line("select %d", row));
  CGridWnd::SelectRow(row);
}
void CRecordingGrid::SelectRange(int first, int last) { calls.push_back(Line("range %d %d", first, last)); }
void CRecordingGrid::ToggleRow(int row) { calls.push_back(Line("toggle %d", row)); }
void CRecordingGrid::OnHeaderClick(int column) { calls.push_back(Line("header %d", column)); }
void CRecordingGrid::OnFirstColumnClick(int row) { calls.push_back(Line("first %d", row)); }
void CRecordingGrid::OnHover(int, int, int row, int column, BOOL entering) {
  calls.push_back(Line("hover %d %d %d", row, column, entering));
}
void CRecordingGrid::OnCellMouseMove(int, int, int row, int column) {
  calls.push_back(Line("move %d %d", row, column));
}

bool GridFixture::Create(int width, int height, int rows, int columns, UINT id) {
  if (!wndtest::CreateTopLevel(parent, false)) return false;
  grid.SetColumnCount(columns);
  grid.SetRowCount(rows);
  if (!grid.Create(WS_CHILD | WS_VISIBLE, RECT{0, 0, width, height}, parent, id)) return false;
  grid.Relayout();
  PumpPending();
  return true;
}

void GridFixture::Mouse(UINT msg, int x, int y, UINT keys) { grid.SendMessage(msg, keys, MAKELPARAM(x, y)); }

std::unique_ptr<qeltest::RenderSurface> GridFixture::Render() {
  RECT client;
  grid.GetClientRect(&client);
  auto surface = std::make_unique<qeltest::RenderSurface>(client.right, client.bottom);
  grid.SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(surface->dc()), PRF_CLIENT);
  ::GdiFlush();
  return surface;
}

void PumpPending() { wndtest::PumpPending(); }

}  // namespace gridtest
