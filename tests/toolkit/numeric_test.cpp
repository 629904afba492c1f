#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>

#include "toolkit/Color.h"
#include "toolkit/Numeric.h"

namespace {

constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

TEST(NumericTest, RoundTakesHalvesAwayFromZero) {
  EXPECT_EQ(Round(2.5), 3.0);
  EXPECT_EQ(Round(-2.5), -3.0);
  EXPECT_EQ(Round(0.49999999999999994), 0.0);
  EXPECT_EQ(Round(-0.4), 0.0);
  EXPECT_EQ(Round(-1.6), -2.0);
  EXPECT_EQ(Round(1e300), 1e300);
  EXPECT_TRUE(std::isnan(Round(kNaN)));
  EXPECT_EQ(Round(-kInf), -kInf);
}

TEST(NumericTest, DoubleToInt32TruncatesAndSaturates) {
  EXPECT_EQ(DoubleToInt32(2.9), 2);
  EXPECT_EQ(DoubleToInt32(-2.9), -2);
  EXPECT_EQ(DoubleToInt32(2147483647.9), kMax);
  EXPECT_EQ(DoubleToInt32(2147483648.0), kMax);
  EXPECT_EQ(DoubleToInt32(-2147483648.9), kMin);
  EXPECT_EQ(DoubleToInt32(-2147483649.0), kMin);
  EXPECT_EQ(DoubleToInt32(1e300), kMax);
  EXPECT_EQ(DoubleToInt32(kInf), kMax);
  EXPECT_EQ(DoubleToInt32(-kInf), kMin);
  EXPECT_EQ(DoubleToInt32(kNaN), 0);
}

TEST(NumericTest, SaturatingArithmetic) {
  EXPECT_EQ(SatAdd(kMax, 1), kMax);
  EXPECT_EQ(SatAdd(kMin, -1), kMin);
  EXPECT_EQ(SatAdd(-5, 3), -2);
  EXPECT_EQ(SatSub(kMin, 1), kMin);
  EXPECT_EQ(SatSub(0, kMin), kMax);
  EXPECT_EQ(SatMul(65536, 65536), kMax);
  EXPECT_EQ(SatMul(-65536, 65536), kMin);
  EXPECT_EQ(SatMul(kMin, -1), kMax);
  EXPECT_EQ(SatMul(-7, 6), -42);
  EXPECT_EQ(SatNeg(kMin), kMax);
  EXPECT_EQ(SatNeg(kMax), -kMax);
}

TEST(NumericTest, MathFunctions) {
  EXPECT_EQ(Sqrt(144.0), 12.0);
  EXPECT_TRUE(std::isnan(Sqrt(-1.0)));
  EXPECT_EQ(Pow(-3.0, 2.0), 9.0);
  EXPECT_EQ(Abs(-0.25), 0.25);
}

TEST(NumericTest, FormatNumberGivesTwoDecimalsAndALeadingDigit) {
  for (const char* pattern : {"-##.00", "-###.00"}) {
    SCOPED_TRACE(pattern);
    EXPECT_EQ(FormatNumber(6, pattern), "6.00");
    EXPECT_EQ(FormatNumber(28, pattern), "28.00");
    EXPECT_EQ(FormatNumber(-4, pattern), "-4.00");
    EXPECT_EQ(FormatNumber(1.5, pattern), "1.50");
    EXPECT_EQ(FormatNumber(-69.4444444444, pattern), "-69.44");
    EXPECT_EQ(FormatNumber(0.5, pattern), "0.50");
    EXPECT_EQ(FormatNumber(-0.5, pattern), "-0.50");
    EXPECT_EQ(FormatNumber(0, pattern), "0.00");
    EXPECT_EQ(FormatNumber(-0.0, pattern), "0.00");
    EXPECT_EQ(FormatNumber(-0.001, pattern), "0.00");
    EXPECT_EQ(FormatNumber(-0.004999, pattern), "0.00");
    EXPECT_EQ(FormatNumber(-0.006, pattern), "-0.01");
    EXPECT_EQ(FormatNumber(2.675, pattern), "2.67");  // 2.675 is 2.67499999… in binary
    EXPECT_EQ(FormatNumber(999.999, pattern), "1000.00");
    EXPECT_EQ(FormatNumber(-1234567.891, pattern), "-1234567.89");
  }
  // Extremes give some text and never crash.
  EXPECT_FALSE(FormatNumber(1e308, "-##.00").empty());
  EXPECT_EQ(FormatNumber(1e308, "-##.00").substr(0, 2), "10");
  EXPECT_FALSE(FormatNumber(kNaN, "-##.00").empty());
  EXPECT_FALSE(FormatNumber(-kInf, "-##.00").empty());
}

TEST(NumericTest, Int32ToText) {
  EXPECT_EQ(Int32ToText(0), "0");
  EXPECT_EQ(Int32ToText(-42), "-42");
  EXPECT_EQ(Int32ToText(kMin), "-2147483648");
  EXPECT_EQ(Int32ToText(kMax), "2147483647");
}

TEST(NumericTest, DoubleToTextIsShortAndReadable) {
  EXPECT_EQ(DoubleToText(0.0), "0");
  EXPECT_EQ(DoubleToText(0.6000000000000001), "0.6");
  EXPECT_EQ(DoubleToText(1.0 / 20.0 - 1.0), "-0.95");
  EXPECT_EQ(DoubleToText(21 / 20.0 - 1.0), "0.05");
  EXPECT_EQ(DoubleToText(39 / 20.0 - 1.0), "0.95");
  EXPECT_EQ(DoubleToText(-3.0), "-3");
  EXPECT_EQ(DoubleToText(123456.25), "123456.25");
  EXPECT_EQ(DoubleToText(0.001), "0.001");
}

TEST(NumericTest, EverySliderSpeedSurvivesTheTextRoundTrip) {
  for (int p = 1; p <= 39; ++p) {
    const double v = p / 20.0 - 1.0;
    const std::string text = DoubleToText(v);
    SCOPED_TRACE(text);
    EXPECT_LE(text.size(), 5u);  // "-0.95" at most: no digit noise
    EXPECT_NEAR(TextToDouble(text), v, 1e-15);
    EXPECT_GT(TextToDouble(text), -1.0);
    EXPECT_LT(TextToDouble(text), 1.0);
  }
}

TEST(NumericTest, SpeedsJustInsideOneNeverReadAsOne) {
  for (double v : {0.9999999999999999, -0.9999999999999999, 0.99999999999999989, std::nextafter(1.0, 0.0),
                   std::nextafter(-1.0, 0.0)}) {
    const std::string text = DoubleToText(v);
    SCOPED_TRACE(text);
    EXPECT_NE(text, "1");
    EXPECT_NE(text, "-1");
    EXPECT_EQ(TextToDouble(text), v);  // exact round trip
  }
  // Outside the interval the short text stays.
  EXPECT_EQ(DoubleToText(1.0000000000000002), "1");
}

TEST(NumericTest, TextToDoubleReadsTheLeadingNumber) {
  EXPECT_EQ(TextToDouble("0.5"), 0.5);
  EXPECT_EQ(TextToDouble("  -0.25"), -0.25);
  EXPECT_EQ(TextToDouble("\t+0.75"), 0.75);
  EXPECT_EQ(TextToDouble(".5"), 0.5);
  EXPECT_EQ(TextToDouble("0.5abc"), 0.5);
  EXPECT_EQ(TextToDouble("1e2x"), 100.0);
  EXPECT_EQ(TextToDouble("2e"), 2.0);
  EXPECT_EQ(TextToDouble("0.5,7"), 0.5);
  for (const char* garbage : {"", "abc", "-", "+", ".", "-.", " ", "--5", "+-5", "e5", ",5"}) {
    SCOPED_TRACE(garbage);
    EXPECT_EQ(TextToDouble(garbage), 0.0);
  }
  EXPECT_EQ(TextToDouble("1e309"), kInf);
  EXPECT_EQ(TextToDouble("-1e309"), -kInf);
  EXPECT_EQ(TextToDouble("1e-400"), 0.0);
  EXPECT_EQ(TextToDouble("4e-320"), 4e-320);  // subnormal, still read
  EXPECT_FALSE(std::isfinite(TextToDouble("nan")));
  EXPECT_EQ(TextToDouble(std::string(5000, '9')), kInf);
}

TEST(NumericTest, TextConversionsIgnoreTheProcessLocale) {
  const char* old = std::setlocale(LC_NUMERIC, nullptr);
  const std::string saved = old ? old : "C";
  const bool switched = std::setlocale(LC_NUMERIC, "de_DE.UTF-8") != nullptr ||
                        std::setlocale(LC_NUMERIC, "fr_FR.UTF-8") != nullptr;
  EXPECT_EQ(TextToDouble("0.5"), 0.5);
  EXPECT_EQ(DoubleToText(-0.35), "-0.35");
  EXPECT_EQ(FormatNumber(-69.444, "-##.00"), "-69.44");
  std::setlocale(LC_NUMERIC, saved.c_str());
  if (!switched) GTEST_SKIP() << "no comma-decimal locale installed";
}

TEST(NumericTest, MakeColorClampsChannels) {
  EXPECT_EQ(MakeColorRGBA(-1, 300, 128, 0), (Color{0, 255, 128, 0}));
  EXPECT_EQ(MakeColorRGBA(0, 64, 128, 0).ToUInt32(), 0x00004080u);
  EXPECT_EQ(MakeColorRGBA(1, 2, 3, 1000).alpha, 255);
}

}  // namespace
