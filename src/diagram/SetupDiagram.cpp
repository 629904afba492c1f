// Completes the diagram state when the main window opens: frames, objects,
// unit scales, page setup and the canvas size.
#include <memory>

#include "diagram/Diagram.h"
#include "diagram/DiagramState.h"
#include "diagram/KoordSys.h"
#include "diagram/Thing.h"
#include "toolkit/Color.h"
#include "toolkit/Runtime.h"

void SetupDiagram(int32_t canvasWidth, int32_t canvasHeight) {
  DiagramState& st = State();

  st.blackSys = std::make_unique<KoordSys>();
  st.blackSys->cl = MakeColorRGBA(0, 0, 0, 0);
  st.blackSys->sinPhiTime = 0.0;
  st.blackSys->sinPhiSpace = 0.0;

  st.redSys = std::make_unique<KoordSys>();
  st.redSys->cl = MakeColorRGBA(255, 0, 0, 0);
  st.redSys->sinPhiTime = 0.6;
  st.redSys->sinPhiSpace = 0.6;

  SetUnits();

  st.pageSetup = std::make_unique<PrinterSetup>();

  st.blackThing = std::make_unique<Thing>();
  st.blackThing->index = 0;
  st.blackThing->cl = MakeColorRGBA(100, 100, 100, 0);
  st.blackThing->position = 2;
  st.blackThing->length = 144;
  st.blackThing->isVisible = false;
  st.blackThing->hasShadow = false;
  st.blackThing->hasTrace = false;

  st.redThing = std::make_unique<Thing>();
  st.redThing->index = 1;
  st.redThing->cl = MakeColorRGBA(200, 0, 0, 0);
  st.redThing->position = 0;
  st.redThing->length = 144;
  st.redThing->isVisible = false;
  st.redThing->hasShadow = false;
  st.redThing->hasTrace = false;

  st.canvasWidth = canvasWidth;
  st.canvasHeight = canvasHeight;
}
