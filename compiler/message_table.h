// The rows of the per-language message tables.
#pragma once
#include <cstddef>
#include <iterator>

#include "messages.h"

namespace tarnic {

struct MessageRow {
  int code;
  const char* text;
};

extern const MessageRow kErrorTextsEn[];
extern const size_t kErrorTextCountEn;
extern const MessageRow kErrorTextsZh[];
extern const size_t kErrorTextCountZh;
extern const MessageRow kDriverTextsEn[];
extern const size_t kDriverTextCountEn;
extern const MessageRow kDriverTextsZh[];
extern const size_t kDriverTextCountZh;

}  // namespace tarnic
