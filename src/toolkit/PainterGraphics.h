#pragma once
// Toolkit-internal: the QPainter surface behind the screen canvas, raster
// images and printer pages. Lines and text are drawn crisp at any device scale.
#include "toolkit/Graphics.h"

#include <memory>

class QPainter;
class QRawFont;
class QRectF;
class QString;

class PainterGraphics : public Graphics {
 public:
  // Draws through painter, whose coordinate system maps surface pixels;
  // width and height are the surface's size in those pixels.
  PainterGraphics(QPainter& painter, double width, double height);
  ~PainterGraphics() override;

  void SetForeColor(Color c) override;
  void SetPenWidth(double w) override;
  void SetTextFont(const std::string& f) override;
  void SetTextSize(float s) override;
  void DrawLine(double x1, double y1, double x2, double y2) override;
  void DrawOval(double x, double y, double width, double height) override;
  void FillRect(double x, double y, double width, double height) override;
  void DrawString(const std::string& text, double x, double y, double wrapWidth = 0.0,
                  bool condense = false) override;
  double Width() const override { return width_; }
  double Height() const override { return height_; }

  QPainter& painter() const { return painter_; }

 private:
  void ApplyPen();
  void ApplyFont();
  bool DrawPlainGlyphs(const QString& text, double x, double y);
  bool MayShow(const QRectF& box) const;
  QPainter& painter_;
  double width_, height_;
  // The painter's font as raw glyphs, made when first needed after a change.
  std::unique_ptr<QRawFont> rawFont_;
};
