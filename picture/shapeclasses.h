// Names the serializable classes of the rectangle family and the texts, so
// that a program that loads pictures has them in its class registry (see
// object.h on registration and static libraries).
#pragma once

void RegisterShapeClasses();
