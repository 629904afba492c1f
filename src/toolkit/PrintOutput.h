#pragma once
// Toolkit-internal: the printed page's drawing surface, on a PDF file or on a
// printer. A PDF file is written completely or not at all: the page goes to a
// temporary file beside the target, which replaces the target only once it is
// complete. A page that cannot be started or finished (no room on the disk, no
// right to write, not enough memory) is reported to the user in one message
// naming the file or printer and the reason; no exception leaves the surface.
#include <QPageLayout>
#include <QString>
#include <memory>

#include "toolkit/Graphics.h"

class QPrinter;

// A page on the PDF file at path, laid out as layout at resolution dots per inch.
std::unique_ptr<Graphics> StartPdfPage(const QString& path, const QPageLayout& layout, int resolution,
                                       const QString& title);

// A page on printer, as its dialog left it.
std::unique_ptr<Graphics> StartPrinterPage(std::unique_ptr<QPrinter> printer);
