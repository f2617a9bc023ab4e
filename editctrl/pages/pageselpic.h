// CPageSelPic "超级连接": the picture that a mouse event link opens. A tree
// shows the pictures (".pic" files) of the picture folder and its folders;
// choosing one that differs from the current target marks the page modified,
// and applying it writes the command "link", line feed, and the picture's
// path below the picture folder into the link.
#pragma once
#include "controls/edit.h"
#include "controls/imagelist.h"
#include "controls/treectrl.h"
#include "linkpage.h"

class CPageSelPic : public CLinkPage {
  DECLARE_DYNCREATE(CPageSelPic)

 public:
  // Images of the tree.
  enum : int { kImageRoot = 0, kImageFolder = 1, kImageFolderOpen = 2, kImagePicture = 5 };
  // Item values: folders sort before pictures.
  enum : int { kItemFolder = 0, kItemPicture = 1 };
  // Folders deeper than this below the picture folder are not shown.
  enum : int { kMaxFolderDepth = 16 };

  CPageSelPic() : CPageSelPic(nullptr, nullptr) {}
  CPageSelPic(CPicEditWnd* wnd, CAction* link);

  BOOL OnApply() override;

  CImageList m_images;
  CString m_strFolder;    // ends in a separator
  CString m_strSelected;  // the picture chosen in the tree
  CEdit m_editTarget;
  CTreeCtrl m_tree;
  CString m_strCurrent;  // the link's target

 protected:
  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* dx) override;
  bool OnNotify(NMHDR* header, LRESULT* result) override;

 private:
  void FillTree();
  // Adds the entries of a folder (path ending in a separator) under parent.
  void AddFolderEntries(const CString& folder, HTREEITEM parent, int depth);
  void AddEntry(const CString& folder, const WIN32_FIND_DATAA& found, HTREEITEM parent, int depth);
  void OnSelectionChanged(HTREEITEM item);
  // The item texts from below the root down to item, joined with backslashes.
  CString PathOf(HTREEITEM item) const;

  CAction* m_pLink;
};

// True for a file name that the tree shows as a picture: it ends in ".pic"
// (lower case).
bool IsPictureFileName(const char* name);
