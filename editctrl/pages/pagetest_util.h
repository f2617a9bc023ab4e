// Tests of the link pages and dialogs: an editing window of the test program
// itself (the library's own sources) holding a new picture, under a hidden
// parent that counts the link notices; and the acts on a sheet that the
// dialog harness leaves to us (an up-down's arrows, a tree's items).
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "piceditwnd.h"
#include "sheets/propsheet.h"
#include "testing/dialogscript.h"

namespace pagetest {

const int kApplyButton = 0x3021;  // the sheet's Apply button

class EditWindowTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // QCN_EVENTLINKS notices since SetUp or the last ForgetNotices.
  int LinkNotices() const;
  void ForgetNotices();
  bool PictureModified() const;
  // A folder of its own for this test process (emptied), ending in a backslash.
  static std::string FreshFolder(const char* name);
  static void WriteFile(const std::string& path);

  HWND parent_ = nullptr;
  HWND child_ = nullptr;
  CPicEditWnd* wnd_ = nullptr;
};

// The caption of the sheets that the page tests show.
extern const char kSheetTitle[];
// Shows the pages in a sheet titled kSheetTitle, driven by the script; the
// sheet's result.
INT_PTR RunSheet(qeltest::DialogScript& script, HWND owner, std::initializer_list<CPropertyPage*> pages);

// A click on the upper (up) or lower (down) arrow of an up-down control.
void ClickUpDown(HWND updown, bool up);
// Clicks a colour swatch or strip near its top-left corner and ends the colour
// popup with the palette's next colour after the clicked one's; false when
// no popup opened.
bool ChooseNextColour(HWND colorControl);
// The texts of a tree's items, depth first, each indented by two blanks per level.
std::vector<std::string> TreeLines(HWND tree);
// Selects the tree item with that path of texts below the root (root first).
bool SelectTreeItem(HWND tree, const std::vector<std::string>& path);
// The Apply button of a sheet.
bool IsApplyEnabled(const qeltest::DialogDriver& sheet);

}  // namespace pagetest
