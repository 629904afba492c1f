#pragma once
// The drawing surface. Coordinates are Double pixels from the top-left corner,
// x to the right and y downwards; drawing outside the surface is clipped.
// ForeColor, PenWidth, TextFont and TextSize hold for all later drawing on the
// same surface.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "toolkit/Color.h"

class Graphics {
 public:
  virtual ~Graphics();

  Color ForeColor() const { return foreColor_; }
  virtual void SetForeColor(Color c) { foreColor_ = c; }
  double PenWidth() const { return penWidth_; }
  virtual void SetPenWidth(double w) { penWidth_ = w; }
  const std::string& TextFont() const { return textFont_; }
  virtual void SetTextFont(const std::string& f) { textFont_ = f; }
  float TextSize() const { return textSize_; }
  virtual void SetTextSize(float s) { textSize_ = s; }

  virtual void DrawLine(double x1, double y1, double x2, double y2) = 0;
  // Outline of the ellipse inscribed in the rectangle at (x, y).
  virtual void DrawOval(double x, double y, double width, double height) = 0;
  virtual void FillRect(double x, double y, double width, double height) = 0;
  // One line of text starting at x with its baseline at y.
  virtual void DrawString(const std::string& text, double x, double y, double wrapWidth = 0.0,
                          bool condense = false) = 0;

  // Size of the surface in its own pixels (points on a printer page).
  virtual double Width() const = 0;
  virtual double Height() const = 0;

 private:
  Color foreColor_{0, 0, 0, 0};
  double penWidth_ = 1.0;
  std::string textFont_ = "System";
  float textSize_ = 0.0f;
};

// One recorded call or setting of a RecordingGraphics.
struct GraphicsCall {
  enum Kind { ForeColor, PenWidth, TextFont, TextSize, DrawLine, DrawOval, FillRect, DrawString };
  Kind kind;
  double a = 0, b = 0, c = 0, d = 0;  // coordinates (x1, y1, x2, y2 / x, y, w, h / x, y)
  double value = 0;                   // pen width, text size or wrap width
  std::string text;                   // font name or drawn text
  Color color{};                      // colour set, or colour in force for a drawing call
  bool condense = false;
  double penWidth = 0;                // pen width in force for a drawing call
};

// A surface that draws nothing and keeps every call and setting in order,
// with its arguments and the settings in force. Used by the tests.
class RecordingGraphics : public Graphics {
 public:
  explicit RecordingGraphics(double width = 636, double height = 553);

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

  const std::vector<GraphicsCall>& Calls() const { return calls_; }
  void Clear() { calls_.clear(); }
  // Only the calls of one kind, in order.
  std::vector<GraphicsCall> Calls(GraphicsCall::Kind kind) const;
  // Human-readable listing, one call a line (for failure messages).
  std::string Dump() const;

 private:
  double width_, height_;
  std::vector<GraphicsCall> calls_;
};

// An offscreen raster image: the diagram can be drawn onto it and its pixels
// read back. Also the form in which pictures stored with the application are
// loaded (see Picture::_OpenFromApp in Runtime.h).
class Picture {
 public:
  // A white image of width x height pixels; deviceScale 2 gives a 2x backing store.
  Picture(int32_t width, int32_t height, double deviceScale = 1.0);
  ~Picture();
  Picture(const Picture&) = delete;
  Picture& operator=(const Picture&) = delete;

  int32_t Width() const;
  int32_t Height() const;
  // A painter surface onto the image; the image is complete once it is destroyed.
  std::unique_ptr<Graphics> NewGraphics();
  // Pixel colour in image pixels (device pixels for a scaled image).
  Color Pixel(int32_t x, int32_t y) const;
  // Fills the whole image with one colour.
  void Fill(Color c);
  bool Save(const std::string& path) const;
  // A picture file stored with the application (resources folder beside the
  // executable, or the installed share folder); nullptr when it is missing.
  static std::shared_ptr<Picture> _OpenFromApp(const std::string& fileName);
  // Loads any image file; nullptr when it cannot be read.
  static std::shared_ptr<Picture> Open(const std::string& path);

  struct Impl;
  Impl* impl() const { return impl_.get(); }

 private:
  Picture();
  std::unique_ptr<Impl> impl_;
};
