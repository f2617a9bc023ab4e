// CFolderTreeFiller: fills a tree item from a folder on disk: each
// sub-folder (filled the same way, its children sorted and expanded) and
// each file whose name ends exactly in ".pic" (a ".PIC" is not a picture).
#pragma once
#include <functional>

#include "projecttree.h"

class CFolderTreeFiller {
 public:
  enum : int { kMaxDepth = 32 };  // deeper folders (a loop of links) are left out

  CFolderTreeFiller(CProjectTree& tree, CQelideDoc* doc) : m_tree(tree), m_doc(doc) {}
  // The folder's entries under parent; rootPath in either separator, with or
  // without a final one.
  void Fill(HTREEITEM parent, const char* rootPath);

 private:
  void FillFolder(HTREEITEM parent, const CString& path, int depth);

  CProjectTree& m_tree;
  CQelideDoc* m_doc;
};

// True for a name ending in exactly ".pic".
bool IsPictureFileName(const char* name);

// Calls visit with every entry that the search pattern finds ("folder\*.*"),
// in the file system's order, "." and ".." left out.
void ForEachFolderEntry(const CString& pattern,
                        const std::function<void(const char* name, bool isFolder)>& visit);
