// Importing a metafile (QCM_IMPORTWMF): the file's drawing arrives as one
// group, 150 x 150 picture pixels at (150, 150), selected.
#include "dialogs/editdialogs.h"
#include "drawgroup.h"
#include "msgbox.h"
#include "piceditwnd.h"
#include "wmfreader.h"

namespace {

const char kWmfFilter[] = "Windows matafile文件(*.wmf)|*.wmf;|WMF(*.wmf)|*.wmf||";
constexpr double kImportSide = 150.0;   // picture pixels, each way
constexpr double kImportPlace = 150.0;  // the top-left corner's x and y

}  // namespace

void CPicEditWnd::OnImportWmf() {
  if (!m_pPicture || !m_pCurrentLayer) return;
  std::string path;
  if (!AskOpenFileName(m_hWnd, kWmfFilter, "wmf", path)) return;
  ImportWmfFile(path.c_str());
}

bool CPicEditWnd::ImportWmfFile(const char* path) {
  if (!m_pPicture || !m_pCurrentLayer) return false;
  CWmfReader reader;
  if (!reader.Load(path)) {
    // A file that draws nothing read here is no error: nothing arrives.
    if (reader.LastError() != WMF_OK)
      QelMessageBox(m_hWnd, WmfErrorMessage(reader.LastError()).c_str(), nullptr, MB_OK | MB_ICONSTOP);
    return false;
  }
  std::unique_ptr<CDrawGroup> group = reader.TakeGroup();
  if (!group) return false;
  PlaceImportedGroup(group.release());
  NotifySelectionChanged();
  return true;
}

void CPicEditWnd::PlaceImportedGroup(CDrawGroup* group) {
  CRectD frame = group->GetRect();
  // Metafile units are taken as picture pixels; each axis is scaled on its
  // own (the aspect is not kept), and a flat axis stays as it is.
  const CPointD anchor(frame.left, frame.top);
  const CPointD from(frame.right, frame.bottom);
  const CPointD to(frame.left + kImportSide, frame.top + kImportSide);
  group->ForEachChild([&](CDrawObj* child) { child->Stretch(anchor, from, to); });
  group->GetRect();
  group->MoveBy(CPointD(kImportPlace - frame.left, kImportPlace - frame.top));
  group->ResetReferenceRect();
  AddObject(group, true);
  Select(group, false);
  Invalidate(FALSE);
}
