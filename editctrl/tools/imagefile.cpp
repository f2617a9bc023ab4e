#include "imagefile.h"

#include <algorithm>
#include <cctype>

#include "dialogs/editdialogs.h"
#include "drawbitmap.h"
#include "file.h"
#include "msgbox.h"

namespace {

const char kImageFilter[] =
    "All bitmap files(*.bmp,*.jpg,*.gif,*.EMF,*.WMF,*.tif,*.png)|*.bmp;*.jpg;*.gif;*.tif;*.png;"
    "*.EMF;*.WMF|BMP(*.bmp)|*.bmp|JPEG(*.jpg;*.jpeg)|*.jpg;*.jpeg|GIF(*.gif)|*.gif|"
    "TIFF(*.tif;tiff)|*.tif;tiff|PNG(*.png)|*.png||";
constexpr UINT kReadStep = 4096;
// As the tools' other refusals: the caption and the stop icon.
const char kUnreadableText[] = "无法读取该图片文件!";
const char kUnreadableCaption[] = "错误";

bool HasMetafileExtension(const std::string& path) {
  if (path.size() < 4) return false;
  std::string tail = path.substr(path.size() - 4);
  std::transform(tail.begin(), tail.end(), tail.begin(),
                 [](char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); });
  return tail == ".WMF" || tail == ".EMF";
}

}  // namespace

CChosenImage& ChosenImage() {
  static CChosenImage image;
  return image;
}

ImageChoice CChosenImage::Choose(HWND owner) {
  std::string path;
  if (!AskOpenFileName(owner, kImageFilter, "bmp", path)) return ImageChoice::cancelled;
  return Read(path) ? ImageChoice::chosen : ImageChoice::unreadable;
}

bool CChosenImage::Read(const std::string& path) {
  m_bChosen = false;
  m_bytes.SetLength(0);
  CFile file;
  if (!file.Open(path.c_str(), CFile::modeRead | CFile::shareDenyWrite | CFile::typeBinary)) return false;
  BYTE chunk[kReadStep];
  try {
    for (UINT n; (n = file.Read(chunk, sizeof chunk)) > 0;) m_bytes.Write(chunk, n);
  } catch (CException&) {
    m_bytes.SetLength(0);
    return false;
  }
  m_bMetafile = HasMetafileExtension(path);
  m_bChosen = true;
  CDrawBitmap probe;
  if (LoadInto(probe)) return true;
  m_bChosen = false;
  m_bytes.SetLength(0);
  return false;
}

bool CChosenImage::LoadInto(CDrawBitmap& image) {
  if (!m_bChosen) return false;
  m_bytes.SeekToBegin();
  return image.LoadFromFile(&m_bytes);
}

void SayImageUnreadable(HWND owner) {
  QelMessageBox(owner, kUnreadableText, kUnreadableCaption, MB_OK | MB_ICONSTOP);
}
