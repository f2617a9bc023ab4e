// Opening, creating and saving the window's picture file (folder + name).
#include <memory>
#include <new>

#include "archive.h"
#include "drawobj.h"
#include "file.h"
#include "layerwalk.h"
#include "piceditwnd.h"
#include "picobj.h"
#include "picstore.h"

CString CPicEditWnd::PicturePath() const {
  CString path = m_strFolder;
  path += m_strFileName;
  return path;
}

void CPicEditWnd::DropPicture() {
  LayerChanging();
  ClearSelection();
  // Saved states belong to the picture they were taken from.
  m_undo.Clear();
  m_redo.Clear();
  m_pCurrentLayer = nullptr;
  m_pPicture.reset();  // the objects' control windows go with it
}

void CPicEditWnd::AdoptPicture(std::unique_ptr<CPicObj> picture) {
  m_pPicture = std::move(picture);
  m_pCurrentLayer = m_pPicture->GetLayer(0);
  m_pPicture->m_strName = m_strFileName;
  m_dZoom = 1.0;
  m_nZoomPercent = 100;
  m_ptOrigin = {0, 0};
  FillViewInfo();
}

void CPicEditWnd::AttachObjects() {
  ForEachVisibleObject(*m_pPicture, [&](CDrawObj* obj) { AttachObject(obj); });
}

LRESULT CPicEditWnd::OnOpenPic(const char* name) {
  DropPicture();
  m_strFileName = name ? name : "";
  CFile file;
  if (!file.Open(PicturePath(), CFile::modeRead | CFile::shareDenyWrite | CFile::typeBinary)) return 1;
  std::unique_ptr<CPicObj> picture(new (std::nothrow) CPicObj);
  if (!picture) return 2;
  // A damaged or foreign file is dropped whole: the window keeps no picture.
  if (!LoadPictureFrom(file, *picture)) return 1;
  file.Abort();
  AdoptPicture(std::move(picture));
  UpdateScrollRanges();
  FillViewInfo();
  AttachObjects();
  RepositionControls();
  NotifyViewChanged();
  NotifySelection();
  NotifyActions();
  return 0;
}

LRESULT CPicEditWnd::OnNewPic(const char* name) {
  DropPicture();
  m_strFileName = name ? name : "";
  std::unique_ptr<CPicObj> picture(new (std::nothrow) CPicObj);
  if (!picture) return 0;
  picture->EnsureLayer();
  // A file that cannot be written gets nothing (one that was there stays as
  // it was); the window keeps the picture.
  StorePictureFile(PicturePath(), *picture);
  AdoptPicture(std::move(picture));
  UpdateScrollRanges();
  FillViewInfo();
  NotifyViewChanged();
  NotifySelection();
  NotifyActions();
  return 0;
}

LRESULT CPicEditWnd::OnSavePic() {
  if (!m_pPicture) return 2;
  // The file must exist: a picture whose file was deleted is not saved. A
  // failed save keeps the picture modified, its edits for the next save.
  if (!ReplacePictureFile(PicturePath(), *m_pPicture)) return 1;
  m_pPicture->m_bModified = FALSE;
  return 0;
}
