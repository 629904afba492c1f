#pragma once
// The engine's entry points: set-up when the main window opens, and the one
// drawing of the whole diagram onto any surface. The engine knows the window
// only as DiagramControls: the object controls it reads, the readout group it
// writes.
#include <cstdint>
#include <string>

class Graphics;

// One rod's object controls as they stand: shown, with trace, with shadow,
// the length slider (in steps of 24 pixels) and the position slider.
struct RodControls {
  bool visible = false;
  bool trace = false;
  bool shadow = false;
  int32_t lengthSteps = 0;
  int32_t position = 0;
};

// The readout of a picked meeting point: the group's caption and four rows,
// each a label and its value.
struct MeetingReadout {
  std::string caption;
  std::string labels[4];
  std::string values[4];
};

class DiagramControls {
 public:
  virtual ~DiagramControls() = default;
  // The black (0) or the red (1) rod's controls, read once per drawing.
  virtual RodControls Rod(int32_t index) = 0;
  // Writes the readout into the readout group and shows the group.
  virtual void ShowMeeting(const MeetingReadout& readout) = 0;
};

// Creates the frames, the objects and the page setup, fills the unit scales
// and stores the canvas size.
void SetupDiagram(int32_t canvasWidth, int32_t canvasHeight);

// Draws background, calibration circles, both frames and both objects, and,
// for a picked meeting point, draws the construction and shows the readout.
// Draws nothing (and reads no control) before SetupDiagram has run.
void DrawDiagram(Graphics& g, DiagramControls& controls);
