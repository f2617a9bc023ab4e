// Compiling every script of a picture through the compile runner.
#pragma once
#include <windows.h>

class CPicObj;

// Compiles the scripts of every object of every layer; each failing script
// sends its messages to output (QCN_OUTPUTTEXT). Returns the error count.
int CompilePictureScripts(CPicObj& picture, HWND output, const char* compiler);

// The export's work: reads the picture file, compiles it and puts the
// compiled picture in its place (ReplacePictureFile). -1 when the file
// cannot be opened or read; else the error count.
int CompilePictureFile(HWND output, const char* path, const char* compiler);

extern "C" int __stdcall QEL_CompilePic(HWND output, const char* path, const char* compiler);
