// CTagPickPanel: a tag list with a search field and a "GO" button above it.
// "GO" searches the local list's names, or asks the database for the tags
// matching the text; a double click on a row puts the tag into a target
// edit control, in place of its selection: its plain name (insert mode 0)
// or the reference an expression uses (mode 1, "LV(name)", "TVV(name)", ...).
//
//   panel            list   edit   button
//   local tags       1088   1089   1090
//   database tags    1080   1081   1082
#pragma once
#include <windows.h>

#include <memory>

#include "qel/hostcallbacks.h"
#include "controls/edit.h"
#include "gdiwrap.h"
#include "pickinsert.h"
#include "taglistctrl.h"

class CTagPickPanel : public CWnd {
 public:
  enum InsertMode : int { kInsertName = 0, kInsertReference = 1 };
  // Control ids of the panel's children.
  struct ChildIds {
    UINT list, edit, button;
  };

  explicit CTagPickPanel(TagSource source);
  ~CTagPickPanel() override;

  // A child window of parent with that control id.
  BOOL Create(DWORD style, const RECT& rect, HWND parent, UINT id, DWORD exStyle = 0);

  TagSource Source() const { return m_source; }
  const ChildIds& Ids() const;
  CTagListCtrl& List() { return *m_list; }
  CEdit& SearchEdit() { return m_edit; }

  void SetInsertMode(int mode) { m_insertMode = mode; }
  int GetInsertMode() const { return m_insertMode; }
  // Borrowed; nullptr: double clicks in that mode insert nothing.
  void SetNameTarget(HWND target) { m_nameTarget = target; }
  void SetReferenceTarget(HWND target) { m_referenceTarget = target; }
  // The database panel's host callback table (borrowed).
  void SetHostCallbacks(const HostCallbackBlock* host) { m_host = host; }
  // The local panel's tags, read through the local-tag table.
  void LoadLocalTags(const LocalTagCallbackBlock* table);

  // The "GO" button: the search text trimmed of blanks; the local panel
  // finds it among the names (an empty text finds nothing), the database
  // panel queries with it (an empty text too).
  void Go();

 protected:
  LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  int OnCreate();
  void Layout(int width, int height);
  void OnRowDoubleClick(int row);

  TagSource m_source;
  std::unique_ptr<CTagListCtrl> m_list;
  CEdit m_edit;
  CWnd m_button;
  CFont m_font;
  int m_insertMode = kInsertName;
  HWND m_nameTarget = nullptr;
  HWND m_referenceTarget = nullptr;
  const HostCallbackBlock* m_host = nullptr;
};
