#include "toolkit/PainterGraphics.h"

#include <QColor>
#include <QFont>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QList>
#include <QRawFont>
#include <QLineF>
#include <QPainter>
#include <QPen>
#include <QRectF>
#include <QString>

#include <algorithm>
#include <cmath>
#include <utility>

#include "toolkit/QtColor.h"
#include "toolkit/SystemLook.h"

// Whole-number coordinates name pixels. A pixel's centre lies half a pixel
// further on, so strokes of odd width are drawn through the centres (a 1-px
// line at y = 400 fills exactly row 400) and strokes of even width along the
// pixel edges; antialiasing then only softens slanted lines.

namespace {

// Coordinates beyond this are clipped away before Qt sees them: the surfaces
// are far smaller, and the rasteriser's fixed-point range is not unlimited.
constexpr double kLimit = 1.0e6;

bool Finite(double a, double b, double c, double d) {
  return std::isfinite(a) && std::isfinite(b) && std::isfinite(c) && std::isfinite(d);
}

// Cohen–Sutherland: clips the segment to [-kLimit, kLimit]²; false when
// nothing is left. Each cut sets the crossed coordinate exactly and
// interpolates the other one, so an axis-parallel line stays on its row or
// column however far its ends lie.
struct Bounds {
  double left, top, right, bottom;
};

int Outcode(double x, double y, const Bounds& b) {
  return (x < b.left ? 1 : 0) | (x > b.right ? 2 : 0) | (y < b.top ? 4 : 0) | (y > b.bottom ? 8 : 0);
}

bool ClipLine(double& x1, double& y1, double& x2, double& y2, const Bounds& b) {
  int c1 = Outcode(x1, y1, b), c2 = Outcode(x2, y2, b);
  for (int round = 0; round < 8; ++round) {
    if ((c1 | c2) == 0) return true;
    if ((c1 & c2) != 0) return false;
    const int c = c1 != 0 ? c1 : c2;
    double x, y;
    if (c & 4 || c & 8) {
      y = (c & 4) ? b.top : b.bottom;
      x = x1 + (x2 - x1) * ((y - y1) / (y2 - y1));
    } else {
      x = (c & 1) ? b.left : b.right;
      y = y1 + (y2 - y1) * ((x - x1) / (x2 - x1));
    }
    if (!std::isfinite(x) || !std::isfinite(y)) return false;
    if (c == c1) {
      x1 = x, y1 = y, c1 = Outcode(x1, y1, b);
    } else {
      x2 = x, y2 = y, c2 = Outcode(x2, y2, b);
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
  QFont font = toolkit_detail::SystemFont();  // stands for "System" and ""
  const std::string& name = TextFont();
  if (!name.empty() && name != "System") font.setFamily(QString::fromStdString(name));
  const float size = TextSize();
  int pixels = 12;
  // Capped before rounding: a size beyond the range of long has no rounded value.
  if (std::isfinite(size) && size > 0.0f) pixels = int(std::clamp(std::lround(std::min(size, 1000.0f)), 1L, 1000L));
  font.setPixelSize(pixels);
  if (font == painter_.font()) return;
  painter_.setFont(font);
  rawFont_.reset();
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
  // Only the part on the surface (with room for the pen) reaches Qt: the
  // axes reach far beyond the canvas, and stroking what is clipped away
  // anyway costs more than everything else in a paint.
  const double m = w + 2.0;
  const Bounds visible{std::max(-kLimit, -m), std::max(-kLimit, -m), std::min(kLimit, width_ + m),
                       std::min(kLimit, height_ + m)};
  if (!ClipLine(x1, y1, x2, y2, visible)) return;
  if (y1 == y2 || x1 == x2) {
    // Upright and level lines are rectangles of whole pixels; filling them
    // gives exactly the pixels of the square-capped stroke, far faster.
    const double left = std::min(x1, x2), top = std::min(y1, y2);
    const double length = std::max(x1, x2) - left + std::max(y1, y2) - top;
    const QRectF r = (y1 == y2) ? QRectF(left + o - w / 2, top + o - w / 2, length + w, w)
                                : QRectF(left + o - w / 2, top + o - w / 2, w, length + w);
    painter_.fillRect(r, ToQColor(ForeColor()));
    return;
  }
  painter_.drawLine(QLineF(x1 + o, y1 + o, x2 + o, y2 + o));
}

void PainterGraphics::DrawOval(double x, double y, double width, double height) {
  if (!painter_.isActive() || !Finite(x, y, width, height)) return;
  if (width <= 0.0 || height <= 0.0) return;
  if (std::abs(x) > kLimit || std::abs(y) > kLimit || width > kLimit || height > kLimit) return;
  // The stroke's outer edge touches the rectangle's edges.
  const double w = StrokeWidth(PenWidth());
  // An outline that cannot touch the surface is not drawn: either the
  // ellipse lies beside the surface, or the surface lies wholly inside the
  // ellipse's inner edge (the outer calibration circles around the origin).
  if (x > width_ + 1 || y > height_ + 1 || x + width < -1 || y + height < -1) return;
  const double cx = x + width / 2, cy = y + height / 2;
  const double a = width / 2 - w - 1, b = height / 2 - w - 1;
  if (a > 0 && b > 0) {
    bool surfaceInside = true;
    for (const auto& [px, py] : {std::pair{0.0, 0.0}, {width_, 0.0}, {0.0, height_}, {width_, height_}}) {
      const double u = (px - cx) / a, v = (py - cy) / b;
      if (u * u + v * v >= 1.0) surfaceInside = false;
    }
    if (surfaceInside) return;
  }
  const QRectF r(x + w / 2, y + w / 2, std::max(0.0, width - w), std::max(0.0, height - w));
  painter_.setBrush(Qt::NoBrush);
  // Outlines are drawn aliased: Qt then rasterises them directly instead of
  // flattening and antialiasing curves hundreds of pixels long, which costs
  // more than the rest of a diagram together.
  const bool antialiased = painter_.testRenderHint(QPainter::Antialiasing);
  painter_.setRenderHint(QPainter::Antialiasing, false);
  painter_.drawEllipse(r);
  painter_.setRenderHint(QPainter::Antialiasing, antialiased);
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
  const QString s = QString::fromUtf8(text.data(), qsizetype(text.size()));
  if (!DrawPlainGlyphs(s, x, y)) {
    if (!MayShow(QFontMetricsF(painter_.font()).boundingRect(s).translated(x, y))) return;
    painter_.drawText(QPointF(x, y), s);
  }
}

// False only when box lies wholly outside what the surface shows: its size
// and the painter's clip, if it has one. Text out there is not drawn at all;
// a printer would otherwise still put it into the page's text, where a search
// finds it. The box is widened by a margin, so that antialiasing and
// overhanging glyphs err on the side of drawing.
bool PainterGraphics::MayShow(const QRectF& box) const {
  const double margin = 2.0 + painter_.font().pixelSize() / 2.0;
  const QRectF wide = box.adjusted(-margin, -margin, margin, margin);
  if (!QRectF(0, 0, width_, height_).intersects(wide)) return false;
  return !painter_.hasClipping() || painter_.clipBoundingRect().intersects(wide);
}

// The diagram's texts (numbers, units, captions, letters) need no shaping:
// their glyphs stand side by side at their advances. Drawing them as a glyph
// run skips the text layout that otherwise costs most of a label. Texts with
// a character the font lacks go the general way, with font fallback.
bool PainterGraphics::DrawPlainGlyphs(const QString& text, double x, double y) {
  for (QChar ch : text) {
    if (ch.unicode() < 0x20 || ch.unicode() > 0x7E) return false;
  }
  if (!rawFont_) rawFont_ = std::make_unique<QRawFont>(QRawFont::fromFont(painter_.font()));
  if (!rawFont_->isValid()) return false;
  const QList<quint32> glyphs = rawFont_->glyphIndexesForString(text);
  if (glyphs.size() != text.size()) return false;
  for (quint32 glyph : glyphs) {
    if (glyph == 0) return false;
  }
  const QList<QPointF> advances = rawFont_->advancesForGlyphIndexes(glyphs);
  QList<QPointF> positions;
  positions.reserve(glyphs.size());
  QPointF pen(0, 0);
  for (const QPointF& advance : advances) {
    positions.append(pen);
    pen += advance;
  }
  // The run's extent: its advance along the baseline, the font's ascent above
  // and descent below.
  const QRectF box(x, y - rawFont_->ascent(), pen.x(), rawFont_->ascent() + rawFont_->descent());
  if (!MayShow(box)) return true;  // nothing of it would show
  QGlyphRun run;
  run.setRawFont(*rawFont_);
  run.setGlyphIndexes(glyphs);
  run.setPositions(positions);
  painter_.drawGlyphRun(QPointF(x, y), run);
  return true;
}
