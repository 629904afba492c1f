#include "toolkit/Graphics.h"

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QString>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <sstream>

#include "toolkit/Numeric.h"
#include "toolkit/PainterGraphics.h"
#include "toolkit/PictureImpl.h"
#include "toolkit/QtColor.h"
#include "toolkit/Runtime.h"

Graphics::~Graphics() = default;

// ------------------------------------------------------------ RecordingGraphics

RecordingGraphics::RecordingGraphics(double width, double height) : width_(width), height_(height) {}

void RecordingGraphics::SetForeColor(Color c) {
  Graphics::SetForeColor(c);
  GraphicsCall call{};
  call.kind = GraphicsCall::ForeColor;
  call.color = c;
  calls_.push_back(call);
}

void RecordingGraphics::SetPenWidth(double w) {
  Graphics::SetPenWidth(w);
  GraphicsCall call{};
  call.kind = GraphicsCall::PenWidth;
  call.value = w;
  calls_.push_back(call);
}

void RecordingGraphics::SetTextFont(const std::string& f) {
  Graphics::SetTextFont(f);
  GraphicsCall call{};
  call.kind = GraphicsCall::TextFont;
  call.text = f;
  calls_.push_back(call);
}

void RecordingGraphics::SetTextSize(float s) {
  Graphics::SetTextSize(s);
  GraphicsCall call{};
  call.kind = GraphicsCall::TextSize;
  call.value = s;
  calls_.push_back(call);
}

namespace {
GraphicsCall Drawing(GraphicsCall::Kind kind, const Graphics& g, double a, double b, double c, double d) {
  GraphicsCall call{};
  call.kind = kind;
  call.a = a;
  call.b = b;
  call.c = c;
  call.d = d;
  call.color = g.ForeColor();
  call.penWidth = g.PenWidth();
  return call;
}
}  // namespace

void RecordingGraphics::DrawLine(double x1, double y1, double x2, double y2) {
  calls_.push_back(Drawing(GraphicsCall::DrawLine, *this, x1, y1, x2, y2));
}

void RecordingGraphics::DrawOval(double x, double y, double width, double height) {
  calls_.push_back(Drawing(GraphicsCall::DrawOval, *this, x, y, width, height));
}

void RecordingGraphics::FillRect(double x, double y, double width, double height) {
  calls_.push_back(Drawing(GraphicsCall::FillRect, *this, x, y, width, height));
}

void RecordingGraphics::DrawString(const std::string& text, double x, double y, double wrapWidth,
                                   bool condense) {
  GraphicsCall call = Drawing(GraphicsCall::DrawString, *this, x, y, 0, 0);
  call.text = text;
  call.value = wrapWidth;
  call.condense = condense;
  calls_.push_back(call);
}

std::vector<GraphicsCall> RecordingGraphics::Calls(GraphicsCall::Kind kind) const {
  std::vector<GraphicsCall> out;
  std::copy_if(calls_.begin(), calls_.end(), std::back_inserter(out),
               [kind](const GraphicsCall& c) { return c.kind == kind; });
  return out;
}

namespace {
std::string ColorText(Color c) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "#%08X", unsigned(c.ToUInt32()));
  return buf;
}
std::string Num(double v) { return DoubleToText(v); }
}  // namespace

std::string RecordingGraphics::Dump() const {
  std::ostringstream out;
  for (const GraphicsCall& c : calls_) {
    switch (c.kind) {
      case GraphicsCall::ForeColor: out << "ForeColor " << ColorText(c.color); break;
      case GraphicsCall::PenWidth: out << "PenWidth " << Num(c.value); break;
      case GraphicsCall::TextFont: out << "TextFont \"" << c.text << '"'; break;
      case GraphicsCall::TextSize: out << "TextSize " << Num(c.value); break;
      case GraphicsCall::DrawLine:
      case GraphicsCall::DrawOval:
      case GraphicsCall::FillRect: {
        const char* name = c.kind == GraphicsCall::DrawLine   ? "DrawLine"
                           : c.kind == GraphicsCall::DrawOval ? "DrawOval"
                                                              : "FillRect";
        out << name << ' ' << Num(c.a) << ", " << Num(c.b) << ", " << Num(c.c) << ", " << Num(c.d)
            << "  [" << ColorText(c.color) << " pen " << Num(c.penWidth) << ']';
        break;
      }
      case GraphicsCall::DrawString:
        out << "DrawString \"" << c.text << "\" " << Num(c.a) << ", " << Num(c.b);
        if (c.value != 0.0) out << " wrap " << Num(c.value);
        if (c.condense) out << " condense";
        out << "  [" << ColorText(c.color) << ']';
        break;
    }
    out << '\n';
  }
  return out.str();
}

