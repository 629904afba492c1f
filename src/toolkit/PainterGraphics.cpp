#include "toolkit/PainterGraphics.h"

#include <QColor>
#include <QFont>
#include <QLineF>
#include <QPainter>
#include <QPen>
#include <QRectF>
#include <QString>

#include <algorithm>
#include <cmath>

// Whole-number coordinates name pixels. A pixel's centre lies half a pixel
// further on, so strokes of odd width are drawn through the centres (a 1-px
// line at y = 400 fills exactly row 400) and strokes of even width along the
// pixel edges; antialiasing then only softens slanted lines.

namespace {

// Coordinates beyond this are clipped away before Qt sees them: the surfaces
// are far smaller, and the rasteriser's fixed-point range is not unlimited.
constexpr double kLimit = 1.0e6;

QColor ToQColor(Color c) { return QColor(c.red, c.green, c.blue, 255 - c.alpha); }

bool Finite(double a, double b, double c, double d) {
  return std::isfinite(a) && std::isfinite(b) && std::isfinite(c) && std::isfinite(d);
}

// Cohen–Sutherland: clips the segment to [-kLimit, kLimit]²; false when
// nothing is left. Each cut sets the crossed coordinate exactly and
// interpolates the other one, so an axis-parallel line stays on its row or
// column however far its ends lie.
int Outcode(double x, double y) {
  return (x < -kLimit ? 1 : 0) | (x > kLimit ? 2 : 0) | (y < -kLimit ? 4 : 0) | (y > kLimit ? 8 : 0);
}

bool ClipLine(double& x1, double& y1, double& x2, double& y2) {
  int c1 = Outcode(x1, y1), c2 = Outcode(x2, y2);
  for (int round = 0; round < 8; ++round) {
    if ((c1 | c2) == 0) return true;
    if ((c1 & c2) != 0) return false;
    const int c = c1 != 0 ? c1 : c2;
    double x, y;
    if (c & 4 || c & 8) {
      y = (c & 4) ? -kLimit : kLimit;
      x = x1 + (x2 - x1) * ((y - y1) / (y2 - y1));
    } else {
      x = (c & 1) ? -kLimit : kLimit;
      y = y1 + (y2 - y1) * ((x - x1) / (x2 - x1));
    }
    if (!std::isfinite(x) || !std::isfinite(y)) return false;
    if (c == c1) {
      x1 = x, y1 = y, c1 = Outcode(x1, y1);
    } else {
      x2 = x, y2 = y, c2 = Outcode(x2, y2);
    }
  }
  return (c1 | c2) == 0;
}

}  // namespace

PainterGraphics::PainterGraphics(QPainter& painter, double width, double height)
    : painter_(painter), width_(width), height_(height) {
  if (painter_.isActive()) painter_.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
  ApplyPen();
  ApplyFont();
}

PainterGraphics::~PainterGraphics() = default;

void PainterGraphics::SetForeColor(Color c) {
  Graphics::SetForeColor(c);
  ApplyPen();
}

void PainterGraphics::SetPenWidth(double w) {
  Graphics::SetPenWidth(w);
  ApplyPen();
}

void PainterGraphics::SetTextFont(const std::string& f) {
  Graphics::SetTextFont(f);
  ApplyFont();
}

void PainterGraphics::SetTextSize(float s) {
  Graphics::SetTextSize(s);
  ApplyFont();
}

namespace {

// The stroke width actually used: a width that is not a positive number draws
// one pixel; absurd widths are capped.
double StrokeWidth(double w) {
  if (!std::isfinite(w) || w <= 0.0) return 1.0;
  return std::min(w, 1000.0);
}

double CentreOffset(double strokeWidth) {
  return (std::lround(strokeWidth) % 2 == 1) ? 0.5 : 0.0;
}

}  // namespace

void PainterGraphics::ApplyPen() {
  if (!painter_.isActive()) return;
  QPen pen(ToQColor(ForeColor()));
  pen.setWidthF(StrokeWidth(PenWidth()));
  pen.setCapStyle(Qt::SquareCap);
  pen.setJoinStyle(Qt::MiterJoin);
  painter_.setPen(pen);
  painter_.setBrush(Qt::NoBrush);
}

void PainterGraphics::ApplyFont() {
  if (!painter_.isActive()) return;
  QFont font;  // the application's default font stands for "System" and ""
  const std::string& name = TextFont();
  if (!name.empty() && name != "System") font.setFamily(QString::fromStdString(name));
  const float size = TextSize();
  int pixels = 12;
  if (std::isfinite(size) && size > 0.0f) pixels = int(std::clamp(std::lround(size), 1L, 1000L));
  font.setPixelSize(pixels);
  painter_.setFont(font);
}

void PainterGraphics::DrawLine(double x1, double y1, double x2, double y2) {
  if (!painter_.isActive() || !Finite(x1, y1, x2, y2)) return;
  const double w = StrokeWidth(PenWidth());
  const double o = CentreOffset(w);
  if (x1 == x2 && y1 == y2) {
    // A line of no length still marks its pixel, as wide as the pen.
    if (std::abs(x1) > kLimit || std::abs(y1) > kLimit) return;
    painter_.fillRect(QRectF(x1 + o - w / 2, y1 + o - w / 2, w, w), ToQColor(ForeColor()));
    return;
  }
  if (!ClipLine(x1, y1, x2, y2)) return;
  painter_.drawLine(QLineF(x1 + o, y1 + o, x2 + o, y2 + o));
}

void PainterGraphics::DrawOval(double x, double y, double width, double height) {
  if (!painter_.isActive() || !Finite(x, y, width, height)) return;
  if (width <= 0.0 || height <= 0.0) return;
  if (std::abs(x) > kLimit || std::abs(y) > kLimit || width > kLimit || height > kLimit) return;
  // The stroke's outer edge touches the rectangle's edges.
  const double w = StrokeWidth(PenWidth());
  const QRectF r(x + w / 2, y + w / 2, std::max(0.0, width - w), std::max(0.0, height - w));
  painter_.setBrush(Qt::NoBrush);
  painter_.drawEllipse(r);
}

void PainterGraphics::FillRect(double x, double y, double width, double height) {
  if (!painter_.isActive() || !Finite(x, y, width, height)) return;
  if (width <= 0.0 || height <= 0.0) return;
  const QRectF limit(-kLimit, -kLimit, 2 * kLimit, 2 * kLimit);
  const QRectF r = QRectF(x, y, width, height).intersected(limit);
  if (r.isEmpty()) return;
  painter_.fillRect(r, ToQColor(ForeColor()));
}

void PainterGraphics::DrawString(const std::string& text, double x, double y, double wrapWidth,
                                 bool condense) {
  (void)wrapWidth;  // one line, never wrapped
  (void)condense;
  if (!painter_.isActive() || text.empty() || !Finite(x, y, 0, 0)) return;
  if (std::abs(x) > kLimit || std::abs(y) > kLimit) return;
  painter_.drawText(QPointF(x, y), QString::fromUtf8(text.data(), qsizetype(text.size())));
}
