// The image file chosen when the image tool is picked: read whole into a
// process-wide memory file, with a flag for metafiles (".WMF", ".EMF"),
// and handed to each image object that the tool then makes. A file that
// cannot be read or does not decode is refused when it is chosen.
#pragma once
#include <windows.h>

#include <string>

#include "memfile.h"

class CDrawBitmap;

enum class ImageChoice { cancelled, unreadable, chosen };

class CChosenImage {
 public:
  // Asks for the file with the open-file dialog and reads it.
  ImageChoice Choose(HWND owner);
  // Reads the file whole (in reads of 4,096 bytes) and decodes it once;
  // false, with nothing chosen, when it cannot be opened or does not decode.
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

// Tells the engineer, in a box over owner, that the image file could not be
// read: nothing is drawn from it.
void SayImageUnreadable(HWND owner);
