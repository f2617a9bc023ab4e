// The fixed help text of the expression page: operators, functions, tag
// references, literals, types and examples, lines ending in CR LF.
#pragma once
#include "qstring.h"

const CString& ExpressionHelpText();
