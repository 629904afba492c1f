// Page setup and printing: the page fit, printing into a PDF file through the
// dialog seam, cancelling, and the real dialogs answered with the keyboard.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPageLayout>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <iostream>
#include <sys/mount.h>
#include <sys/resource.h>
#include <unistd.h>

#include <fstream>
#include <functional>
#include <memory>
#include <string>

#include "toolkit/PrintLayout.h"
#include "toolkit/Runtime.h"

namespace {

class PrintingTest : public testing::Test {
 protected:
  void TearDown() override { SetDialogHookForTesting({}); }

  // Answers the dialogs with confirm/cancel and, for printing, `pdfPath`;
  // records what the hook was asked.
  void Answer(bool confirm, const std::string& pdfPath = "") {
    SetDialogHookForTesting([this, confirm, pdfPath](DialogKind kind, PrinterSetup* setup) {
      asked.push_back({kind, setup});
      return DialogAnswer{confirm, pdfPath};
    });
  }

  static QByteArray ReadFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  }

  static QString Tool(const char* name) { return QStandardPaths::findExecutable(QString::fromLatin1(name)); }

  static QString RunTool(const QString& tool, const QStringList& args) {
    QProcess p;
    p.start(tool, args);
    p.waitForFinished(20000);
    return QString::fromUtf8(p.readAllStandardOutput());
  }

  struct Asked {
    DialogKind kind;
    PrinterSetup* setup;
  };
  std::vector<Asked> asked;
  QTemporaryDir dir;
};

// Acts on the modal dialog as soon as it shows; gives up after five seconds
// (the dialog then stays open and the test fails by its timeout).
void WhenModalDialogShows(std::function<void(QWidget*)> act, bool* done) {
  auto* poll = new QTimer;
  auto tries = std::make_shared<int>(0);
  QObject::connect(poll, &QTimer::timeout, [poll, tries, act, done] {
    QWidget* dialog = QApplication::activeModalWidget();
    if (dialog != nullptr && dialog->isVisible()) {
      act(dialog);
      *done = true;
    } else if (++*tries < 250) {
      return;
    }
    poll->stop();
    poll->deleteLater();
  });
  poll->start(20);
}

void PressInModalDialog(Qt::Key key, bool* pressed) {
  WhenModalDialogShows([key](QWidget* dialog) { QTest::keyClick(dialog, key); }, pressed);
}

TEST(PageFit, ScalesDownOnlyAsFarAsTheCanvasNeeds) {
  // Room enough: one pixel is one point, the surface is the printable area.
  PageFit big = FitCanvasOnPage(720, 540 + 100);
  EXPECT_DOUBLE_EQ(big.scale, 1.0);
  EXPECT_DOUBLE_EQ(big.width, 720);
  EXPECT_DOUBLE_EQ(big.height, 640);

  PageFit exact = FitCanvasOnPage(636, 553);
  EXPECT_DOUBLE_EQ(exact.scale, 1.0);

  // A4 portrait with half-inch margins: the width decides.
  PageFit a4 = FitCanvasOnPage(523.28, 769.89);
  EXPECT_NEAR(a4.scale, 523.28 / 636, 1e-12);
  EXPECT_NEAR(a4.width, 636, 1e-9);
  EXPECT_NEAR(a4.height, 769.89 * 636 / 523.28, 1e-9);

  // Wide but low: the height decides.
  PageFit low = FitCanvasOnPage(1000, 400);
  EXPECT_NEAR(low.scale, 400.0 / 553, 1e-12);
  EXPECT_NEAR(low.height, 553, 1e-9);
  EXPECT_GT(low.width, 636);
}

