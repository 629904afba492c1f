#include <gtest/gtest.h>

#include <QFontInfo>
#include <QFontDatabase>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <limits>

#include "toolkit/Graphics.h"
#include "toolkit/PainterGraphics.h"
#include "toolkit/PictureImpl.h"
#include "toolkit/Runtime.h"

namespace {

const Color kBlack{0, 0, 0, 0};
const Color kWhite{255, 255, 255, 0};
const Color kRed{255, 0, 0, 0};

bool IsDark(Color c) { return c.alpha == 0 && c.red < 128 && c.green < 128 && c.blue < 128; }

TEST(RecordingGraphicsTest, KeepsCallsInOrderWithTheSettingsInForce) {
  RecordingGraphics g(100, 50);
  EXPECT_EQ(g.Width(), 100);
  g.DrawLine(1, 2, 3, 4);
  g.SetForeColor(kRed);
  g.SetPenWidth(2.0);
  g.DrawOval(5, 6, 7, 8);
  g.SetTextFont("Arial");
  g.SetTextSize(10.0f);
  g.FillRect(9, 10, 11, 12);
  g.DrawString("P", 13, 14);

  const auto& calls = g.Calls();
  ASSERT_EQ(calls.size(), 8u) << g.Dump();
  EXPECT_EQ(calls[0].kind, GraphicsCall::DrawLine);
  EXPECT_EQ(calls[0].color, kBlack);
  EXPECT_EQ(calls[0].penWidth, 1.0);
  EXPECT_EQ((std::vector<double>{calls[0].a, calls[0].b, calls[0].c, calls[0].d}),
            (std::vector<double>{1, 2, 3, 4}));
  EXPECT_EQ(calls[1].kind, GraphicsCall::ForeColor);
  EXPECT_EQ(calls[1].color, kRed);
  EXPECT_EQ(calls[2].value, 2.0);
  EXPECT_EQ(calls[3].kind, GraphicsCall::DrawOval);
  EXPECT_EQ(calls[3].color, kRed);
  EXPECT_EQ(calls[3].penWidth, 2.0);
  EXPECT_EQ(calls[4].text, "Arial");
  EXPECT_EQ(calls[5].value, 10.0);
  EXPECT_EQ(calls[6].kind, GraphicsCall::FillRect);
  EXPECT_EQ(calls[6].d, 12);
  EXPECT_EQ(calls[7].kind, GraphicsCall::DrawString);
  EXPECT_EQ(calls[7].text, "P");
  EXPECT_EQ(calls[7].value, 0.0);
  EXPECT_FALSE(calls[7].condense);
  EXPECT_EQ(g.TextFont(), "Arial");

  const auto lines = g.Calls(GraphicsCall::DrawLine);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].d, 4);
  const std::string dump = g.Dump();
  EXPECT_EQ(std::count(dump.begin(), dump.end(), '\n'), 8);
  EXPECT_NE(dump.find("DrawString \"P\" 13, 14"), std::string::npos) << dump;
  g.Clear();
  EXPECT_TRUE(g.Calls().empty());
}

class PictureScaleTest : public testing::TestWithParam<int> {};

// A whole-number 1-px line lies exactly on its pixel row or column, also on a
// 2x backing store (where a surface pixel is two device pixels).
TEST_P(PictureScaleTest, OnePixelLinesAreCrisp) {
  const int s = GetParam();
  Picture pic(636, 553, s);
  EXPECT_EQ(pic.Width(), 636);
  EXPECT_EQ(pic.impl()->image.width(), 636 * s);
  {
    auto g = pic.NewGraphics();
    EXPECT_EQ(g->Width(), 636);
    EXPECT_EQ(g->Height(), 553);
    g->DrawLine(0, 400, 635, 400);
    g->DrawLine(300, 0, 300, 100);
  }
  for (int x = 0; x < 636 * s; ++x) {
    ASSERT_EQ(pic.Pixel(x, 400 * s), kBlack) << "x " << x;
    ASSERT_EQ(pic.Pixel(x, 400 * s + s - 1), kBlack) << "x " << x;
    ASSERT_EQ(pic.Pixel(x, 400 * s - 1), kWhite) << "x " << x;
    ASSERT_EQ(pic.Pixel(x, 401 * s), kWhite) << "x " << x;
  }
  for (int y = 0; y <= 100 * s; ++y) {
    ASSERT_EQ(pic.Pixel(300 * s, y), kBlack) << "y " << y;
    ASSERT_EQ(pic.Pixel(300 * s - 1, y), kWhite) << "y " << y;
    ASSERT_EQ(pic.Pixel(301 * s, y), kWhite) << "y " << y;
  }
  EXPECT_EQ(pic.Pixel(300 * s, 101 * s), kWhite);  // the line ends with its end pixel
}

