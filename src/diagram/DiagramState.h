#pragma once
// The diagram state: the one set of values that the diagram engine and the
// main window share. There is exactly one, reached through State().
#include <cstdint>
#include <memory>
#include <string>

class KoordSys;
class Thing;
class PrinterSetup;

struct DiagramState {
  bool draggingOrigin = false;
  int32_t originX = 0;
  int32_t originY = 0;
  bool meetingPicked = false;
  int32_t meetingX = 0;
  int32_t meetingY = 0;
  int32_t canvasWidth = 0;
  int32_t canvasHeight = 0;
  int32_t viewIndex = 0;  // 0 black's view, 1 red's view
  double speed = 0.0;     // v/c of the moving frame
  bool updatingSpeed = false;
  int32_t unitIndex = 0;
  int32_t currentTime = 0;  // pixels of time above the origin
  int32_t timeScale = 0;
  std::string timeUnit;
  int32_t spaceScale = 0;
  std::string spaceUnit;
  std::unique_ptr<KoordSys> blackSys;
  std::unique_ptr<KoordSys> redSys;
  std::unique_ptr<Thing> blackThing;
  std::unique_ptr<Thing> redThing;
  std::unique_ptr<PrinterSetup> pageSetup;
  bool hasPageSetup = false;
};

DiagramState& State();

// Start-up: puts every value back to nothing and assigns the defaults in
// their fixed order (origin 300/400, speed 0.6, unit row 3, time 72 ...).
void InitDiagramDefaults();
// Exit: empties the values that hold objects or text, in their fixed order.
void ReleaseDiagramGlobals();

// One grid step in pixels.
constexpr int32_t kGridStep = 72;

struct UnitRow {
  int32_t spaceScale;
  const char* spaceUnit;
  int32_t timeScale;
  const char* timeUnit;
};
// The ten rows of the unit table.
const UnitRow& UnitTableRow(int32_t row);
constexpr int32_t kUnitRows = 10;

// Copies the row unitIndex of the unit table into the four scale values;
// an index outside 0..9 changes nothing.
void SetUnits();
