// Picture files for the editing window tests, made with the picture model
// linked into the test program.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace edittest {

// The picture model's and the links' classes, registered once.
void RegisterModel();

// A picture of two layers with a rectangle and a link, named fileName.
std::vector<BYTE> SamplePictureBytes(const char* fileName);

// The full path of the delivered compiler, sc\Tarnic.exe in the program folder.
std::string CompilerPath();

// A script that compiles without an error.
extern const char kGoodScript[];

// A picture file with one rectangle per source, named "obj1", "obj2"...,
// each with a colour link in script mode running that source.
void WriteScriptedPicture(const std::string& path, const std::vector<const char*>& sources);

// The code bytes of each object's first link, in file order.
std::vector<std::vector<BYTE>> StoredCode(const std::string& path);

// True for bytes that start like a code-byte file of the compiler.
bool IsCodeByteFile(const std::vector<BYTE>& code);

}  // namespace edittest
