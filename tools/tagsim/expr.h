// Filter expressions of the history queries and counts: empty (every sample), or
// one comparison of the sample's value with a number, the value optionally named
// by a word: "> 50", "v >= 10.5", "value != 0", "== 1". Operators: > >= < <= == = != <>.
#pragma once
#include <string>

#include "store.h"

namespace tagsim {

bool ParseFilterExpression(const std::string& text, SampleFilter* filter);

}  // namespace tagsim
