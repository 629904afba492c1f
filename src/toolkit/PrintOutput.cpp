// The printed page: its output (a PDF file or a printer), the painter on it,
// and the end of the page with the failure report.
#include "toolkit/PrintOutput.h"

#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QSaveFile>
#include <algorithm>
#include <cstdio>
#include <new>

#include "toolkit/PainterGraphics.h"
#include "toolkit/PrintClient.h"
#include "toolkit/PrintLayout.h"
#include "toolkit/PrintSystem.h"
#include "toolkit/Runtime.h"

namespace {

const char* const kOutOfMemory = "there was not enough memory";

// Where the page goes.
class PageOutput {
 public:
  virtual ~PageOutput() = default;
  virtual QPaintDevice& Device() = 0;
  virtual QPageLayout Layout() const = 0;
  // Readies the output for the painter; false with the reason if it cannot be.
  virtual bool Open(QString& reason) = 0;
  // After the painter ended the page: keeps it, or says why it could not.
  virtual bool Keep(QString& reason) = 0;
  // Drops whatever was written so far.
  virtual void Abandon() = 0;
  // The message naming this output and the reason it failed.
  virtual QString Failure(const QString& reason) const = 0;
};

class PdfFileOutput final : public PageOutput {
 public:
  PdfFileOutput(const QString& path, const QPageLayout& layout, int resolution, const QString& title)
      : file_(path), writer_(&file_) {
    writer_.setPageLayout(layout);
    writer_.setResolution(resolution);
    writer_.setTitle(title);
  }
  QPaintDevice& Device() override { return writer_; }
  QPageLayout Layout() const override { return writer_.pageLayout(); }
  bool Open(QString& reason) override {
    if (file_.open(QIODevice::WriteOnly)) return true;
    reason = file_.errorString();
    return false;
  }
  bool Keep(QString& reason) override {
    // A page small enough to wait in the write buffer meets a full disk only
    // as the buffer is flushed, and committing would put the short file in
    // place all the same: the flush is checked first.
    if (file_.flush() && file_.commit()) return true;
    reason = file_.errorString();
    return false;
  }
  void Abandon() override {
    if (file_.isOpen()) file_.cancelWriting();
  }
  QString Failure(const QString& reason) const override {
    return QStringLiteral("The diagram was not printed to the file \"%1\": %2.").arg(file_.fileName(), reason);
  }

 private:
  QSaveFile file_;
  QPdfWriter writer_;
};

class PrinterOutput final : public PageOutput {
 public:
  explicit PrinterOutput(std::unique_ptr<QPrinter> printer) : printer_(std::move(printer)) {}
  QPaintDevice& Device() override { return *printer_; }
  QPageLayout Layout() const override { return printer_->pageLayout(); }
  bool Open(QString&) override { return true; }
  bool Keep(QString& reason) override {
    if (printer_->printerState() == QPrinter::Error) {
      reason = QStringLiteral("the printer reported an error");
      return false;
    }
    std::string refused;
    if (PrintSystemTookTheJob(refused)) return true;
    reason = QString::fromStdString(refused);
    return false;
  }
  void Abandon() override {
    if (printer_->printerState() == QPrinter::Active) printer_->abort();
  }
  QString Failure(const QString& reason) const override {
    return QStringLiteral("The diagram was not printed on \"%1\": %2.").arg(printer_->printerName(), reason);
  }

 private:
  std::unique_ptr<QPrinter> printer_;
  // The job goes to the print system as the page ends.
  const PrintSystemInUse use_;
};

// Owns the output and its painter; the first base of the page surface, so
// that both exist before the surface draws and outlive it.
struct PrintJob {
  explicit PrintJob(std::unique_ptr<PageOutput> out) : output(std::move(out)) {}
  std::unique_ptr<PageOutput> output;
  std::unique_ptr<QPainter> pagePainter = std::make_unique<QPainter>();
  QString failure;  // the reason the page failed; empty while it goes well
};

class PrintedPage final : private PrintJob, public PainterGraphics {
 public:
  PrintedPage(std::unique_ptr<PageOutput> out, const PageFit& fit)
      : PrintJob(std::move(out)), PainterGraphics(*pagePainter, fit.width, fit.height) {
    if (!output->Open(failure)) return;
    if (!pagePainter->begin(&output->Device())) {
      failure = QStringLiteral("it could not be opened for printing");
      return;
    }
    // The painter starts in device pixels at the top-left of the printable area.
    QPaintDevice& device = output->Device();
    pagePainter->scale(device.logicalDpiX() / 72.0 * fit.scale, device.logicalDpiY() / 72.0 * fit.scale);
    // The page shows what the screen shows: nothing outside the diagram
    // canvas (the axes run far beyond it).
    pagePainter->setClipRect(
        QRectF(0, 0, std::min(fit.width, kPrintCanvasWidth), std::min(fit.height, kPrintCanvasHeight)));
  }
  ~PrintedPage() override { Finish(); }
  PrintedPage(const PrintedPage&) = delete;
  PrintedPage& operator=(const PrintedPage&) = delete;

