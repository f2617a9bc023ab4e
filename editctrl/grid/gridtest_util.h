// A list window in a parent for the tests: the parent records what the list
// posts to it, the list records every operation that its base calls.
#pragma once
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "gridwnd.h"
#include "render_surface.h"

namespace gridtest {

// A top-level window that keeps every QLN_ROWDBLCLK posted to it.
class CRecordingParent : public CWnd {
 public:
  struct Notice {
    WPARAM id;
    LPARAM row;
  };
  std::vector<Notice> notices;
  LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;
};

// A list whose overridable operations leave a line each in calls
// ("select 2", "range 1 4", "toggle 3", "header 1", "first 2",
// "hover 0 1 1", "move 0 1"); SelectRow still does what the base does.
class CRecordingGrid : public CGridWnd {
 public:
  std::vector<std::string> calls;
  // Cell texts; a cell without one shows the base text.
  std::vector<std::vector<std::string>> texts;

  CString GetCellText(int row, int column) override;
  void SelectRow(int row) override;
  void SelectRange(int first, int last) override;
  void ToggleRow(int row) override;
  void OnHeaderClick(int column) override;
  void OnFirstColumnClick(int row) override;
  void OnHover(int x, int y, int row, int column, BOOL entering) override;
  void OnCellMouseMove(int x, int y, int row, int column) override;

  using CGridWnd::Relayout;
};

// A hidden parent and, in it, a list of the given client size (no border),
// rows of 20 pixels and columns of 80.
struct GridFixture {
  CRecordingParent parent;
  CRecordingGrid grid;
  bool Create(int width, int height, int rows, int columns, UINT id = 1234);
  // Sends a mouse message at a window point with the given key flags.
  void Mouse(UINT msg, int x, int y, UINT keys = 0);
  // The list painted into a new surface of its client size.
  std::unique_ptr<qeltest::RenderSurface> Render();
};

// Dispatches waiting messages of this thread.
void PumpPending();

}  // namespace gridtest
