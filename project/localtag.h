// The project model's helpers around the local tag record of the picture
// windows' contract.
#pragma once
#include <windows.h>

#include "qel/localtag.h"

// A cleared record with the texts copied in (each cut to its field, always
// terminated); null texts are empty.
LocalTagRecord MakeLocalTag(const char* name, const char* description, const char* unit,
                            const char* initialValue, BYTE type, BYTE system = 0);

// Forces the last byte of every text field to zero, so that a record read from
// a damaged file never lets a text run past its field.
void TerminateLocalTag(LocalTagRecord& rec);

// The two system tags that every new project holds: the logged-in user and
// that user's rights.
extern const char kSystemTagUser[];   // "@suser"
extern const char kSystemTagPower[];  // "@dwpower"
