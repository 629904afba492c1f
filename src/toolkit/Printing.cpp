// Page setup and printing: the page settings kept between dialogs, the two
// dialogs, and the PDF file that is printed into where the print system does
// not answer.
#include <QDir>
#include <QFileDialog>
#include <QLocale>
#include <QMainWindow>
#include <QPageLayout>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <algorithm>
#include <cmath>

#include "toolkit/PageLayouts.h"
#include "toolkit/PrintClient.h"
#include "toolkit/PrintLayout.h"
#include "toolkit/PrintOutput.h"
#include "toolkit/PrintSystem.h"
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

// The job's name; printing to a file also offers it as the file name.
const QString kDocName = QStringLiteral("Kestrane Diagram");
constexpr int kPdfResolution = 1200;  // a high-resolution printer's

// The PDF file to print into, chosen by the user; empty when cancelled.
QString ChoosePdfFile(Window* parent) {
  QFileDialog dialog(ParentWidget(parent), QStringLiteral("Print to a PDF File (the print system does not answer)"),
                     QDir::home().filePath(kDocName + QStringLiteral(".pdf")), QStringLiteral("PDF files (*.pdf)"));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix(QStringLiteral("pdf"));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().constFirst();
}

// While it lives, the paper of a confirmed page setup stands in for the
// printers' default paper: Qt's dialogs start from a printer's default, and
// would otherwise drop the paper chosen in the page setup.
class PreferredPaper {
 public:
  explicit PreferredPaper(const QPageLayout* layout) {
    if (layout != nullptr && layout->pageSize().id() != QPageSize::Custom)
      SetPreferredPaper(layout->pageSize().key().toUtf8().constData());
  }
  ~PreferredPaper() { SetPreferredPaper(nullptr); }
  PreferredPaper(const PreferredPaper&) = delete;
  PreferredPaper& operator=(const PreferredPaper&) = delete;
};

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
  if (PrintSystemInUse::Now()) return false;
  const PrintSystemInUse use;

  AskedPrinter asked = AskPrintSystem();
  if (asked.answer == PrintSystemAnswer::Printer) {
    QPrinter& printer = *asked.printer;
    // The first time the dialog opens on the printer's own paper and margins.
    if (impl_->confirmed) ApplyLayout(printer, impl_->layout);
    const PreferredPaper paper(impl_->confirmed ? &impl_->layout : nullptr);
    QPageSetupDialog dialog(&printer, ParentWidget(parent));
    ShowMargins(dialog, printer.pageLayout());
    if (PrintSystemSilent()) {
      asked.answer = PrintSystemAnswer::Silent;  // it fell silent while the dialog was made
    } else {
      if (QuitRequested() || dialog.exec() != QDialog::Accepted) return false;
      impl_->layout = ShownLayout(dialog, printer.pageLayout());
      impl_->confirmed = true;
      return true;
    }
  }
  if (asked.answer == PrintSystemAnswer::Silent && !QuitRequested())
    ShowMessage("The print system does not answer, so the page cannot be set up. Print still writes the "
                "diagram to a PDF file.");
  return false;
}

double PrinterSetup::PageWidth() const { return impl_->layout.fullRect(QPageLayout::Point).width(); }

double PrinterSetup::PageHeight() const { return impl_->layout.fullRect(QPageLayout::Point).height(); }

std::unique_ptr<Graphics> OpenPrinterDialog(PrinterSetup* setup, Window* parent) {
  const QPageLayout layout = setup != nullptr ? setup->impl().layout : DefaultLayout();
  if (const auto& hook = DialogHook()) {
    const DialogAnswer answer = hook(DialogKind::Print, setup);
    if (!answer.confirm || answer.pdfPath.empty()) return nullptr;
    return StartPdfPage(QString::fromStdString(answer.pdfPath), layout, kPdfResolution, kDocName);
  }

  if (PrintSystemInUse::Now()) return nullptr;
  const PrintSystemInUse use;
  // Where the print system does not answer, the page goes to a PDF file.
  const auto toPdfFile = [parent](const QPageLayout& pageLayout) -> std::unique_ptr<Graphics> {
    if (QuitRequested()) return nullptr;
    const QString path = ChoosePdfFile(parent);
    if (path.isEmpty()) return nullptr;
    return StartPdfPage(path, pageLayout, kPdfResolution, kDocName);
  };

  AskedPrinter asked = AskPrintSystem();
  if (asked.answer == PrintSystemAnswer::Silent) return toPdfFile(layout);
  if (asked.answer != PrintSystemAnswer::Printer) return nullptr;
  QPrinter& printer = *asked.printer;
  printer.setDocName(kDocName);
  if (setup != nullptr) ApplyLayout(printer, layout);
  const PreferredPaper paper(setup != nullptr && setup->impl().confirmed ? &layout : nullptr);
  QPrintDialog dialog(&printer, ParentWidget(parent));
  if (PrintSystemSilent()) return toPdfFile(layout);  // it fell silent while the dialog was made
  if (QuitRequested() || dialog.exec() != QDialog::Accepted) return nullptr;
  if (setup != nullptr) KeepSetupMargins(printer, layout);
  // A PDF file is written beside its target and then put in its place.
  if (printer.outputFormat() == QPrinter::PdfFormat)
    return StartPdfPage(printer.outputFileName(), printer.pageLayout(), printer.resolution(), kDocName);
  // The printer fell silent after the user chose it: the page goes to a file.
  if (PrintSystemSilent()) return toPdfFile(printer.pageLayout());
  return StartPrinterPage(std::move(asked.printer));
}

void SetDialogHookForTesting(std::function<DialogAnswer(DialogKind, PrinterSetup*)> hook) {
  DialogHook() = std::move(hook);
}