TEST_P(PictureScaleTest, FillRectCoversExactlyItsPixels) {
  const int s = GetParam();
  Picture pic(40, 30, s);
  {
    auto g = pic.NewGraphics();
    g->SetForeColor(kRed);
    g->FillRect(5, 6, 10, 4);
  }
  for (int y = 0; y < 30 * s; ++y) {
    for (int x = 0; x < 40 * s; ++x) {
      const bool inside = x >= 5 * s && x < 15 * s && y >= 6 * s && y < 10 * s;
      ASSERT_EQ(pic.Pixel(x, y), inside ? kRed : kWhite) << x << "," << y;
    }
  }
  {
    auto g = pic.NewGraphics();
    g->SetForeColor(MakeColorRGBA(0, 64, 128, 0));
    g->FillRect(0, 0, 40, 30);
  }
  EXPECT_EQ(pic.Pixel(0, 0), (Color{0, 64, 128, 0}));
  EXPECT_EQ(pic.Pixel(40 * s - 1, 30 * s - 1), (Color{0, 64, 128, 0}));
}

TEST_P(PictureScaleTest, TwoPixelLinesCoverTwoWholeRows) {
  const int s = GetParam();
  Picture pic(50, 50, s);
  {
    auto g = pic.NewGraphics();
    g->SetPenWidth(2.0);
    g->DrawLine(10, 20, 40, 20);
  }
  int dark = 0;
  for (int y = 15 * s; y < 25 * s; ++y) {
    const Color c = pic.Pixel(25 * s, y);
    ASSERT_TRUE(c == kBlack || c == kWhite) << "row " << y << " is blurred";
    dark += c == kBlack;
  }
  EXPECT_EQ(dark, 2 * s);
}

INSTANTIATE_TEST_SUITE_P(Scales, PictureScaleTest, testing::Values(1, 2));

TEST(PainterGraphicsTest, OvalIsInscribedInItsRectangle) {
  Picture pic(60, 60);
  {
    auto g = pic.NewGraphics();
    g->DrawOval(10, 20, 31, 21);  // centre (25.5, 30.5): pixel column 25, row 30
  }
  EXPECT_TRUE(IsDark(pic.Pixel(10, 30)));
  EXPECT_TRUE(IsDark(pic.Pixel(40, 30)));
  EXPECT_TRUE(IsDark(pic.Pixel(25, 20)));
  EXPECT_TRUE(IsDark(pic.Pixel(25, 40)));
  EXPECT_EQ(pic.Pixel(9, 30), kWhite);
  EXPECT_EQ(pic.Pixel(41, 30), kWhite);
  EXPECT_EQ(pic.Pixel(25, 19), kWhite);
  EXPECT_EQ(pic.Pixel(25, 41), kWhite);
  EXPECT_EQ(pic.Pixel(25, 30), kWhite);  // an outline, not a disc
  EXPECT_EQ(pic.Pixel(10, 20), kWhite);  // the corners stay clear
}

TEST(PainterGraphicsTest, ArialTextSitsOnItsBaseline) {
  Picture pic(200, 100);
  {
    auto g = pic.NewGraphics();
    g->SetTextFont("Arial");
    g->SetTextSize(10.0f);
    g->DrawString("Hx", 20, 50);
  }
  int above = 0;
  for (int y = 40; y < 50; ++y)
    for (int x = 20; x < 40; ++x) above += IsDark(pic.Pixel(x, y));
  EXPECT_GT(above, 5);
  for (int y = 0; y < 100; ++y) {
    for (int x = 0; x < 200; ++x) {
      if (y >= 38 && y <= 50 && x >= 19 && x < 40) continue;
      ASSERT_EQ(pic.Pixel(x, y), kWhite) << "stray ink at " << x << "," << y;
    }
  }
}

TEST(PainterGraphicsTest, FontSizeIsInSurfacePixels) {
  QImage img(100, 100, QImage::Format_ARGB32_Premultiplied);
  QPainter painter(&img);
  PainterGraphics g(painter, 100, 100);
  g.SetTextFont("Arial");
  g.SetTextSize(10.0f);
  EXPECT_EQ(painter.font().pixelSize(), 10);
  g.SetTextSize(0.0f);
  EXPECT_EQ(painter.font().pixelSize(), 12);
  g.SetTextSize(std::numeric_limits<float>::quiet_NaN());
  EXPECT_EQ(painter.font().pixelSize(), 12);
  if (QFontDatabase::families().contains("Liberation Sans")) {
    EXPECT_EQ(QFontInfo(painter.font()).family(), "Liberation Sans");
  }
}

TEST(PainterGraphicsTest, AlphaByteZeroIsOpaque) {
  QImage img(4, 4, QImage::Format_ARGB32_Premultiplied);
  img.fill(Qt::white);
  QPainter painter(&img);
  PainterGraphics g(painter, 4, 4);
  g.SetForeColor(MakeColorRGBA(0, 0, 255, 0));
  EXPECT_EQ(painter.pen().color().alpha(), 255);
  g.FillRect(0, 0, 2, 4);
  g.SetForeColor(MakeColorRGBA(0, 0, 255, 255));  // fully transparent: no change
  g.FillRect(2, 0, 2, 4);
  painter.end();
  EXPECT_EQ(img.pixel(0, 0), qRgb(0, 0, 255));
  EXPECT_EQ(img.pixel(3, 0), qRgb(255, 255, 255));
}

