#pragma once
// Toolkit-internal: how a printer page is laid out. The program draws in
// canvas pixels from (0, 0); on paper a pixel becomes a point (1/72 in) from
// the top-left corner of the printable area. Where the printable area is
// smaller than the canvas that the page is laid out for, the drawing is
// scaled down uniformly until that canvas fits; it is never scaled up.
#include <QPageLayout>

// The page settings that a PrinterSetup keeps between dialogs.
struct PrinterSetupImpl {
  QPageLayout layout;
  bool confirmed = false;  // until then the printer's own defaults hold
};

// The diagram canvas (in pixels) that a printed page is laid out for.
inline constexpr double kPrintCanvasWidth = 636.0;
inline constexpr double kPrintCanvasHeight = 553.0;

struct PageFit {
  double scale = 1.0;   // points per canvas pixel, at most 1
  double width = 0.0;   // the printable area in canvas pixels
  double height = 0.0;
};

// The fit of a canvas of canvasWidth x canvasHeight pixels onto a printable
// area of printableWidth x printableHeight points. Degenerate sizes (zero,
// negative, not a number) give scale 1 and an empty surface.
PageFit FitCanvasOnPage(double printableWidth, double printableHeight,
                        double canvasWidth = kPrintCanvasWidth, double canvasHeight = kPrintCanvasHeight);