  bool Started() const { return failure.isEmpty(); }

  // A call that runs out of memory ends the page's drawing; the page is then
  // dropped and reported when the surface goes.
  void SetForeColor(Color c) override {
    Guarded([&] { PainterGraphics::SetForeColor(c); });
  }
  void SetPenWidth(double w) override {
    Guarded([&] { PainterGraphics::SetPenWidth(w); });
  }
  void SetTextFont(const std::string& f) override {
    Guarded([&] { PainterGraphics::SetTextFont(f); });
  }
  void SetTextSize(float s) override {
    Guarded([&] { PainterGraphics::SetTextSize(s); });
  }
  void DrawLine(double x1, double y1, double x2, double y2) override {
    Guarded([&] { PainterGraphics::DrawLine(x1, y1, x2, y2); });
  }
  void DrawOval(double x, double y, double width, double height) override {
    Guarded([&] { PainterGraphics::DrawOval(x, y, width, height); });
  }
  void FillRect(double x, double y, double width, double height) override {
    Guarded([&] { PainterGraphics::FillRect(x, y, width, height); });
  }
  void DrawString(const std::string& text, double x, double y, double wrapWidth, bool condense) override {
    Guarded([&] { PainterGraphics::DrawString(text, x, y, wrapWidth, condense); });
  }

 private:
  template <class Draw>
  void Guarded(const Draw& draw) {
    if (!failure.isEmpty()) return;
    try {
      draw();
    } catch (const std::bad_alloc&) {
      failure = QString::fromLatin1(kOutOfMemory);
    }
  }

  // Ends the page and keeps it, or drops it and tells the user why.
  void Finish() noexcept {
    try {
      if (pagePainter->isActive()) {
        if (!failure.isEmpty()) output->Abandon();
        try {
          if (!pagePainter->end() && failure.isEmpty()) failure = QStringLiteral("the page could not be finished");
        } catch (...) {
          if (failure.isEmpty()) failure = QString::fromLatin1(kOutOfMemory);
          // A painter whose end threw is still active, and its destructor
          // would end the page once more where nothing may throw: it is left
          // undestroyed (a few hundred bytes), and never used again.
          static_cast<void>(pagePainter.release());
        }
      }
      if (failure.isEmpty() && output->Keep(failure)) return;
      const QString text = output->Failure(failure);
      output->Abandon();
      output.reset();  // the page's memory is given back before the message needs some
      ShowMessage(text.toStdString());
    } catch (...) {
      std::fputs("The diagram was not printed: there was not enough memory.\n", stderr);
    }
  }
};

std::unique_ptr<Graphics> StartPage(std::unique_ptr<PageOutput> output) {
  const QRectF area = output->Layout().paintRect(QPageLayout::Point);
  auto page = std::make_unique<PrintedPage>(std::move(output), FitCanvasOnPage(area.width(), area.height()));
  if (!page->Started()) return nullptr;  // the page reports why as it goes
  return page;
}

}  // namespace

std::unique_ptr<Graphics> StartPdfPage(const QString& path, const QPageLayout& layout, int resolution,
                                       const QString& title) {
  return StartPage(std::make_unique<PdfFileOutput>(path, layout, resolution, title));
}

std::unique_ptr<Graphics> StartPrinterPage(std::unique_ptr<QPrinter> printer) {
  return StartPage(std::make_unique<PrinterOutput>(std::move(printer)));
}