TEST(PageFit, DegenerateSizesGiveAnEmptySurfaceNotADivisionByZero) {
  for (double w : {0.0, -5.0, std::nan("")}) {
    PageFit fit = FitCanvasOnPage(w, 500);
    EXPECT_DOUBLE_EQ(fit.scale, 1.0);
    EXPECT_DOUBLE_EQ(fit.width, 0.0);
    EXPECT_DOUBLE_EQ(fit.height, 0.0);
  }
  PageFit noCanvas = FitCanvasOnPage(300, 200, 0, 0);
  EXPECT_DOUBLE_EQ(noCanvas.scale, 1.0);
  EXPECT_DOUBLE_EQ(noCanvas.width, 300);
}

TEST_F(PrintingTest, ConfirmedPrintWritesTheDrawingIntoThePdf) {
  ASSERT_TRUE(dir.isValid());
  const QString pdf = dir.filePath("page.pdf");
  Answer(true, pdf.toStdString());

  std::unique_ptr<Graphics> g = OpenPrinterDialog(nullptr);
  ASSERT_NE(g, nullptr);
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(asked[0].kind, DialogKind::Print);
  EXPECT_EQ(asked[0].setup, nullptr);
  // The whole canvas fits on the page.
  EXPECT_GE(g->Width(), 636 - 1e-9);
  EXPECT_GE(g->Height(), 553 - 1e-9);

  g->SetForeColor(Color{0, 0, 0, 0});
  g->DrawLine(10, 10, 600, 500);
  g->SetTextFont("Arial");
  g->SetTextSize(10);
  g->DrawString("Time", 40, 60);
  g.reset();  // finishes the page

  const QByteArray bytes = ReadFile(pdf);
  ASSERT_TRUE(bytes.startsWith("%PDF")) << "no PDF written to " << pdf.toStdString();

  const QString pdftotext = Tool("pdftotext");
  if (pdftotext.isEmpty()) GTEST_SKIP() << "pdftotext is not installed; the printed text was not checked";
  const QString text = RunTool(pdftotext, {pdf, "-"});
  EXPECT_TRUE(text.contains("Time")) << text.toStdString();
}

TEST_F(PrintingTest, PrintUsesThePageSettingsOfTheSetup) {
  ASSERT_TRUE(dir.isValid());
  PrinterSetup setup;
  EXPECT_GT(setup.PageWidth(), 0);
  EXPECT_GT(setup.PageHeight(), 0);
  setup.impl().layout = QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Landscape,
                                    QMarginsF(36, 36, 36, 36), QPageLayout::Point);
  EXPECT_DOUBLE_EQ(setup.PageWidth(), 792);
  EXPECT_DOUBLE_EQ(setup.PageHeight(), 612);

  const QString pdf = dir.filePath("letter.pdf");
  Answer(true, pdf.toStdString());
  std::unique_ptr<Graphics> g = OpenPrinterDialog(&setup);
  ASSERT_NE(g, nullptr);
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(asked[0].setup, &setup);
  // Printable 720 x 540 points: the height is too small for 553 pixels.
  EXPECT_NEAR(g->Height(), 553, 1e-6);
  EXPECT_NEAR(g->Width(), 720 * 553.0 / 540, 1e-6);
  g->DrawLine(0, 0, 636, 553);
  g->SetTextFont("Arial");
  g->SetTextSize(10);
  g->DrawString("Time", 400, 500);
  g.reset();
  ASSERT_TRUE(ReadFile(pdf).startsWith("%PDF"));

  const QString pdfinfo = Tool("pdfinfo"), pdftotext = Tool("pdftotext");
  if (pdfinfo.isEmpty() || pdftotext.isEmpty())
    GTEST_SKIP() << "pdfinfo or pdftotext is not installed; paper size and placement were not checked";
  EXPECT_TRUE(RunTool(pdfinfo, {pdf}).contains("792 x 612 pts"));
  // The text starts at the margin plus its canvas position, scaled by 540/553.
  const QString boxes = RunTool(pdftotext, {"-bbox", pdf, "-"});
  const QRegularExpressionMatch word =
      QRegularExpression(R"re(<word xMin="([\d.]+)" yMin="[\d.]+" xMax="[\d.]+" yMax="([\d.]+)">Time<)re").match(boxes);
  ASSERT_TRUE(word.hasMatch()) << boxes.toStdString();
  const double scale = 540.0 / 553;
  EXPECT_NEAR(word.captured(1).toDouble(), 36 + 400 * scale, 2.0);
  EXPECT_NEAR(word.captured(2).toDouble(), 36 + 500 * scale + 2.0, 2.0);  // the descent below the baseline
}

