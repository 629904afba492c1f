#pragma once
// Toolkit-internal: page layouts between the program's page setup, Qt's
// page-setup widgets (in the page setup dialog and in the print dialog's
// properties) and a printer. Qt's widgets start a printer's margins at zero,
// or at the narrowest the printer prints, whatever the page had; and a
// printer refuses a page layout whole when its margins are narrower than it
// can print, paper and all.
#include <QPageLayout>

class QPrinter;
class QWidget;

// Shows the margins of layout in the page-setup widget within dialog.
void ShowMargins(const QWidget& dialog, const QPageLayout& layout);

// The page the page-setup widget within dialog shows; otherwise where it
// has none.
QPageLayout ShownLayout(const QWidget& dialog, const QPageLayout& otherwise);

// Puts layout on printer: its paper and orientation, and its margins as far
// as the printer can print them.
void ApplyLayout(QPrinter& printer, const QPageLayout& layout);

// After the print dialog: where its margins were left where it starts them,
// the page keeps the margins of the page setup.
void KeepSetupMargins(QPrinter& printer, const QPageLayout& setup);
