#pragma once
// Shared helpers of the engine tests: the diagram state as the program has it
// once the main window has opened, and recorded calls in comparable form.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "diagram/DiagramState.h"
#include "toolkit/Graphics.h"

namespace enginetest {

struct Line {
  double x1, y1, x2, y2;
  friend bool operator==(const Line&, const Line&) = default;
};
inline std::ostream& operator<<(std::ostream& os, const Line& l) {
  return os << "(" << l.x1 << "," << l.y1 << ")-(" << l.x2 << "," << l.y2 << ")";
}

struct Text {
  std::string text;
  double x, y;
  friend bool operator==(const Text&, const Text&) = default;
};
inline std::ostream& operator<<(std::ostream& os, const Text& t) {
  return os << "\"" << t.text << "\" at (" << t.x << "," << t.y << ")";
}

inline std::vector<Line> Lines(const RecordingGraphics& g) {
  std::vector<Line> out;
  for (const auto& c : g.Calls(GraphicsCall::DrawLine)) out.push_back({c.a, c.b, c.c, c.d});
  return out;
}

inline std::vector<Text> Texts(const RecordingGraphics& g) {
  std::vector<Text> out;
  for (const auto& c : g.Calls(GraphicsCall::DrawString)) out.push_back({c.text, c.a, c.b});
  return out;
}

// Pen widths as they were set, in order.
inline std::vector<double> PenWidths(const RecordingGraphics& g) {
  std::vector<double> out;
  for (const auto& c : g.Calls(GraphicsCall::PenWidth)) out.push_back(c.value);
  return out;
}

// The defaults, unit row 3 and the 636 x 553 canvas of the main window.
class EngineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    InitDiagramDefaults();
    SetUnits();
    State().canvasWidth = 636;
    State().canvasHeight = 553;
  }
  void TearDown() override { InitDiagramDefaults(); }
};

}  // namespace enginetest
