// Names the serializable classes of the plug-in objects, so that a program
// that loads pictures has them in its class registry (see object.h on
// registration and static libraries).
#pragma once

void RegisterPluginClasses();
