// Names the serializable classes of the groups, sub-pictures and
// window-hosting controls, so that a program that loads pictures has them in
// its class registry (see object.h on registration and static libraries).
#pragma once

void RegisterGroupAndControlClasses();
