// Object lists and arrays in the picture archive: a count, then one object
// reference per element. Loading appends each element the moment it is read,
// so a list that fails half way holds (and its owner deletes) what was read.
#pragma once

#include "archive.h"
#include "collections.h"

void StoreObjectList(CArchive& ar, CObList& list);
// Appends to list; every element must be of class pRequired (null: any).
void LoadObjectList(CArchive& ar, CObList& list, const CRuntimeClass* pRequired);

void StoreObjectArray(CArchive& ar, CObArray& array);
void LoadObjectArray(CArchive& ar, CObArray& array, const CRuntimeClass* pRequired);

// Deletes every object of the list, head first, and empties it.
void DeleteObjectList(CObList& list);
