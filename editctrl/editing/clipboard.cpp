// Copy, cut and paste through the clipboard format "QELPICCLIP": the
// selected objects in selection order, written as a layer's object list.
// Two editing windows of any processes exchange objects this way.
#include <cstring>
#include <vector>

#include "clipboard.h"
#include "drawobj.h"
#include "msgbox.h"
#include "piceditwnd.h"
#include "picobj.h"

namespace {

constexpr UINT kClipGrowth = 4096;

// A global memory block, freed unless it was handed to the clipboard.
class CGlobalBlock {
 public:
  explicit CGlobalBlock(SIZE_T size) : m_h(::GlobalAlloc(GMEM_MOVEABLE | GMEM_SHARE, size)) {}
  ~CGlobalBlock() {
    if (m_h) ::GlobalFree(m_h);
  }
  CGlobalBlock(const CGlobalBlock&) = delete;
  CGlobalBlock& operator=(const CGlobalBlock&) = delete;
  HGLOBAL get() const { return m_h; }
  void Release() { m_h = nullptr; }

 private:
  HGLOBAL m_h;
};

// Places bytes under the picture format; false, with the clipboard as it
// was, when it cannot be opened (another program holds it) or memory runs out.
bool PutOnClipboard(HWND owner, const BYTE* data, DWORD size) {
  CGlobalBlock block(size ? size : 1);
  if (!block.get()) return false;
  void* p = ::GlobalLock(block.get());
  if (!p) return false;
  std::memcpy(p, data, size);
  ::GlobalUnlock(block.get());
  CClipboardScope clipboard(owner);
  if (!clipboard.IsOpen()) return false;
  ::EmptyClipboard();
  if (!::SetClipboardData(PicClipboardFormat(), block.get())) return false;
  block.Release();
  return true;
}

}  // namespace

bool CPicEditWnd::CopySelection() {
  if (m_selection.empty()) return false;
  CObList list;
  for (CDrawObj* obj : m_selection) list.AddTail(obj);
  std::unique_ptr<CMemFile> stream = SaveObjectList(list, kClipGrowth);
  if (!stream || !PutOnClipboard(m_hWnd, stream->GetData(), stream->GetLength())) return false;
  // Pastes of the new content start at the first offset; after a failed copy
  // the clipboard still holds the old content, whose pastes go on.
  m_nPasteCount = 0;
  return true;
}

void CPicEditWnd::OnCopy() { CopySelection(); }

void CPicEditWnd::OnCut() {
  LayerChanging();
  if (m_selection.empty()) return;
  // Only what reached the clipboard may go: otherwise the objects would be lost.
  if (!CopySelection()) {
    QelBeep(MB_ICONWARNING);
    return;
  }
  SaveUndoState();
  std::vector<CDrawObj*> doomed = m_selection;
  ClearSelection();
  RemoveObjects(doomed);
  for (CDrawObj* obj : doomed) obj->Delete();
  Invalidate(FALSE);
  NotifySelectionChanged();
}

void CPicEditWnd::OnPaste() {
  if (!m_pPicture || !m_pCurrentLayer) return;
  std::vector<BYTE> bytes = TakeClipboardData(m_hWnd, PicClipboardFormat());
  if (bytes.empty() || !FitsFileLength(bytes.size())) return;  // longer than a file: not ours
  CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
  CObList pasted;
  // Foreign or damaged data is dropped before anything changes.
  if (!LoadObjectListFrom(file, pasted)) return;
  LayerChanging();
  SaveUndoState();
  Invalidate(FALSE);
  ClearSelection();
  ++m_nPasteCount;
  const double offset = kPasteStep * m_nPasteCount;
  while (!pasted.IsEmpty()) {
    auto* obj = static_cast<CDrawObj*>(pasted.RemoveHead());
    obj->MoveBy(CPointD(offset, offset));
    obj->SetSelected(FALSE);
    AddObject(obj, false);
    m_selection.push_back(obj);
    obj->SetSelected(TRUE);
  }
  RepositionControls(true);
  NotifySelectionChanged();
}
