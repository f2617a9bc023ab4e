#include "generator.h"

#include <cmath>
#include <cstdlib>
#include <sstream>

namespace tagsim {
namespace {

struct KindSpec {
  const char* name;
  Generator::Kind kind;
  int minArgs;  // numbers required
  int maxArgs;
};

const KindSpec kKinds[] = {
    {"const", Generator::kConst, 1, 1},     {"ramp", Generator::kRamp, 3, 3},
    {"sine", Generator::kSine, 3, 3},       {"toggle", Generator::kToggle, 1, 1},
    {"counter", Generator::kCounter, 2, 3}, {"text", Generator::kText, 1, 1},
};

const double kPi = 3.14159265358979323846;

bool ParseNumber(const std::string& s, double* out) {
  char* end = nullptr;
  *out = std::strtod(s.c_str(), &end);
  return !s.empty() && end && *end == 0 && std::isfinite(*out);
}

std::string Trim(const std::string& s) {
  size_t b = s.find_first_not_of(" \t"), e = s.find_last_not_of(" \t");
  return b == std::string::npos ? std::string() : s.substr(b, e - b + 1);
}

// Whole periods elapsed, for negative times too.
int64_t Periods(double seconds, double period) { return int64_t(std::floor(seconds / period)); }

}  // namespace

bool Generator::Parse(const std::string& recipeText, bool forText, Generator* out, std::string* error) {
  std::string recipe = Trim(recipeText);
  std::string word = recipe.substr(0, recipe.find_first_of(" \t"));
  std::string rest = Trim(recipe.size() > word.size() ? recipe.substr(word.size()) : std::string());
  const KindSpec* kind = nullptr;
  for (const KindSpec& k : kKinds)
    if (word == k.name) kind = &k;
  if (!kind) {
    *error = "unknown generator \"" + word + "\"";
    return false;
  }
  Generator g;
  g.kind = kind->kind;
  if (forText && g.kind == kConst) {
    g.texts.push_back(rest);
    *out = g;
    return true;
  }
  if (forText != (g.kind == kText)) {
    *error =
        forText ? "string and blob tags take \"const\" or \"text\"" : "\"text\" is for string and blob tags";
    return false;
  }
  if (g.kind == kText) {  // "text <period> a;b;c": the rest of the line is the list
    std::string::size_type cut = rest.find_first_of(" \t");
    std::string list = cut == std::string::npos ? std::string() : Trim(rest.substr(cut));
    rest = rest.substr(0, cut);
    std::string::size_type pos = 0;
    while (!list.empty()) {
      std::string::size_type semi = list.find(';', pos);
      g.texts.push_back(Trim(list.substr(pos, semi == std::string::npos ? semi : semi - pos)));
      if (semi == std::string::npos) break;
      pos = semi + 1;
    }
  }
  std::istringstream in(rest);
  std::string item;
  int n = 0;
  while (in >> item) {
    if (n == kind->maxArgs) {
      *error = "too many numbers for \"" + word + "\"";
      return false;
    }
    if (!ParseNumber(item, &g.p[n])) {
      *error = "\"" + item + "\" is not a number";
      return false;
    }
    ++n;
  }
  if (n < kind->minArgs || (g.kind == kText && g.texts.empty())) {
    *error = "too few arguments for \"" + word + "\"";
    return false;
  }
  bool needsPeriod =
      g.kind == kRamp || g.kind == kSine || g.kind == kToggle || g.kind == kText || g.kind == kCounter;
  double period = g.kind == kRamp || g.kind == kSine ? g.p[2] : g.kind == kCounter ? g.p[1] : g.p[0];
  if (needsPeriod && !(period > 0)) {
    *error = "the period of \"" + word + "\" must be above 0";
    return false;
  }
  if (g.kind == kCounter && n == 2) g.p[2] = 1000000;
  *out = g;
  return true;
}

double Generator::Number(double t) const {
  switch (kind) {
    case kConst: return p[0];
    case kRamp: {
      double phase = t / p[2] - std::floor(t / p[2]);
      return p[0] + (p[1] - p[0]) * phase;
    }
    case kSine: return p[0] + p[1] * std::sin(2 * kPi * std::fmod(t, p[2]) / p[2]);
    case kToggle: return double(Periods(t, p[0]) & 1);
    case kCounter: {
      double v = double(Periods(t, p[1])) * p[0];
      return p[2] > 0 ? v - std::floor(v / p[2]) * p[2] : v;
    }
    case kText: return 0;
  }
  return 0;
}

std::string Generator::Text(double t) const {
  if (texts.empty()) return std::string();
  if (kind != kText) return texts[0];
  int64_t i = Periods(t, p[0]) % int64_t(texts.size());
  return texts[size_t(i < 0 ? i + int64_t(texts.size()) : i)];
}

double Generator::Low() const {
  switch (kind) {
    case kRamp: return std::fmin(p[0], p[1]);
    case kSine: return p[0] - std::fabs(p[1]);
    case kCounter: return 0;
    case kToggle: return 0;
    default: return p[0];
  }
}

double Generator::High() const {
  switch (kind) {
    case kRamp: return std::fmax(p[0], p[1]);
    case kSine: return p[0] + std::fabs(p[1]);
    case kCounter: return p[2];
    case kToggle: return 1;
    default: return p[0];
  }
}

}  // namespace tagsim
