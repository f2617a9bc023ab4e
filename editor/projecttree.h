// CProjectTree: the tree of the open project in the workspace bar: the root
// (the project file's name, in bold) with the connection settings, the
// local-tag table, the picture folder with its sub-folders and pictures, and
// the about item. Every item carries a record: its kind, its tool tip and
// the document; the tree frees a record when its item goes.
//
// A double click acts on the item by its kind; a right click on the picture
// folder or one of its sub-folders offers new pictures and folders there.
#pragma once
#include <windows.h>

#include <commctrl.h>

#include "controls/treectrl.h"
#include "qstring.h"

class CQelideDoc;

enum ProjectItemKind : DWORD {
  kItemRoot = 0,
  kItemConnection = 1,
  kItemLocalTags = 3,
  kItemPictureFolder = 5,
  kItemFolder = 6,
  kItemPicture = 7,
  kItemAbout = 8,
};

// The images of bitmap 155 (the tabs use 0 and 4).
enum ProjectTreeImage : int {
  kImageProject = 0,
  kImageFolder = 1,
  kImageFolderOpen = 2,
  kImageLocalTags = 3,
  kImageProperties = 4,
  kImagePicture = 5,
  kImageConnection = 6,
  kImageAbout = 9,
};

struct ProjectItemRecord {
  DWORD kind;
  char tip[64];  // at most 63 characters
  CQelideDoc* doc;
};

class CProjectTree : public CTreeCtrl {
  DECLARE_DYNAMIC(CProjectTree)

 public:
  enum : int { kTipChars = 79 };  // the shown tip: text, a blank, the record's tip

  // The tree with buttons, lines, lines at the root, the selection always
  // shown, tool tips and a sunken edge.
  BOOL Create(HWND parent, UINT id);

  // Inserts an item with a new record; after TVI_LAST unless said.
  HTREEITEM InsertItem(const char* text, DWORD kind, const char* tip, CQelideDoc* doc, HTREEITEM parent,
                       int image, int selectedImage, HTREEITEM after = TVI_LAST);

  const ProjectItemRecord* GetRecord(HTREEITEM item) const;
  BOOL IsExpanded(HTREEITEM item) const { return (GetItemState(item, TVIS_EXPANDED) & TVIS_EXPANDED) != 0; }
  // The first child of parent with that text, or nullptr.
  HTREEITEM FindChild(HTREEITEM parent, const char* text) const;
  // Orders parent's children by kind: folders before pictures.
  void SortByKind(HTREEITEM parent);

  // The path of a picture or folder item below the picture folder: the
  // texts of its ancestors below it and its own, joined with "\" (empty for
  // the picture folder itself).
  CString RelativePath(HTREEITEM item) const;
  // The tool tip shown for the item.
  CString TipText(HTREEITEM item) const;

  // What a double click does with the item.
  void ActivateItem(HTREEITEM item);
  // New picture and folder in the folder item: FALSE (after telling why)
  // when nothing was made.
  BOOL NewPicture(HTREEITEM folder, const char* name);
  BOOL NewFolder(HTREEITEM folder, const char* name);
  // A command of the folder's pop-up menu (new picture, new folder): asks
  // for the name in dialog 137, then makes the item.
  BOOL RunFolderCommand(HTREEITEM folder, UINT id);

  bool OnChildNotify(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) override;

 private:
  HTREEITEM ItemAtCursor() const;
  void OnContextMenu(HTREEITEM item);
  CQelideDoc* DocOf(HTREEITEM item) const;
};
