// Page layouts between the program's page setup, Qt's page-setup widgets
// and a printer (see PageLayouts.h).
#include "toolkit/PageLayouts.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QPrinter>
#include <QRadioButton>
#include <cmath>

namespace {

// Qt's page-setup widget: its paper, orientation, margins and their unit.
struct PageWidgets {
  explicit PageWidgets(const QWidget& dialog)
      : paper(dialog.findChild<QComboBox*>(QStringLiteral("pageSizeCombo"))),
        unit(dialog.findChild<QComboBox*>(QStringLiteral("unitCombo"))),
        landscape(dialog.findChild<QRadioButton*>(QStringLiteral("landscape"))),
        width(dialog.findChild<QDoubleSpinBox*>(QStringLiteral("pageWidth"))),
        height(dialog.findChild<QDoubleSpinBox*>(QStringLiteral("pageHeight"))),
        left(dialog.findChild<QDoubleSpinBox*>(QStringLiteral("leftMargin"))),
        top(dialog.findChild<QDoubleSpinBox*>(QStringLiteral("topMargin"))),
        right(dialog.findChild<QDoubleSpinBox*>(QStringLiteral("rightMargin"))),
        bottom(dialog.findChild<QDoubleSpinBox*>(QStringLiteral("bottomMargin"))) {}
  bool Complete() const { return paper && unit && landscape && width && height && left && top && right && bottom; }
  QPageLayout::Unit Unit() const { return qvariant_cast<QPageLayout::Unit>(unit->currentData()); }

  QComboBox *paper, *unit;
  QRadioButton* landscape;
  QDoubleSpinBox *width, *height, *left, *top, *right, *bottom;
};

}  // namespace

// Qt's page setup dialog shows a printer's page with no margins, whatever
// the page has: it is shown with its margins.
void ShowMargins(const QWidget& dialog, const QPageLayout& layout) {
  const PageWidgets shown(dialog);
  if (!shown.Complete()) return;
  const QMarginsF margins = layout.margins(shown.Unit());
  shown.left->setValue(margins.left());
  shown.top->setValue(margins.top());
  shown.right->setValue(margins.right());
  shown.bottom->setValue(margins.bottom());
}

// The page a page-setup widget shows. Qt hands it to the printer as one page
// layout, which a printer refuses whole when the margins are narrower than it
// can print: the paper chosen would be lost with them.
QPageLayout ShownLayout(const QWidget& dialog, const QPageLayout& otherwise) {
  const PageWidgets shown(dialog);
  if (!shown.Complete()) return otherwise;
  const auto orientation = shown.landscape->isChecked() ? QPageLayout::Landscape : QPageLayout::Portrait;
  QPageSize paper = qvariant_cast<QPageSize>(shown.paper->currentData());
  if (!paper.isValid()) {  // "Custom": the size as typed, upright
    QSizeF size(shown.width->value(), shown.height->value());
    if (orientation == QPageLayout::Landscape) size.transpose();
    paper = QPageSize(size, static_cast<QPageSize::Unit>(shown.Unit()));
  }
  if (!paper.isValid()) return otherwise;
  return QPageLayout(paper, orientation,
                     QMarginsF(shown.left->value(), shown.top->value(), shown.right->value(), shown.bottom->value()),
                     shown.Unit());
}

// Puts a page layout on a printer: its paper and orientation, and its margins
// as far as the printer can print them.
void ApplyLayout(QPrinter& printer, const QPageLayout& layout) {
  if (printer.setPageLayout(layout)) return;
  printer.setPageSize(layout.pageSize());
  printer.setPageOrientation(layout.orientation());
  static_cast<void>(printer.setPageMargins(layout.margins(), layout.units()));  // narrower: the printer's stay
}

// Qt's print dialog starts a page's margins at the narrowest the printer
// prints, whatever the page had: where the user left them there, the page
// keeps the margins of the page setup (as far as the printer can print them).
void KeepSetupMargins(QPrinter& printer, const QPageLayout& setup) {
  const QPageLayout now = printer.pageLayout();
  const QMarginsF shown = now.margins(), least = now.minimumMargins();  // both in the page's unit
  const auto same = [](double a, double b) { return std::abs(a - b) < 0.01; };
  if (same(shown.left(), least.left()) && same(shown.top(), least.top()) && same(shown.right(), least.right()) &&
      same(shown.bottom(), least.bottom()))
    static_cast<void>(printer.setPageMargins(setup.margins(), setup.units()));
}
