// The image file chosen when the image tool is picked: read whole into a
// process-wide memory file, with a flag for metafiles (".WMF", ".EMF"),
// and handed to each image object that the tool then makes.
#pragma once
#include <windows.h>

#include <string>

#include "memfile.h"

class CDrawBitmap;

class CChosenImage {
 public:
  // Asks for the file with the open-file dialog and reads it; false when the
  // dialog was cancelled or the file cannot be read.
  bool Choose(HWND owner);
  // Reads the file whole (in reads of 4,096 bytes); false, with nothing
  // chosen, when it cannot be opened.
  bool Read(const std::string& path);
  bool IsMetafile() const { return m_bMetafile; }
  // The image object loads the chosen bytes; false when none are chosen or
  // they do not decode.
  bool LoadInto(CDrawBitmap& image);

 private:
  CMemFile m_bytes{4096};
  bool m_bChosen = false;
  bool m_bMetafile = false;
};

CChosenImage& ChosenImage();
