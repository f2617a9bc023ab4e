// Name and description patterns of tag queries.
#pragma once
#include <string>

namespace tagsim {

// An empty pattern matches everything; one with '*' (any run) or '?' (any one
// byte) must match the whole text; any other is looked for inside the text.
// ASCII letters compare without case.
bool PatternMatch(const std::string& pattern, const std::string& text);

}  // namespace tagsim
