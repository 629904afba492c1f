// Page setup and printing: the page settings kept between dialogs, the two
// dialogs and the printer page's drawing surface.
#include <QLocale>
#include <QMainWindow>
#include <QPageLayout>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <algorithm>
#include <cmath>

#include "toolkit/PainterGraphics.h"
#include "toolkit/PrintLayout.h"
#include "toolkit/QtAccess.h"
#include "toolkit/Runtime.h"

namespace {

std::function<DialogAnswer(DialogKind, PrinterSetup*)>& DialogHook() {
  static std::function<DialogAnswer(DialogKind, PrinterSetup*)> hook;
  return hook;
}

QWidget* ParentWidget(Window* parent) { return parent != nullptr ? WidgetOf(*parent) : nullptr; }

// The page settings that a new page setup starts from: Letter where the
// system's measurements are US customary, A4 elsewhere, portrait, with the
// margins of a page that has no printer behind it. Built without asking the
// print system: a print server that never answers must not hold up the main
// window, which creates its page setup while it opens. The printer is asked
// only when the user opens the page-setup or print dialog.
QPageLayout DefaultLayout() {
  const QPageSize::PageSizeId paper =
      QLocale::system().measurementSystem() == QLocale::ImperialUSSystem ? QPageSize::Letter : QPageSize::A4;
  return QPageLayout(QPageSize(paper), QPageLayout::Portrait, QMarginsF(10, 10, 10, 10), QPageLayout::Point);
}

// Owns the printer and its painter; declared as the first base of the page
// surface so that both exist before the surface draws and outlive it. The
// page is finished when the painter ends.
struct PrintJob {
  PrintJob(std::unique_ptr<QPrinter> p, std::unique_ptr<QPainter> q)
      : device(std::move(p)), pagePainter(std::move(q)) {}
  ~PrintJob() {
    if (pagePainter && pagePainter->isActive()) pagePainter->end();
    pagePainter.reset();
    device.reset();
  }
  PrintJob(const PrintJob&) = delete;
  PrintJob& operator=(const PrintJob&) = delete;

  std::unique_ptr<QPrinter> device;
  std::unique_ptr<QPainter> pagePainter;
};

class PrinterPageGraphics final : private PrintJob, public PainterGraphics {
 public:
  PrinterPageGraphics(std::unique_ptr<QPrinter> printer, std::unique_ptr<QPainter> painter, double width,
                      double height)
      : PrintJob(std::move(printer), std::move(painter)), PainterGraphics(*pagePainter, width, height) {}
};

// Starts the page on printer; nullptr when the printer cannot be painted on
// (no printer and no output file), so that nothing is drawn.
std::unique_ptr<Graphics> StartPage(std::unique_ptr<QPrinter> printer) {
  auto painter = std::make_unique<QPainter>();
  if (!painter->begin(printer.get())) return nullptr;

  const QRectF area = printer->pageLayout().paintRect(QPageLayout::Point);
  const PageFit fit = FitCanvasOnPage(area.width(), area.height());
  // The painter starts in device pixels at the top-left of the printable area.
  painter->scale(printer->logicalDpiX() / 72.0 * fit.scale, printer->logicalDpiY() / 72.0 * fit.scale);
  // The page shows what the screen shows: nothing outside the diagram canvas
  // (the axes run far beyond it).
  painter->setClipRect(
      QRectF(0, 0, std::min(fit.width, kPrintCanvasWidth), std::min(fit.height, kPrintCanvasHeight)));
  return std::make_unique<PrinterPageGraphics>(std::move(printer), std::move(painter), fit.width, fit.height);
}

}  // namespace

PageFit FitCanvasOnPage(double printableWidth, double printableHeight, double canvasWidth, double canvasHeight) {
  const auto positive = [](double v) { return std::isfinite(v) && v > 0.0; };
  if (!positive(printableWidth) || !positive(printableHeight)) return PageFit{1.0, 0.0, 0.0};
  double scale = 1.0;
  if (positive(canvasWidth) && positive(canvasHeight))
    scale = std::min({1.0, printableWidth / canvasWidth, printableHeight / canvasHeight});
  return PageFit{scale, printableWidth / scale, printableHeight / scale};
}

PrinterSetup::PrinterSetup() : impl_(std::make_unique<PrinterSetupImpl>()) { impl_->layout = DefaultLayout(); }

PrinterSetup::~PrinterSetup() = default;

bool PrinterSetup::PageSetupDialog(Window* parent) {
  if (const auto& hook = DialogHook()) return hook(DialogKind::PageSetup, this).confirm;

  QPrinter printer(QPrinter::HighResolution);
  // The first time the dialog opens on the printer's own paper and margins.
  if (impl_->confirmed) printer.setPageLayout(impl_->layout);
  QPageSetupDialog dialog(&printer, ParentWidget(parent));
  if (dialog.exec() != QDialog::Accepted) return false;
  impl_->layout = printer.pageLayout();
  impl_->confirmed = true;
  return true;
}

double PrinterSetup::PageWidth() const { return impl_->layout.fullRect(QPageLayout::Point).width(); }

double PrinterSetup::PageHeight() const { return impl_->layout.fullRect(QPageLayout::Point).height(); }

std::unique_ptr<Graphics> OpenPrinterDialog(PrinterSetup* setup, Window* parent) {
  auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
  // The job's name; printing to a file also offers it as the file name.
  printer->setDocName(QStringLiteral("Kestrane Diagram"));

  if (const auto& hook = DialogHook()) {
    const DialogAnswer answer = hook(DialogKind::Print, setup);
    if (!answer.confirm) return nullptr;
    if (!answer.pdfPath.empty()) {
      printer->setOutputFormat(QPrinter::PdfFormat);
      printer->setOutputFileName(QString::fromStdString(answer.pdfPath));
    }
    if (setup != nullptr) printer->setPageLayout(setup->impl().layout);
  } else {
    if (setup != nullptr) printer->setPageLayout(setup->impl().layout);
    QPrintDialog dialog(printer.get(), ParentWidget(parent));
    if (dialog.exec() != QDialog::Accepted) return nullptr;
  }
  return StartPage(std::move(printer));
}

void SetDialogHookForTesting(std::function<DialogAnswer(DialogKind, PrinterSetup*)> hook) {
  DialogHook() = std::move(hook);
}
