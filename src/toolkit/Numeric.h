#pragma once
// Numeric and text services of the toolkit. All of them are total: no input
// throws or invokes undefined behaviour.
#include <cstdint>
#include <string>

// Nearest whole number, halves away from zero (2.5 -> 3, -2.5 -> -3).
// NaN and infinities are returned unchanged.
double Round(double x);

// Saturating conversion: values beyond the Int32 range give INT32_MIN /
// INT32_MAX, NaN gives 0; in-range values are truncated towards zero.
int32_t DoubleToInt32(double x);

double Sqrt(double x);
double Pow(double x, double y);
double Abs(double x);

// Int32 arithmetic that saturates instead of overflowing.
int32_t SatAdd(int32_t a, int32_t b);
int32_t SatSub(int32_t a, int32_t b);
int32_t SatMul(int32_t a, int32_t b);
int32_t SatNeg(int32_t a);

// Number patterns "-##.00" and "-###.00": C locale, exactly two decimals, at
// least one digit before the point, a minus sign only when the rounded text
// is not zero. Any other pattern falls back to the same rendering.
std::string FormatNumber(double value, const std::string& pattern);

// Plain decimal text of an Int32 ("-42"); the pattern is ignored when empty.
std::string Int32ToText(int32_t value, const std::string& pattern = "");

// Shortest readable text of a Double in the C locale: at most 15 significant
// digits ("0.6", "-0.95"), falling back to the exact round-trip text whenever
// the short form would read back as -1, 1 or beyond while the value lies
// strictly inside (-1, 1).
std::string DoubleToText(double value, const std::string& pattern = "");

// C-locale text to number: reads the longest leading number (after leading
// blanks) and ignores the rest; "" and "-" and non-numbers give 0. Never throws.
double TextToDouble(const std::string& text);
