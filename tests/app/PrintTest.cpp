// Page setup and printing from the File menu.
#include <gtest/gtest.h>

#include <QFile>
#include <QColor>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <array>
#include <iostream>
#include <string>

#include "AppFixture.h"
#include "diagram/DiagramState.h"
#include "toolkit/Controls.h"
#include "toolkit/QtAccess.h"

namespace {

class PrintTest : public AppFixture {
 protected:
  void SetUp() override {
    AppFixture::SetUp();
    ASSERT_TRUE(folder_.isValid());
  }
  std::string PdfPath(const char* name) const { return (folder_.path() + "/" + name).toStdString(); }

  // The four readouts, the readout group's caption and the four captions.
  std::array<std::string, 9> Readouts() {
    Window1& w = Main();
    return {w.TextField2()->Text(), w.TextField3()->Text(), w.TextField4()->Text(), w.TextField5()->Text(),
            w.GroupBox7()->Caption(), w.StaticText7()->Text(), w.StaticText8()->Text(), w.StaticText9()->Text(),
            w.StaticText10()->Text()};
  }
  void OverwriteReadouts() {
    Window1& w = Main();
    for (TextField* f : {w.TextField2(), w.TextField3(), w.TextField4(), w.TextField5()}) f->SetText("stale");
    w.GroupBox7()->SetCaption("stale");
    for (Label* l : {w.StaticText7(), w.StaticText8(), w.StaticText9(), w.StaticText10()}) l->SetText("stale");
  }

  // Picks a meeting point with the mouse and lets the canvas paint it.
  void PickMeetingPoint(int x, int y) {
    QWidget* canvas = WidgetOf(*Main().Canvas1());
    QTest::mouseClick(canvas, Qt::LeftButton, Qt::NoModifier, QPoint(x, y));
    canvas->repaint();
    Settle();
    ASSERT_TRUE(State().meetingPicked);
  }

