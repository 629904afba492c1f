// Benchmarks of the drawing and of the main window's event round trips.
// The figures are compared with the time budget of one slider step.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>

#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>

#include "diagram/DiagramState.h"
#include "toolkit/Graphics.h"
#include "toolkit/Runtime.h"
#include "toolkit/Window.h"
#include "windows/Window1.h"
#include "windows/Window1Diagram.h"

namespace {

constexpr int kCanvasWidth = 636;
constexpr int kCanvasHeight = 553;

// The main window counts the paints of its canvas.
class CountingWindow : public Window1 {
 public:
  int paints = 0;
  void Canvas1_Paint(::Canvas& sender, Graphics& g, const std::vector<Rect>& areas) override {
    Window1::Canvas1_Paint(sender, g, areas);
    ++paints;
  }
};

CountingWindow* OpenMainWindow() {
  CloseAllWindowsForTesting();
  InitDiagramDefaults();
  auto* w = new CountingWindow();
  w->Constructor();
  QApplication::processEvents();
  return w;
}

void ProcessUntilPainted(CountingWindow* w, int before) {
  QElapsedTimer timer;
  timer.start();
  while (w->paints == before && timer.elapsed() < 1000) {
    QApplication::processEvents(QEventLoop::AllEvents);
  }
}

// The diagram as the program starts.
void BM_DrawDiagram_StartState(benchmark::State& st) {
  OpenMainWindow();
  Picture picture(kCanvasWidth, kCanvasHeight);
  for (auto _ : st) DrawDiagram(*picture.NewGraphics());  // a fresh surface, as every paint has
  CloseAllWindowsForTesting();
}

// Everything visible: both rods with trace and shadow, a fast frame, a picked
// meeting point, red's view.
void BM_DrawDiagram_WorstCase(benchmark::State& st) {
  Window1* w = OpenMainWindow();
  for (CheckBox* box : {w->CheckBox1(), w->CheckBox2(), w->CheckBox3(), w->CheckBox4(), w->CheckBox5(),
                        w->CheckBox6()})
    box->SetValue(true);
  w->BlackPosSlider()->SetValue(1);
  w->RedPosSlider()->SetValue(1);
  w->BlackLengthSlider()->SetValue(13);
  w->RedLengthSlider()->SetValue(13);
  State().viewIndex = 1;
  State().speed = 0.95;
  State().meetingPicked = true;
  State().meetingX = 444;
  State().meetingY = 256;
  Picture picture(kCanvasWidth, kCanvasHeight);
  for (auto _ : st) DrawDiagram(*picture.NewGraphics());
  CloseAllWindowsForTesting();
}

// The floor: one white fill of the canvas and nothing else.
void BM_FillOnly(benchmark::State& st) {
  Picture picture(kCanvasWidth, kCanvasHeight);
  for (auto _ : st) {
    auto g = picture.NewGraphics();
    g->SetForeColor(MakeColorRGBA(255, 255, 255, 0));
    g->FillRect(0, 0, kCanvasWidth, kCanvasHeight);
  }
}

// One speed-slider step: value write, handler, and the paint it causes.
void BM_SpeedSliderStep(benchmark::State& st) {
  CountingWindow* w = OpenMainWindow();
  int position = 1;
  for (auto _ : st) {
    int before = w->paints;
    position = position % 39 + 1;
    w->SpeedSlider()->SetValue(position);
    ProcessUntilPainted(w, before);
  }
  CloseAllWindowsForTesting();
}

// Start-up of the main window up to its first paint.
void BM_StartupToFirstPaint(benchmark::State& st) {
  for (auto _ : st) {
    CloseAllWindowsForTesting();
    InitDiagramDefaults();
    auto* w = new CountingWindow();
    w->Constructor();
    ProcessUntilPainted(w, 0);
  }
  CloseAllWindowsForTesting();
}

long PeakResidentKiB() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmHWM:", 0) == 0) return std::strtol(line.c_str() + 6, nullptr, 10);
  }
  return -1;
}

}  // namespace

BENCHMARK(BM_DrawDiagram_StartState)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DrawDiagram_WorstCase)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FillOnly)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SpeedSliderStep)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_StartupToFirstPaint)->Unit(benchmark::kMillisecond)->Iterations(20);

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  RuntimeInit();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;

  // Peak memory of the program after start-up, before any benchmark runs.
  OpenMainWindow();
  long peakAfterStartup = PeakResidentKiB();
  CloseAllWindowsForTesting();

  struct Collector : benchmark::ConsoleReporter {
    Collector() : ConsoleReporter(OO_None) {}
    double worst = 0, floor = 0;
    void ReportRuns(const std::vector<Run>& runs) override {
      for (const Run& r : runs) {
        // A single run, or the median of repeated runs.
        if (r.run_type == Run::RT_Aggregate && r.aggregate_name != "median") continue;
        if (r.run_name.function_name == "BM_DrawDiagram_WorstCase") worst = r.GetAdjustedRealTime();
        if (r.run_name.function_name == "BM_FillOnly") floor = r.GetAdjustedRealTime();
      }
      ConsoleReporter::ReportRuns(runs);
    }
  } reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();

  std::printf("\n%-44s %10s\n", "measure", "value");
  if (reporter.floor > 0)
    std::printf("%-44s %10.2f\n", "worst-case draw / white fill (ratio)", reporter.worst / reporter.floor);
  std::printf("%-44s %10.1f\n", "peak resident memory after start-up (MB)", peakAfterStartup / 1024.0);
  return 0;
}
