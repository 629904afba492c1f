#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "toolkit/Color.h"
#include "toolkit/Numeric.h"

namespace {

constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

TEST(NumericTest, RoundingAndSaturation) {
  EXPECT_EQ(Round(2.5), 3.0);
  EXPECT_EQ(Round(-2.5), -3.0);
  EXPECT_TRUE(std::isnan(Round(kNaN)));
  EXPECT_EQ(Round(-kInf), -kInf);

  EXPECT_EQ(DoubleToInt32(-2.9), -2);
  EXPECT_EQ(DoubleToInt32(2147483647.9), kMax);
  EXPECT_EQ(DoubleToInt32(2147483648.0), kMax);
  EXPECT_EQ(DoubleToInt32(-2147483648.9), kMin);
  EXPECT_EQ(DoubleToInt32(kNaN), 0);

  EXPECT_EQ(SatAdd(kMax, 1), kMax);
  EXPECT_EQ(SatMul(-65536, 65536), kMin);
  EXPECT_EQ(SatMul(kMin, -1), kMax);
  EXPECT_EQ(SatNeg(kMin), kMax);
  EXPECT_EQ(Int32ToText(kMin), "-2147483648");
}

TEST(NumericTest, FormatNumberGivesTwoDecimalsAndALeadingDigit) {
  for (const char* pattern : {"-##.00", "-###.00"}) {
    SCOPED_TRACE(pattern);
    EXPECT_EQ(FormatNumber(6, pattern), "6.00");
    EXPECT_EQ(FormatNumber(-4, pattern), "-4.00");
    EXPECT_EQ(FormatNumber(1.5, pattern), "1.50");
    EXPECT_EQ(FormatNumber(-69.4444444444, pattern), "-69.44");
    EXPECT_EQ(FormatNumber(-0.5, pattern), "-0.50");
    EXPECT_EQ(FormatNumber(0, pattern), "0.00");
    EXPECT_EQ(FormatNumber(-0.001, pattern), "0.00");
    EXPECT_EQ(FormatNumber(-0.006, pattern), "-0.01");
    EXPECT_EQ(FormatNumber(999.999, pattern), "1000.00");
    // Exact halves go away from zero, as Round does; 2.675 lies just below its half.
    EXPECT_EQ(FormatNumber(0.125, pattern), "0.13");
    EXPECT_EQ(FormatNumber(0.375, pattern), "0.38");
    EXPECT_EQ(FormatNumber(0.625, pattern), "0.63");
    EXPECT_EQ(FormatNumber(-0.125, pattern), "-0.13");
    EXPECT_EQ(FormatNumber(2.675, pattern), "2.67");
  }
  EXPECT_EQ(FormatNumber(1e308, "-##.00").substr(0, 2), "10");
  EXPECT_FALSE(FormatNumber(kNaN, "-##.00").empty());
  EXPECT_FALSE(FormatNumber(-kInf, "-##.00").empty());
}

TEST(NumericTest, EverySliderSpeedReadsShortAndSurvivesTheRoundTrip) {
  for (int p = 1; p <= 39; ++p) {
    const double v = p / 20.0 - 1.0;
    const std::string text = DoubleToText(v);
    SCOPED_TRACE(text);
    EXPECT_LE(text.size(), 5u);  // "-0.95" at most: no digit noise
    EXPECT_NEAR(TextToDouble(text), v, 1e-15);
  }
  EXPECT_EQ(DoubleToText(1 / 20.0 - 1.0), "-0.95");
  EXPECT_EQ(DoubleToText(0.6000000000000001), "0.6");
  EXPECT_EQ(DoubleToText(21 / 20.0 - 1.0), "0.05");
  EXPECT_EQ(DoubleToText(-0.0), "0");
  EXPECT_EQ(DoubleToText(0.00001), "0.00001");
  EXPECT_EQ(DoubleToText(-1234.5), "-1234.5");
  EXPECT_EQ(DoubleToText(1e20), "1e+20");
}

TEST(NumericTest, SpeedsJustInsideOneNeverReadAsOne) {
  for (double v : {0.9999999999999999, -0.9999999999999999, std::nextafter(1.0, 0.0), std::nextafter(-1.0, 0.0)}) {
    const std::string text = DoubleToText(v);
    SCOPED_TRACE(text);
    EXPECT_EQ(TextToDouble(text), v);  // exact, so strictly inside (-1, 1)
  }
  EXPECT_EQ(DoubleToText(1.0000000000000002), "1");  // outside, the short text stays
}

TEST(NumericTest, TextToDoubleReadsTheLeadingNumber) {
  EXPECT_EQ(TextToDouble("  -0.25"), -0.25);
  EXPECT_EQ(TextToDouble("\t+0.75"), 0.75);
  EXPECT_EQ(TextToDouble(".5"), 0.5);
  EXPECT_EQ(TextToDouble("0.5abc"), 0.5);
  for (const char* garbage : {"", "abc", "-", "+", ".", "-.", " ", "--5", "+-5", "e5", ",5"}) {
    SCOPED_TRACE(garbage);
    EXPECT_EQ(TextToDouble(garbage), 0.0);
  }
  EXPECT_EQ(TextToDouble("-1e309"), -kInf);
  EXPECT_EQ(TextToDouble("1e-400"), 0.0);
  EXPECT_EQ(TextToDouble(std::string(5000, '9')), kInf);
  EXPECT_FALSE(std::isfinite(TextToDouble("nan")));
}

TEST(NumericTest, MakeColorClampsChannels) {
  EXPECT_EQ(MakeColorRGBA(-1, 300, 128, 0), (Color{0, 255, 128, 0}));
  EXPECT_EQ(MakeColorRGBA(0, 64, 128, 0).ToUInt32(), 0x00004080u);
}

}  // namespace