TEST_F(PrintingTest, CancelledPrintGivesNoSurfaceAndNoFile) {
  ASSERT_TRUE(dir.isValid());
  const QString pdf = dir.filePath("never.pdf");
  Answer(false, pdf.toStdString());
  PrinterSetup setup;
  EXPECT_EQ(OpenPrinterDialog(&setup), nullptr);
  EXPECT_EQ(OpenPrinterDialog(nullptr), nullptr);
  EXPECT_EQ(asked.size(), 2u);
  EXPECT_FALSE(QFile::exists(pdf));
}

// A print that fails leaves the file it would replace as it was, no partial
// file beside it, and one message naming the file and the reason: when the
// file cannot be created, when the disk is full, when memory runs out.
TEST_F(PrintingTest, AFailedPrintLosesNothingAndSaysWhy) {
  ASSERT_TRUE(dir.isValid());
  std::vector<std::string> messages;
  SetShowMessageHookForTesting([&](const std::string& text) { messages.push_back(text); });
  struct Restore {
    ~Restore() { SetShowMessageHookForTesting({}); }
  } restore;
  const auto print = [&](const QString& pdf, int lines) {
    Answer(true, pdf.toStdString());
    std::unique_ptr<Graphics> g = OpenPrinterDialog(nullptr);
    for (int i = 0; g != nullptr && i < lines; ++i) g->DrawLine(i % 600, 0, 600 - i % 600, 553);
    return g;
  };

  QFile(dir.filePath("plain")).open(QIODevice::WriteOnly);
  const QString unwritable = dir.filePath("plain/page.pdf");
  EXPECT_EQ(print(unwritable, 1), nullptr);
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_NE(messages[0].find(unwritable.toStdString()), std::string::npos) << messages[0];

  const QString disk = dir.filePath("disk"), old = disk + "/old.pdf";
  QDir().mkpath(disk);
  if (geteuid() == 0 && mount("tmpfs", disk.toLocal8Bit().constData(), "tmpfs", 0, "size=64k") == 0) {
    std::ofstream(old.toStdString()) << "the old page";
    {
      std::ofstream filler((disk + "/filler").toStdString());
      while (filler << std::string(4096, 'x') << std::flush) {}
    }
    print(old, 10).reset();  // a page small enough to wait in a write buffer
    const QStringList left = QDir(disk).entryList(QDir::Files);
    EXPECT_EQ(ReadFile(old), "the old page");
    EXPECT_EQ(umount(disk.toLocal8Bit().constData()), 0);
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_NE(messages[1].find(old.toStdString()), std::string::npos) << messages[1];
    EXPECT_NE(messages[1].find("No space left on device"), std::string::npos) << messages[1];
    EXPECT_EQ(left, QStringList({"filler", "old.pdf"}));
  } else {
    std::cout << "[ SKIPPED  ] no small file system can be mounted here: the full disk is not tried\n";
    messages.push_back("");
  }

#if defined(__SANITIZE_ADDRESS__)
  std::cout << "[ SKIPPED  ] an address-space limit cannot be set under AddressSanitizer\n";
#else
  // The address space is closed to what is in use while the page ends (and
  // while the surface and its painter go).
  std::unique_ptr<Graphics> g = print(dir.filePath("memory.pdf"), 20000);
  ASSERT_NE(g, nullptr);
  rlimit before{};
  getrlimit(RLIMIT_AS, &before);
  long pages = 0;
  std::ifstream("/proc/self/statm") >> pages;
  rlimit tight = before;
  tight.rlim_cur = static_cast<rlim_t>(pages) * sysconf(_SC_PAGESIZE);
  messages.reserve(messages.size() + 1);
  setrlimit(RLIMIT_AS, &tight);
  g.reset();
  setrlimit(RLIMIT_AS, &before);
  ASSERT_EQ(messages.size(), 3u);
  EXPECT_NE(messages[2].find("not enough memory"), std::string::npos) << messages[2];
  EXPECT_FALSE(QFile::exists(dir.filePath("memory.pdf")));
#endif
}

