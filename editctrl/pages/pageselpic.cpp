#include "pageselpic.h"

#include <climits>
#include <cstring>

#include "actkinds.h"
#include "pageres.h"
#include "resources/resload.h"

IMPLEMENT_DYNCREATE(CPageSelPic, CLinkPage)

namespace {

const char kRootText[] = "画面";
const char kLinkVerb[] = "link";
const int kFirstEventKind = 100;       // the mouse and control events
const COLORREF kImageMask = 0x0000FF;  // red
const int kImageWidth = 16;
const int kImageHeight = 18;
const int kImageGrowth = 8;

int CALLBACK CompareItemValues(LPARAM a, LPARAM b, LPARAM) { return static_cast<int>(a - b); }

bool IsDotEntry(const char* name) { return !std::strcmp(name, ".") || !std::strcmp(name, ".."); }

// Closes a file search when it goes out of scope.
class CFindHandle {
 public:
  explicit CFindHandle(HANDLE handle) : m_handle(handle) {}
  ~CFindHandle() {
    if (IsValid()) ::FindClose(m_handle);
  }
  CFindHandle(const CFindHandle&) = delete;
  CFindHandle& operator=(const CFindHandle&) = delete;
  bool IsValid() const { return m_handle != INVALID_HANDLE_VALUE; }
  HANDLE Get() const { return m_handle; }

 private:
  HANDLE m_handle;
};

}  // namespace

bool IsPictureFileName(const char* name) {
  const size_t length = std::strlen(name);
  return length >= 4 && !std::strcmp(name + length - 4, ".pic");
}

CPageSelPic::CPageSelPic(CPicEditWnd* wnd, CAction* link) : CLinkPage(IDD_PAGE_SELPIC, wnd), m_pLink(link) {}

BOOL CPageSelPic::OnInitDialog() {
  m_editTarget.SubclassDlgItem(IDC_SELPIC_TARGET, m_hWnd);
  m_tree.SubclassDlgItem(IDC_SELPIC_TREE, m_hWnd);
  CBitmap bitmap;
  if (m_images.Create(kImageWidth, kImageHeight, ILC_COLOR24 | ILC_MASK, 0, kImageGrowth) &&
      QelLoadBitmap(bitmap, IDB_PAGE_PICTREE)) {
    m_images.Add(static_cast<HBITMAP>(bitmap.GetSafeHandle()), kImageMask);
    m_tree.SetImageList(m_images);
  }
  FillTree();
  return CLinkPage::OnInitDialog();
}

void CPageSelPic::DoDataExchange(CDataExchange* dx) { DDX_Text(dx, IDC_SELPIC_TARGET, m_strCurrent); }

void CPageSelPic::FillTree() {
  HTREEITEM root = m_tree.InsertItem(kRootText, kImageRoot, kImageFolder);
  if (!root) return;
  AddFolderEntries(m_strFolder, root, 0);
  m_tree.Expand(root);
}

void CPageSelPic::AddFolderEntries(const CString& folder, HTREEITEM parent, int depth) {
  if (folder.IsEmpty()) return;
  WIN32_FIND_DATAA found;
  CFindHandle search(::FindFirstFileA(folder + "*.*", &found));
  if (!search.IsValid()) return;
  do {
    if (!IsDotEntry(found.cFileName)) AddEntry(folder, found, parent, depth);
  } while (::FindNextFileA(search.Get(), &found));
}

void CPageSelPic::AddEntry(const CString& folder, const WIN32_FIND_DATAA& found, HTREEITEM parent,
                           int depth) {
  if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
    if (depth >= kMaxFolderDepth) return;
    HTREEITEM item = m_tree.InsertItem(found.cFileName, kImageFolder, kImageFolderOpen, parent);
    if (!item) return;
    m_tree.SetItemData(item, kItemFolder);
    AddFolderEntries(folder + found.cFileName + "\\", item, depth + 1);
    m_tree.SortChildrenCB(item, CompareItemValues, 0);
    m_tree.Expand(item);
  } else if (IsPictureFileName(found.cFileName)) {
    HTREEITEM item = m_tree.InsertItem(found.cFileName, kImagePicture, kImagePicture, parent);
    if (item) m_tree.SetItemData(item, kItemPicture);
  }
}

bool CPageSelPic::OnNotify(NMHDR* header, LRESULT* result) {
  if (header->idFrom == IDC_SELPIC_TREE &&
      (header->code == TVN_SELCHANGEDA || header->code == TVN_SELCHANGEDW)) {
    OnSelectionChanged(reinterpret_cast<NMTREEVIEWA*>(header)->itemNew.hItem);
    *result = 0;
    return true;
  }
  return CLinkPage::OnNotify(header, result);
}

void CPageSelPic::OnSelectionChanged(HTREEITEM item) {
  if (!item || m_tree.GetItemData(item) != kItemPicture) return;
  m_strSelected = PathOf(item);
  SetModified(m_strSelected != m_strCurrent);
}

CString CPageSelPic::PathOf(HTREEITEM item) const {
  CString path;
  for (HTREEITEM at = item; at && m_tree.GetParentItem(at); at = m_tree.GetParentItem(at))
    path = path.IsEmpty() ? m_tree.GetItemText(at) : m_tree.GetItemText(at) + "\\" + path;
  return path;
}

BOOL CPageSelPic::OnApply() {
  auto* link = LinkOfKinds<CActEvent>(m_pLink, kFirstEventKind, INT_MAX);
  if (!link || m_strSelected.IsEmpty() || m_strSelected == m_strCurrent) return TRUE;
  m_strCurrent = m_strSelected;
  link->m_strCommand = CString(kLinkVerb) + "\n" + m_strSelected;
  // The field shows the target now in the link; the data exchange of a later
  // OK reads the current target back from it.
  if (m_editTarget.GetSafeHwnd()) m_editTarget.SetWindowText(m_strCurrent);
  LinkWritten();
  return TRUE;
}
