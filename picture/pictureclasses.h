// Every serializable class of the picture model, for programs and libraries
// that load pictures: call once before the first archive is read (see object.h
// on why static libraries register their classes through a function).
#pragma once

void RegisterPictureClasses();
