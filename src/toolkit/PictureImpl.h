#pragma once
// Toolkit-internal: what a Picture holds. Other toolkit parts (a canvas
// backdrop, the about window's picture) draw `image` directly.
#include <QImage>

#include <memory>
#include <vector>

#include "toolkit/Graphics.h"

class QPainter;

struct Picture::Impl {
  // ARGB32_Premultiplied; its device pixel ratio is the picture's device scale.
  QImage image;
  // Painters opened by NewGraphics that are still drawing; shared with them so
  // that a picture destroyed first can end them before its pixels go away.
  std::shared_ptr<std::vector<QPainter*>> painters = std::make_shared<std::vector<QPainter*>>();

  Impl() = default;
  explicit Impl(QImage img) : image(std::move(img)) {}
  ~Impl();
  Impl(const Impl&) = delete;
  Impl& operator=(const Impl&) = delete;
};
