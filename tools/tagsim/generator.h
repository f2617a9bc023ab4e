// Demo value generators: each is a pure function of time, so current values move
// and any history range can be produced on the fly.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace tagsim {

struct Generator {
  enum Kind { kConst, kRamp, kSine, kToggle, kCounter, kText };
  Kind kind = kConst;
  double p[3] = {0, 0, 0};         // ramp: low high period; sine: middle amplitude period;
                                   // toggle: period; counter: step interval modulo; const: value
  std::vector<std::string> texts;  // text: cycled every p[0] seconds; const text: texts[0]

  // Parses "ramp 0 100 60", "sine 50 20 30", "toggle 5", "counter 1 2 1000000",
  // "const 42", "const some text", "text 10 a;b;c". False with a reason otherwise.
  static bool Parse(const std::string& recipe, bool forText, Generator* out, std::string* error);

  double Number(double seconds) const;     // numeric tags
  std::string Text(double seconds) const;  // string and blob tags
  double Low() const;                      // range of the numbers produced
  double High() const;
};

}  // namespace tagsim
