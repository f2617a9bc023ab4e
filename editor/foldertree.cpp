#include "foldertree.h"

#include <cstring>

#include "editortexts.h"

bool IsPictureFileName(const char* name) {
  size_t length = name ? std::strlen(name) : 0;
  return length >= 4 && std::strcmp(name + length - 4, ".pic") == 0;
}

void ForEachFolderEntry(const CString& pattern,
                        const std::function<void(const char* name, bool isFolder)>& visit) {
  WIN32_FIND_DATAA found;
  HANDLE find = ::FindFirstFileA(pattern, &found);
  if (find == INVALID_HANDLE_VALUE) return;
  do {
    if (std::strcmp(found.cFileName, ".") == 0 || std::strcmp(found.cFileName, "..") == 0) continue;
    visit(found.cFileName, (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0);
  } while (::FindNextFileA(find, &found));
  ::FindClose(find);
}

void CFolderTreeFiller::Fill(HTREEITEM parent, const char* rootPath) {
  CString path = rootPath ? rootPath : "";
  path.Replace('\\', '/');
  if (path.GetLength() > 0 && path[path.GetLength() - 1] == '/') path = path.Left(path.GetLength() - 1);
  FillFolder(parent, path, 0);
  m_tree.SortByKind(parent);
}

void CFolderTreeFiller::FillFolder(HTREEITEM parent, const CString& path, int depth) {
  if (depth >= kMaxDepth) return;
  ForEachFolderEntry(path + "/*.*", [&](const char* name, bool isFolder) {
    if (isFolder) {
      HTREEITEM folder =
          m_tree.InsertItem(name, kItemFolder, kTipFolder, m_doc, parent, kImageFolder, kImageFolderOpen);
      FillFolder(folder, path + "/" + name, depth + 1);
      m_tree.SortByKind(folder);
      m_tree.Expand(folder);
    } else if (IsPictureFileName(name)) {
      m_tree.InsertItem(name, kItemPicture, kTipPicture, m_doc, parent, kImagePicture, kImagePicture);
    }
  });
}
