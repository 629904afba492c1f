#include <gtest/gtest.h>

#include <QFontDatabase>
#include <QFontInfo>
#include <QPainter>
#include <QTemporaryDir>

#include <cmath>
#include <fstream>

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
  RecordingGraphics g;
  g.DrawLine(1, 2, 3, 4);
  g.SetForeColor(kRed);
  g.SetPenWidth(2.0);
  g.DrawString("P", 13, 14);
  const auto& calls = g.Calls();
  ASSERT_EQ(calls.size(), 4u) << g.Dump();
  EXPECT_EQ(calls[0].color, kBlack);
  EXPECT_EQ(calls[0].d, 4);
  EXPECT_EQ(calls[2].kind, GraphicsCall::PenWidth);
  EXPECT_EQ(calls[3].color, kRed);
  EXPECT_EQ(calls[3].penWidth, 2.0);
  ASSERT_EQ(g.Calls(GraphicsCall::DrawString).size(), 1u);
  EXPECT_NE(g.Dump().find("DrawString \"P\" 13, 14"), std::string::npos) << g.Dump();
}

class PictureScaleTest : public testing::TestWithParam<int> {};

// Whole-number 1-px lines lie exactly on their pixel row or column, also on a
// 2x backing store (where a surface pixel is two device pixels); 2-px lines
// cover two whole rows; FillRect covers exactly its pixels.
TEST_P(PictureScaleTest, LinesAndFillsAreCrisp) {
  const int s = GetParam();
  Picture pic(636, 553, s);
  EXPECT_EQ(pic.impl()->image.width(), 636 * s);
  {
    auto g = pic.NewGraphics();
    EXPECT_EQ(g->Width(), 636);
    g->DrawLine(0, 400, 635, 400);
    g->DrawLine(300, 0, 300, 100);
    g->SetPenWidth(2.0);
    g->DrawLine(10, 200, 40, 200);
    g->SetForeColor(kRed);
    g->FillRect(5, 500, 10, 4);
  }
  for (int x = 0; x < 636 * s; ++x) {
    ASSERT_EQ(pic.Pixel(x, 400 * s), kBlack) << x;
    ASSERT_EQ(pic.Pixel(x, 401 * s - 1), kBlack) << x;
    ASSERT_EQ(pic.Pixel(x, 400 * s - 1), kWhite) << x;
    ASSERT_EQ(pic.Pixel(x, 401 * s), kWhite) << x;
  }
  for (int y = 0; y < 101 * s; ++y) {
    ASSERT_EQ(pic.Pixel(300 * s, y), kBlack) << y;
    ASSERT_EQ(pic.Pixel(300 * s - 1, y), kWhite) << y;
    ASSERT_EQ(pic.Pixel(301 * s, y), kWhite) << y;
  }
  EXPECT_EQ(pic.Pixel(300 * s, 101 * s), kWhite);
  for (int y = 195 * s; y < 205 * s; ++y) {
    const bool on = y >= 199 * s && y < 201 * s;
    ASSERT_EQ(pic.Pixel(25 * s, y), on ? kBlack : kWhite) << y;
  }
  for (int y = 495 * s; y < 510 * s; ++y) {
    for (int x = 0; x < 20 * s; ++x) {
      const bool inside = x >= 5 * s && x < 15 * s && y >= 500 * s && y < 504 * s;
      ASSERT_EQ(pic.Pixel(x, y), inside ? kRed : kWhite) << x << "," << y;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Scales, PictureScaleTest, testing::Values(1, 2));

TEST(PainterGraphicsTest, OvalIsInscribedInItsRectangle) {
  Picture pic(60, 60);
  pic.NewGraphics()->DrawOval(10, 20, 31, 21);  // centre: pixel column 25, row 30
  for (auto [x, y] : {std::pair{10, 30}, {40, 30}, {25, 20}, {25, 40}}) EXPECT_TRUE(IsDark(pic.Pixel(x, y)));
  for (auto [x, y] : {std::pair{9, 30}, {41, 30}, {25, 19}, {25, 41}, {25, 30}, {10, 20}})
    EXPECT_EQ(pic.Pixel(x, y), kWhite) << x << "," << y;
}

TEST(PainterGraphicsTest, ArialTextInSurfacePixelsSitsOnItsBaseline) {
  Picture pic(200, 100);
  {
    auto g = pic.NewGraphics();
    g->SetTextFont("Arial");
    g->SetTextSize(10.0f);
    QPainter& painter = static_cast<PainterGraphics&>(*g).painter();
    EXPECT_EQ(painter.font().pixelSize(), 10);
    if (QFontDatabase::families().contains("Liberation Sans")) {
      EXPECT_EQ(QFontInfo(painter.font()).family(), "Liberation Sans");
    }
    g->DrawString("Hx", 20, 50);
    g->SetTextSize(0.0f);
    EXPECT_EQ(painter.font().pixelSize(), 12);
    g->SetTextSize(1.0e30f);  // absurd sizes are capped, not wrapped round
    EXPECT_EQ(painter.font().pixelSize(), 1000);
  }
  int ink = 0;
  for (int y = 0; y < 100; ++y) {
    for (int x = 0; x < 200; ++x) {
      const bool inBox = y >= 40 && y < 50 && x >= 20 && x < 40;
      const bool nearBox = y >= 38 && y <= 50 && x >= 19 && x < 40;
      if (inBox) {
        ink += IsDark(pic.Pixel(x, y));
      } else if (!nearBox) {
        ASSERT_EQ(pic.Pixel(x, y), kWhite) << x << "," << y;
      }
    }
  }
  EXPECT_GT(ink, 5);
}

TEST(PainterGraphicsTest, OddInputIsClippedOrIgnoredSafely) {
  Picture pic(100, 100);
  auto g = pic.NewGraphics();
  const double nan = std::nan(""), inf = INFINITY;
  g->DrawLine(nan, 0, 10, 10);
  g->DrawOval(0, inf, 10, 10);
  g->FillRect(10, 10, -5, 5);
  g->DrawString("x", inf, 10);
  g->SetPenWidth(nan);  // draws one pixel wide
  g->SetForeColor(Color{0, 0, 0, 255});  // fully transparent
  g->FillRect(0, 0, 100, 100);
  g->SetForeColor(kBlack);
  g->DrawLine(-2e9, 60, 2e9, 60);
  g->DrawLine(50, -1e300, 50, 1e300);
  g->FillRect(-1e12, 90, 2e12, 1e12);
  g->DrawLine(4, 5, 4, 5);  // no length: still its pixel
  g.reset();
  for (int y = 0; y < 100; ++y) {
    for (int x = 0; x < 100; ++x) {
      const bool ink = y == 60 || x == 50 || y >= 90 || (x == 4 && y == 5);
      ASSERT_EQ(pic.Pixel(x, y), ink ? kBlack : kWhite) << x << "," << y;
    }
  }
}

TEST(PictureTest, PixelsLifetimesAndFiles) {
  auto pic = std::make_unique<Picture>(8, 6);
  EXPECT_EQ(pic->Pixel(7, 5), kWhite);
  EXPECT_EQ(pic->Pixel(8, 0).alpha, 255);  // outside: transparent, nothing read
  EXPECT_EQ(pic->Pixel(-1, 0).alpha, 255);
  auto g = pic->NewGraphics();
  g->FillRect(2, 2, 3, 3);
  g.reset();

  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const std::string folder = dir.path().toStdString();
  ASSERT_TRUE(pic->Save(folder + "/probe.png"));
  g = pic->NewGraphics();
  pic.reset();
  g->DrawLine(0, 5, 10, 5);  // the picture is gone: nothing happens

  SetResourcesFolderForTesting(folder);
  auto back = Picture::_OpenFromApp("probe.png");
  SetResourcesFolderForTesting("");
  ASSERT_NE(back, nullptr);
  EXPECT_EQ(back->Width(), 8);
  EXPECT_EQ(back->Pixel(3, 3), kBlack);
  EXPECT_EQ(back->Pixel(1, 1), kWhite);
  EXPECT_EQ(Picture::Open(folder + "/missing.png"), nullptr);
  std::ofstream(folder + "/junk.jpg") << "not a picture";
  EXPECT_EQ(Picture::Open(folder + "/junk.jpg"), nullptr);
  EXPECT_EQ(Picture(0, -5).Width(), 0);
}

}  // namespace