  QTemporaryDir folder_;
};

TEST_F(PrintTest, PrintGetsThePageSetupOnceOneWasConfirmedAndForever) {
  ASSERT_NE(State().pageSetup, nullptr);
  PrinterSetup* setup = State().pageSetup.get();
  Choose("FilePrint");
  Answer(false);
  Choose("FilePageSetup");
  EXPECT_FALSE(State().hasPageSetup);
  Choose("FilePrint");
  Answer(true);
  Choose("FilePageSetup");
  EXPECT_TRUE(State().hasPageSetup);
  Choose("FilePrint");
  Answer(false);
  Choose("FilePageSetup");
  EXPECT_TRUE(State().hasPageSetup);
  Choose("FilePrint");

  const DialogKind print = DialogKind::Print, pageSetup = DialogKind::PageSetup;
  const DialogKind kinds[] = {print, pageSetup, print, pageSetup, print, pageSetup, print};
  PrinterSetup* setups[] = {nullptr, setup, nullptr, setup, setup, setup, setup};
  ASSERT_EQ(dialogs_.size(), 7u);
  for (size_t i = 0; i < dialogs_.size(); ++i) {
    EXPECT_EQ(dialogs_[i].kind, kinds[i]) << i;
    EXPECT_EQ(dialogs_[i].setup, setups[i]) << i;
  }
  EXPECT_EQ(State().pageSetup.get(), setup);

  // The actions answer False whatever the dialogs said.
  Answer(true);
  EXPECT_FALSE(Main()._FilePageSetup_Action());
  EXPECT_FALSE(Main()._FilePrint_Action());
}

TEST_F(PrintTest, ConfirmedPrintPutsTheDiagramOnThePage) {
  const std::string pdf = PdfPath("diagram.pdf");
  Answer(true, pdf);
  QApplication::setActiveWindow(WidgetOf(Main()));
  QTest::keyClick(WidgetOf(Main()), Qt::Key_P, Qt::ControlModifier);
  Settle();
  ASSERT_EQ(dialogs_.size(), 1u);
  EXPECT_EQ(dialogs_[0].kind, DialogKind::Print);
  ASSERT_TRUE(QFileInfo::exists(QString::fromStdString(pdf)));
  EXPECT_GT(QFileInfo(QString::fromStdString(pdf)).size(), 0);

  const QString pdftotext = QStandardPaths::findExecutable("pdftotext");
  if (pdftotext.isEmpty()) {
    std::cout << "[ SKIPPED  ] pdftotext is missing: the printed text is not checked\n";
    return;
  }
  QProcess run;
  run.start(pdftotext, {QString::fromStdString(pdf), "-"});
  ASSERT_TRUE(run.waitForFinished(30000));
  ASSERT_EQ(run.exitCode(), 0) << run.readAllStandardError().toStdString();
  const std::string text = run.readAllStandardOutput().toStdString();
  EXPECT_NE(text.find("Time"), std::string::npos) << text;
  EXPECT_NE(text.find("Space"), std::string::npos) << text;
  EXPECT_NE(text.find("10 ns"), std::string::npos) << text;
  // The labels nearest the top and bottom edges are on the page; those beyond
  // the canvas are not in it at all.
  EXPECT_NE(text.find("50 ns"), std::string::npos) << text;
  EXPECT_NE(text.find("-20 ns"), std::string::npos) << text;
  for (const char* hidden : {"60 ns", "-30 ns", "-70 ns"}) EXPECT_EQ(text.find(hidden), std::string::npos) << text;

  // The rendered page shows the black frame's axes crossing where the origin
  // lies on the canvas (300, 400 of 636 x 553), and nothing beyond the canvas.
  const QString pdftoppm = QStandardPaths::findExecutable("pdftoppm");
  if (pdftoppm.isEmpty()) {
    std::cout << "[ SKIPPED  ] pdftoppm is missing: the printed picture is not checked\n";
    return;
  }
  const QString png = folder_.path() + "/page";
  run.start(pdftoppm, {"-r", "72", "-png", "-singlefile", QString::fromStdString(pdf), png});
  ASSERT_TRUE(run.waitForFinished(30000));
  QImage page(png + ".png");
  ASSERT_FALSE(page.isNull());
  const auto dark = [&](int x, int y) {
    const QColor c = page.pixelColor(x, y);
    return c.red() < 100 && c.green() < 100 && c.blue() < 100;
  };
  // The column with the most dark pixels is the time axis, the row with the
  // most the space axis (the red axes cross them, so they are not one run).
  struct Run { int at = 0, from = 0, length = 0; };
  const auto longest = [&](bool columns) {
    Run best;
    int bestCount = 0;
    const int lines = columns ? page.width() : page.height(), steps = columns ? page.height() : page.width();
    for (int i = 0; i < lines; ++i) {
      int count = 0, first = -1, last = -1;
      for (int j = 0; j < steps; ++j) {
        if (columns ? dark(i, j) : dark(j, i)) {
          ++count;
          if (first < 0) first = j;
          last = j;
        }
      }
      if (count > bestCount) bestCount = count, best = {i, first, last - first + 1};
    }
    return best;
  };
  const Run timeAxis = longest(true), spaceAxis = longest(false);
  ASSERT_GT(timeAxis.length, 300);
  ASSERT_GT(spaceAxis.length, 300);
  // The axes span the canvas exactly: 553 and 636 pixels at one scale.
  EXPECT_NEAR(double(spaceAxis.length) / timeAxis.length, 636.0 / 553.0, 0.02);
  EXPECT_NEAR(double(timeAxis.at - spaceAxis.from) / spaceAxis.length, 300.0 / 636.0, 0.01);
  EXPECT_NEAR(double(spaceAxis.at - timeAxis.from) / timeAxis.length, 400.0 / 553.0, 0.01);
}

TEST_F(PrintTest, CancelledPrintDrawsNothingWhileAConfirmedOneRewritesTheReadouts) {
  PickMeetingPoint(450, 250);
  const std::array<std::string, 9> onScreen = Readouts();
  ASSERT_FALSE(onScreen[0].empty());

  OverwriteReadouts();
  const std::string cancelledPdf = PdfPath("cancelled.pdf");
  Answer(false, cancelledPdf);
  Choose("FilePrint");
  EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(cancelledPdf)));
  for (const std::string& r : Readouts()) EXPECT_EQ(r, "stale");

  const std::string pdf = PdfPath("meeting.pdf");
  Answer(true, pdf);
  Choose("FilePrint");
  EXPECT_TRUE(QFileInfo::exists(QString::fromStdString(pdf)));
  EXPECT_EQ(Readouts(), onScreen);
  EXPECT_TRUE(State().meetingPicked);
}

}  // namespace