TEST(PainterGraphicsTest, OddInputNeitherCrashesNorHangs) {
  Picture pic(100, 100);
  auto g = pic.NewGraphics();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  g->DrawLine(nan, 0, 10, 10);
  g->DrawLine(0, inf, 10, 10);
  g->FillRect(0, 0, nan, 5);
  g->FillRect(10, 10, -5, 5);
  g->DrawOval(0, 0, 0, 10);
  g->DrawString("x", inf, 10);
  g->SetPenWidth(-3);
  g->SetPenWidth(nan);
  g->SetTextSize(-1.0f);
  for (int y = 0; y < 100; ++y)
    for (int x = 0; x < 100; ++x) ASSERT_EQ(pic.Pixel(x, y), kWhite) << x << "," << y;

  // Huge coordinates are clipped, the visible part stays exact.
  g->DrawLine(-2e9, 60, 2e9, 60);
  g->DrawLine(50, -1e300, 50, 1e300);
  g->FillRect(-1e12, 90, 2e12, 1e12);
  g->DrawOval(-1e12, -1e12, 2e12, 2e12);
  g.reset();
  EXPECT_EQ(pic.Pixel(0, 60), kBlack);
  EXPECT_EQ(pic.Pixel(99, 60), kBlack);
  EXPECT_EQ(pic.Pixel(0, 59), kWhite);
  EXPECT_EQ(pic.Pixel(50, 0), kBlack);
  EXPECT_EQ(pic.Pixel(49, 0), kWhite);
  EXPECT_EQ(pic.Pixel(0, 99), kBlack);
  EXPECT_EQ(pic.Pixel(0, 89), kWhite);
}

TEST(PainterGraphicsTest, LineOfNoLengthMarksItsPixel) {
  Picture pic(10, 10);
  pic.NewGraphics()->DrawLine(4, 5, 4, 5);
  EXPECT_EQ(pic.Pixel(4, 5), kBlack);
  EXPECT_EQ(pic.Pixel(3, 5), kWhite);
  EXPECT_EQ(pic.Pixel(4, 6), kWhite);
}

TEST(PictureTest, StartsWhiteAndReadsPixelsSafely) {
  Picture pic(3, 2);
  EXPECT_EQ(pic.Width(), 3);
  EXPECT_EQ(pic.Height(), 2);
  EXPECT_EQ(pic.Pixel(2, 1), kWhite);
  EXPECT_EQ(pic.Pixel(3, 0).alpha, 255);  // outside: transparent, no read
  EXPECT_EQ(pic.Pixel(-1, 0).alpha, 255);
  pic.Fill(kRed);
  EXPECT_EQ(pic.Pixel(0, 0), kRed);
  pic.Fill(Color{0, 0, 0, 255});
  EXPECT_EQ(pic.Pixel(1, 1).alpha, 255);

  Picture empty(0, -5);
  EXPECT_EQ(empty.Width(), 0);
  EXPECT_EQ(empty.Pixel(0, 0).alpha, 255);
  empty.NewGraphics()->DrawLine(0, 0, 5, 5);  // a surface that draws nothing
  Picture badScale(4, 4, std::nan(""));
  EXPECT_EQ(badScale.Width(), 4);
}

TEST(PictureTest, SurfaceOutlivingItsPictureIsHarmless) {
  auto pic = std::make_unique<Picture>(20, 20);
  auto g = pic->NewGraphics();
  g->DrawLine(0, 0, 10, 10);
  pic.reset();
  g->DrawLine(0, 5, 10, 5);
  g->SetForeColor(kRed);
  g.reset();
}

TEST(PictureTest, SavesOpensAndFindsStoredPictures) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const std::string folder = dir.path().toStdString();
  {
    Picture pic(8, 6);
    pic.NewGraphics()->FillRect(2, 2, 3, 3);
    ASSERT_TRUE(pic.Save(folder + "/probe.png"));
  }
  auto back = Picture::Open(folder + "/probe.png");
  ASSERT_NE(back, nullptr);
  EXPECT_EQ(back->Width(), 8);
  EXPECT_EQ(back->Height(), 6);
  EXPECT_EQ(back->Pixel(3, 3), kBlack);
  EXPECT_EQ(back->Pixel(1, 1), kWhite);
  EXPECT_EQ(back->impl()->image.format(), QImage::Format_ARGB32_Premultiplied);

  EXPECT_EQ(Picture::Open(folder + "/missing.png"), nullptr);
  EXPECT_EQ(Picture::Open(""), nullptr);
  std::ofstream(folder + "/junk.jpg") << "not a picture";
  EXPECT_EQ(Picture::Open(folder + "/junk.jpg"), nullptr);

  SetResourcesFolderForTesting(folder);
  auto stored = Picture::_OpenFromApp("probe.png");
  EXPECT_NE(stored, nullptr);
  EXPECT_EQ(Picture::_OpenFromApp("absent.jpg"), nullptr);
  SetResourcesFolderForTesting("");
}

}  // namespace
