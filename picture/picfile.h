// Reading and writing whole pictures: files and memory buffers hold exactly
// the picture's own stream (no class record before it).
#pragma once

#include <windows.h>

#include <vector>

class CPicObj;
class CFileException;

// Writes the picture to a file, replacing whatever the file held before
// (a shorter picture never leaves an old tail behind). Clears the
// modified flag on success. Throws the framework's file and archive
// exceptions.
void SavePictureFile(CPicObj& picture, const char* pszPath);

// A new picture read from a file or a buffer; throws on a damaged stream
// (nothing is leaked: the partly read picture is deleted).
CPicObj* LoadPictureFile(const char* pszPath);
CPicObj* LoadPictureBuffer(const BYTE* pData, UINT nSize);

// The picture's stream as bytes.
std::vector<BYTE> StorePictureBytes(CPicObj& picture);
