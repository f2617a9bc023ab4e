// One picture through a picture file.
#pragma once
#include <windows.h>

class CFile;
class CPicObj;

// Reads the picture from the start of a file that the caller opened; false
// (the picture's content then unusable) when the stream is damaged or the
// file fails.
bool LoadPictureFrom(CFile& file, CPicObj& picture);

// Writes the picture to a new file beside path and puts it in path's place
// only when it is whole (QelWriteDocumentFile), so that a write failing
// halfway (a full disk, no memory) leaves path as it was. False when any
// step failed.
bool StorePictureFile(const char* path, CPicObj& picture);

// StorePictureFile over a file that exists and takes writes; false, with
// nothing written, when path is missing or will not be written (read-only,
// held by another program).
bool ReplacePictureFile(const char* path, CPicObj& picture);
