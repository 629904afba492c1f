#include "toolkit/Numeric.h"

#include <locale.h>
#include <stdlib.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace {

constexpr int64_t kInt32Min = std::numeric_limits<int32_t>::min();
constexpr int64_t kInt32Max = std::numeric_limits<int32_t>::max();

int32_t Clamp32(int64_t v) {
  if (v < kInt32Min) return int32_t(kInt32Min);
  if (v > kInt32Max) return int32_t(kInt32Max);
  return int32_t(v);
}

// Text of a double through std::to_chars, which never consults the locale.
// 400 bytes hold any fixed rendering of a finite double with two decimals.
template <class... Args>
std::string ToChars(double value, Args... args) {
  char buf[400];
  auto res = std::to_chars(buf, buf + sizeof buf, value, args...);
  if (res.ec != std::errc()) return std::isnan(value) ? "nan" : (value < 0 ? "-inf" : "inf");
  return std::string(buf, res.ptr);
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v'; }

// strtod in the C locale, whatever the process locale is.
double StrtodC(const std::string& text) {
  static locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t(0));
  if (cLocale == locale_t(0)) return 0.0;
  return strtod_l(text.c_str(), nullptr, cLocale);
}

}  // namespace

double Round(double x) {
  if (!std::isfinite(x)) return x;
  return std::round(x);  // halves away from zero
}

int32_t DoubleToInt32(double x) {
  if (std::isnan(x)) return 0;
  if (x >= 2147483648.0) return int32_t(kInt32Max);
  if (x <= -2147483649.0) return int32_t(kInt32Min);
  return int32_t(x);  // in range: truncation towards zero is defined
}

double Sqrt(double x) { return std::sqrt(x); }
double Pow(double x, double y) { return std::pow(x, y); }
double Abs(double x) { return std::fabs(x); }

int32_t SatAdd(int32_t a, int32_t b) { return Clamp32(int64_t(a) + int64_t(b)); }
int32_t SatSub(int32_t a, int32_t b) { return Clamp32(int64_t(a) - int64_t(b)); }
int32_t SatMul(int32_t a, int32_t b) { return Clamp32(int64_t(a) * int64_t(b)); }
int32_t SatNeg(int32_t a) { return Clamp32(-int64_t(a)); }

std::string FormatNumber(double value, const std::string& pattern) {
  (void)pattern;  // both patterns in use render alike: two decimals, a leading digit
  if (std::isnan(value)) return "NaN";
  if (std::isinf(value)) return value < 0 ? "-Infinity" : "Infinity";
  std::string text = ToChars(value, std::chars_format::fixed, 2);
  // to_chars takes a value that lies exactly halfway between two texts to the
  // even one (0.125 -> "0.12"); readouts take halves away from zero, as Round
  // does. Such a value is an odd number of eighths (.125, .375, .625, .875),
  // which three decimals write out exactly; dropping the final 5 and counting
  // the last digit up (2 or 7, so nothing carries) gives the text away from zero.
  if (std::fmod(std::fabs(value) * 8.0, 2.0) == 1.0) {
    text = ToChars(value, std::chars_format::fixed, 3);
    text.pop_back();
    ++text.back();
  }
  // A negative value that rounds to zero reads "0.00", not "-0.00".
  if (text[0] == '-' && text.find_first_not_of("-0.") == std::string::npos) text.erase(0, 1);
  return text;
}

std::string Int32ToText(int32_t value, const std::string& pattern) {
  (void)pattern;
  char buf[16];
  auto res = std::to_chars(buf, buf + sizeof buf, value);
  return std::string(buf, res.ptr);
}

std::string DoubleToText(double value, const std::string& pattern) {
  (void)pattern;
  if (std::isnan(value)) return "NaN";
  if (std::isinf(value)) return value < 0 ? "-Infinity" : "Infinity";
  if (value == 0.0) return "0";  // also for -0.0, which a negated zero speed becomes
  std::string text;
  const double magnitude = std::fabs(value);
  if (magnitude >= 1e-9 && magnitude < 1e15) {
    // 15 significant digits written out in full (0.00001, not 1e-05), then
    // trailing zeros dropped.
    const int exponent = int(std::floor(std::log10(magnitude)));
    text = ToChars(value, std::chars_format::fixed, std::max(0, 14 - exponent));
    if (text.find('.') != std::string::npos) {
      text.erase(text.find_last_not_of('0') + 1);
      if (text.back() == '.') text.pop_back();
    }
  } else {
    text = ToChars(value, std::chars_format::general, 15);
  }
  if (value > -1.0 && value < 1.0) {
    // The short text must not leave the open interval the value lies in: a
    // speed typed back from it would otherwise be rejected.
    double back = TextToDouble(text);
    if (back <= -1.0 || back >= 1.0) text = ToChars(value);  // shortest exact text
  }
  return text;
}

double TextToDouble(const std::string& text) {
  size_t pos = 0;
  while (pos < text.size() && IsBlank(text[pos])) ++pos;
  bool negative = false;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
    negative = text[pos] == '-';
    ++pos;
  }
  // from_chars takes no sign of its own here, so "+-5" and "--5" stay non-numbers.
  if (pos >= text.size() || text[pos] == '+' || text[pos] == '-') return 0.0;
  const char* first = text.data() + pos;
  const char* last = text.data() + text.size();
  double value = 0.0;
  auto res = std::from_chars(first, last, value, std::chars_format::general);
  if (res.ec == std::errc::invalid_argument) return 0.0;
  if (res.ec == std::errc::result_out_of_range) {
    // Too large or too small for a double: let strtod give inf or 0 (or a subnormal).
    value = StrtodC(std::string(first, res.ptr));
  }
  return negative ? -value : value;
}
