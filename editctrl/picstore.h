// One picture through a picture file that the caller opened.
#pragma once
#include <windows.h>

class CFile;
class CPicObj;

// Reads the picture from the file's start; false (the picture's content
// then unusable) when the stream is damaged or the file fails.
bool LoadPictureFrom(CFile& file, CPicObj& picture);

// Writes the picture at the file's start and cuts the file after it, so that
// a shorter picture leaves no tail of an older one; then closes the file.
// False when writing failed.
bool StorePictureTo(CFile& file, CPicObj& picture);
