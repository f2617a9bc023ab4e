// Registers the serializable classes of the draw object base, the picture
// and its layers, the poly-lines, curves and pipes, so that a picture stream
// can create them by name (see object.h). Call once before loading.
#pragma once

void RegisterObjectClasses();
