// The diagram state's start-up values, its release at exit and the unit table.
#include <gtest/gtest.h>

#include <string>

#include "diagram/DiagramState.h"
#include "diagram/KoordSys.h"
#include "diagram/Thing.h"
#include "toolkit/Runtime.h"

namespace {

class DiagramStateTest : public ::testing::Test {
 protected:
  void TearDown() override { InitDiagramDefaults(); }
  // What a run may leave behind, objects included.
  static void Dirty() {
    DiagramState& s = State();
    s.draggingOrigin = s.meetingPicked = s.updatingSpeed = s.hasPageSetup = true;
    s.originX = s.meetingX = s.canvasWidth = s.viewIndex = s.unitIndex = s.currentTime = 7;
    s.originY = s.meetingY = s.canvasHeight = 8;
    s.speed = -0.3;
    s.timeScale = s.spaceScale = 30;
    s.timeUnit = s.spaceUnit = " km";
    s.blackSys = std::make_unique<KoordSys>();
    s.redSys = std::make_unique<KoordSys>();
    s.blackThing = std::make_unique<Thing>();
    s.redThing = std::make_unique<Thing>();
    s.pageSetup = std::make_unique<PrinterSetup>();
  }
};

TEST_F(DiagramStateTest, DefaultsReplaceWhateverARunLeftBehind) {
  Dirty();
  InitDiagramDefaults();
  const DiagramState& s = State();
  EXPECT_EQ(s.originX, 300);
  EXPECT_EQ(s.originY, 400);
  EXPECT_EQ(s.speed, 0.6);
  EXPECT_EQ(s.unitIndex, 3);
  EXPECT_EQ(s.currentTime, 72);
  EXPECT_EQ(s.viewIndex, 0);
  EXPECT_EQ(s.meetingX, 0);
  EXPECT_EQ(s.meetingY, 0);
  EXPECT_FALSE(s.draggingOrigin || s.meetingPicked || s.updatingSpeed || s.hasPageSetup);
  // No default: empty until the writer runs.
  EXPECT_EQ(s.spaceScale, 0);
  EXPECT_EQ(s.timeScale, 0);
  EXPECT_EQ(s.spaceUnit, "");
  EXPECT_EQ(s.timeUnit, "");
  EXPECT_EQ(s.canvasWidth, 0);
  EXPECT_EQ(s.canvasHeight, 0);
  EXPECT_FALSE(s.blackSys || s.redSys || s.blackThing || s.redThing || s.pageSetup);
}

TEST_F(DiagramStateTest, ReleaseEmptiesObjectsAndTextsOnly) {
  Dirty();
  ReleaseDiagramGlobals();
  ReleaseDiagramGlobals();  // a second release is harmless
  const DiagramState& s = State();
  EXPECT_FALSE(s.blackSys || s.redSys || s.blackThing || s.redThing || s.pageSetup);
  EXPECT_EQ(s.spaceUnit, "");
  EXPECT_EQ(s.timeUnit, "");
  EXPECT_EQ(s.timeScale, 30);
  EXPECT_EQ(s.originX, 7);
}

TEST_F(DiagramStateTest, EveryUnitRowGivesItsFourValues) {
  const std::string expected[10] = {"3 mm 10 ps",   "3 cm 100 ps", "30 cm 1 ns",  "3 m 10 ns",
                                    "30 m 100 ns",  "300 m 1 us",  "3 km 10 us",  "30 km 100 us",
                                    "300 km 1 ms",  "3000 km 10 ms"};
  InitDiagramDefaults();
  for (int32_t row = 0; row < kUnitRows; ++row) {
    State().unitIndex = row;
    SetUnits();
    const DiagramState& s = State();
    EXPECT_EQ(std::to_string(s.spaceScale) + s.spaceUnit + " " + std::to_string(s.timeScale) + s.timeUnit,
              expected[row]);
    EXPECT_EQ(s.spaceUnit, UnitTableRow(row).spaceUnit);
    EXPECT_EQ(s.timeScale, UnitTableRow(row).timeScale);
  }
  EXPECT_EQ(std::string(UnitTableRow(5).timeUnit), "\x20\x75\x73");  // plain ASCII " us"
}

TEST_F(DiagramStateTest, UnitRowsOutsideTheTableChangeNothing) {
  InitDiagramDefaults();
  for (int32_t bad : {10, -1}) {
    State().unitIndex = bad;
    SetUnits();
    EXPECT_EQ(State().spaceScale, 0);
    EXPECT_EQ(State().timeUnit, "");
  }
  State().unitIndex = 2;
  SetUnits();
  for (int32_t bad : {10, -1, INT32_MIN}) {
    State().unitIndex = bad;
    SetUnits();
    EXPECT_EQ(State().spaceScale, 30);
    EXPECT_EQ(State().spaceUnit, " cm");
    EXPECT_EQ(State().timeScale, 1);
    EXPECT_EQ(State().timeUnit, " ns");
  }
}

}  // namespace
