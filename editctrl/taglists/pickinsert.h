// The texts that the pickers put into their target edit controls.
#pragma once
#include "qstring.h"

// A function tree item's text from just after its first blank, blanks and
// comment included ("long   labs(long)" gives "  labs(long)"); the whole
// text when it has no blank or starts with one.
CString FunctionInsertText(const char* itemText);

// Where a picked tag lives.
enum class TagSource { kLocal, kDatabase };

// The reference that an expression uses for a tag: "LVV(name)" for a local
// string (type 6) or blob (type 7) tag, "LV(name)" for any other local tag;
// "TVV(name)" and "TV(name)" for database tags.
CString TagReferenceText(TagSource source, int type, const char* name);
