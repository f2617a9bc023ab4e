// Names the serializable class of the ActiveX control objects, so that a
// program that loads pictures has it in its class registry (see object.h on
// registration and static libraries).
#pragma once

void RegisterActiveXClasses();