TEST_F(PrintingTest, PageSetupAnswersAndKeepsTheSettings) {
  PrinterSetup setup;
  const double width = setup.PageWidth(), height = setup.PageHeight();

  Answer(false);
  EXPECT_FALSE(setup.PageSetupDialog());
  Answer(true);
  EXPECT_TRUE(setup.PageSetupDialog());
  ASSERT_EQ(asked.size(), 2u);
  EXPECT_EQ(asked[1].kind, DialogKind::PageSetup);
  EXPECT_EQ(asked[1].setup, &setup);
  EXPECT_DOUBLE_EQ(setup.PageWidth(), width);
  EXPECT_DOUBLE_EQ(setup.PageHeight(), height);
}

TEST_F(PrintingTest, RealDialogsCancelledWithEscape) {
  PrinterSetup setup;
  const double width = setup.PageWidth();

  bool pressed = false;
  PressInModalDialog(Qt::Key_Escape, &pressed);
  EXPECT_FALSE(setup.PageSetupDialog());
  EXPECT_TRUE(pressed);
  EXPECT_DOUBLE_EQ(setup.PageWidth(), width);

  pressed = false;
  PressInModalDialog(Qt::Key_Escape, &pressed);
  EXPECT_EQ(OpenPrinterDialog(&setup), nullptr);
  EXPECT_TRUE(pressed);
}

TEST_F(PrintingTest, RealPrintDialogWithoutPrintersPrintsToAPdfFile) {
  if (!QPrinterInfo::availablePrinters().isEmpty())
    GTEST_SKIP() << "this machine has printers; confirming the dialog would print on paper";
  ASSERT_TRUE(dir.isValid());
  const QString pdf = dir.filePath("typed.pdf");
  // With no printer the dialog offers a PDF file: type its name, then Enter.
  bool done = false;
  WhenModalDialogShows(
      [&pdf](QWidget* dialog) {
        QLineEdit* file = nullptr;
        for (QLineEdit* edit : dialog->findChildren<QLineEdit*>())
          if (edit->isVisible() && edit->isEnabled()) file = edit;
        ASSERT_NE(file, nullptr) << "no output file field";
        file->setFocus();
        QTest::keyClick(file, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(file, pdf);
        QTest::keyClick(file, Qt::Key_Return);
      },
      &done);
  std::unique_ptr<Graphics> g = OpenPrinterDialog(nullptr);
  EXPECT_TRUE(done);
  ASSERT_NE(g, nullptr);
  g->DrawString("Time", 40, 60);
  g.reset();
  EXPECT_TRUE(ReadFile(pdf).startsWith("%PDF"));
}

TEST_F(PrintingTest, RealPageSetupConfirmedWithEnterKeepsTheSettings) {
  PrinterSetup setup;
  setup.impl().layout = QPageLayout(QPageSize(QPageSize::A5), QPageLayout::Portrait, QMarginsF(20, 20, 20, 20),
                                    QPageLayout::Point);
  setup.impl().confirmed = true;  // as after an earlier page setup
  bool pressed = false;
  PressInModalDialog(Qt::Key_Return, &pressed);
  EXPECT_TRUE(setup.PageSetupDialog());
  EXPECT_TRUE(pressed);
  EXPECT_NEAR(setup.PageWidth(), QPageSize(QPageSize::A5).size(QPageSize::Point).width(), 1.0);
}

}  // namespace
