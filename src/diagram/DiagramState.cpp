// The single diagram state, its start-up defaults and release at exit, and
// the unit table that ties grid steps to physical units.
#include "diagram/DiagramState.h"

#include "diagram/KoordSys.h"
#include "diagram/Thing.h"
#include "toolkit/Runtime.h"

namespace {

// Every space step is the distance light covers in the time step.
constexpr UnitRow kUnitTable[kUnitRows] = {
    {3, " mm", 10, " ps"},   {3, " cm", 100, " ps"}, {30, " cm", 1, " ns"},
    {3, " m", 10, " ns"},    {30, " m", 100, " ns"}, {300, " m", 1, " us"},
    {3, " km", 10, " us"},   {30, " km", 100, " us"}, {300, " km", 1, " ms"},
    {3000, " km", 10, " ms"},
};

bool IsUnitRow(int32_t row) { return row >= 0 && row < kUnitRows; }

}  // namespace

DiagramState& State() {
  // Held for the whole process and never destroyed by static destruction:
  // the objects it owns are released by ReleaseDiagramGlobals while the
  // toolkit still runs, not after it has gone.
  static DiagramState* const state = new DiagramState();
  return *state;
}

void InitDiagramDefaults() {
  DiagramState& s = State();
  s = DiagramState();

  s.draggingOrigin = false;
  s.meetingPicked = false;
  s.meetingX = 0;
  s.meetingY = 0;
  s.originX = 300;
  s.originY = 400;
  s.hasPageSetup = false;
  s.speed = 0.6;
  s.updatingSpeed = false;
  s.unitIndex = 3;
  s.currentTime = 72;
}

void ReleaseDiagramGlobals() {
  DiagramState& s = State();
  s.blackSys.reset();
  s.blackThing.reset();
  s.pageSetup.reset();
  s.redSys.reset();
  s.redThing.reset();
  s.spaceUnit.clear();
  s.timeUnit.clear();
}

const UnitRow& UnitTableRow(int32_t row) {
  // Callers pass 0..9; anything else is kept inside the table.
  if (row < 0) row = 0;
  if (row >= kUnitRows) row = kUnitRows - 1;
  return kUnitTable[row];
}

void SetUnits() {
  DiagramState& s = State();
  if (!IsUnitRow(s.unitIndex)) return;
  const UnitRow& r = kUnitTable[s.unitIndex];
  s.spaceScale = r.spaceScale;
  s.spaceUnit = r.spaceUnit;
  s.timeScale = r.timeScale;
  s.timeUnit = r.timeUnit;
}