// ---------------------------------------------------------------------- Picture

Picture::Impl::~Impl() {
  // Painters still open on this image must stop before its pixels are freed.
  for (QPainter* p : *painters) {
    if (p->isActive()) p->end();
  }
  painters->clear();
}

namespace {

// The surface NewGraphics hands out: owns its painter, which is open on the
// image before the PainterGraphics part sets it up, and ends it when destroyed.
struct PainterHolder {
  explicit PainterHolder(QImage& image) {
    if (!image.isNull()) owned->begin(&image);
  }
  std::unique_ptr<QPainter> owned = std::make_unique<QPainter>();
};

class PictureGraphics : private PainterHolder, public PainterGraphics {
 public:
  PictureGraphics(Picture::Impl& pic, double width, double height)
      : PainterHolder(pic.image), PainterGraphics(*owned, width, height), registry_(pic.painters) {
    if (owned->isActive()) registry_->push_back(owned.get());
  }
  ~PictureGraphics() override {
    auto& list = *registry_;
    list.erase(std::remove(list.begin(), list.end(), owned.get()), list.end());
    if (owned->isActive()) owned->end();
  }

 private:
  std::shared_ptr<std::vector<QPainter*>> registry_;
};

}  // namespace

Picture::Picture() : impl_(std::make_unique<Impl>()) {}

Picture::Picture(int32_t width, int32_t height, double deviceScale) : Picture() {
  if (!std::isfinite(deviceScale) || deviceScale <= 0.0) deviceScale = 1.0;
  const int32_t w = DoubleToInt32(std::ceil(std::max(0, width) * deviceScale));
  const int32_t h = DoubleToInt32(std::ceil(std::max(0, height) * deviceScale));
  if (w > 0 && h > 0) {
    impl_->image = QImage(w, h, QImage::Format_ARGB32_Premultiplied);  // null if too large
    impl_->image.setDevicePixelRatio(deviceScale);
    impl_->image.fill(Qt::white);
  }
}

Picture::~Picture() = default;

int32_t Picture::Width() const {
  const QImage& img = impl_->image;
  return img.isNull() ? 0 : DoubleToInt32(Round(img.width() / img.devicePixelRatio()));
}

int32_t Picture::Height() const {
  const QImage& img = impl_->image;
  return img.isNull() ? 0 : DoubleToInt32(Round(img.height() / img.devicePixelRatio()));
}

std::unique_ptr<Graphics> Picture::NewGraphics() {
  return std::make_unique<PictureGraphics>(*impl_, Width(), Height());
}

Color Picture::Pixel(int32_t x, int32_t y) const {
  const QImage& img = impl_->image;
  if (!img.valid(x, y)) return Color{0, 0, 0, 255};  // outside: fully transparent
  const QRgb p = img.pixel(x, y);
  return Color{uint8_t(qRed(p)), uint8_t(qGreen(p)), uint8_t(qBlue(p)), uint8_t(255 - qAlpha(p))};
}

void Picture::Fill(Color c) {
  if (!impl_->image.isNull()) impl_->image.fill(ToQColor(c));
}

bool Picture::Save(const std::string& path) const {
  if (impl_->image.isNull()) return false;
  return impl_->image.save(QString::fromStdString(path));
}

std::shared_ptr<Picture> Picture::Open(const std::string& path) {
  QImage img;
  if (path.empty() || !img.load(QString::fromStdString(path))) return nullptr;
  std::shared_ptr<Picture> pic(new Picture());
  pic->impl_->image = img.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  return pic;
}

std::shared_ptr<Picture> Picture::_OpenFromApp(const std::string& fileName) {
  return Open(ResourcesFolder() + "/" + fileName);
}
