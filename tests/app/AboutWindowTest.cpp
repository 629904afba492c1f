// The about window: one instance, its layout, its picture and its links.
#include <gtest/gtest.h>

#include <QApplication>
#include <QEnterEvent>
#include <QFile>
#include <QFontMetrics>
#include <QLabel>
#include <QMainWindow>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <string>

#include "AppFixture.h"
#include "toolkit/Controls.h"
#include "toolkit/Graphics.h"
#include "toolkit/QtAccess.h"
#include "toolkit/Runtime.h"
#include "windows/Window2.h"

namespace {

const char kWebURL[] = "https://example.org/";
const char kMailURL[] = "mailto:author@example.org";

class AboutWindowTest : public AppFixture {
 protected:
  void SetUp() override {
    AppFixture::SetUp();
    picture_ = QString::fromStdString(ResourcesFolder()) + "/Odra2020.jpg";
    ASSERT_TRUE(QFile::exists(picture_)) << picture_.toStdString();
    ASSERT_TRUE(folder_.isValid());
    SetResourcesFolderForTesting(folder_.path().toStdString());
  }

  QString PictureInFolder() const { return folder_.path() + "/Odra2020.jpg"; }
  void CopyPictureIntoFolder() { ASSERT_TRUE(QFile::copy(picture_, PictureInFolder())); }

  // Closes the about window as its close button would, and lets the toolkit
  // dispose of it.
  void CloseAbout() {
    ASSERT_NE(About(), nullptr);
    WidgetOf(*About())->close();
    Settle();
    ASSERT_EQ(About(), nullptr);
  }

  int VisibleAboutWindows() const {
    int n = 0;
    for (QWidget* w : QApplication::topLevelWidgets()) {
      if (w->isVisible() && w->windowTitle() == "about Kestrane") ++n;
    }
    return n;
  }

  QString picture_;
  QTemporaryDir folder_;
};

TEST_F(AboutWindowTest, ChoosingAboutTwiceShowsOneWindow) {
  CopyPictureIntoFolder();
  EXPECT_EQ(About(), nullptr);
  Choose("aboutItem");
  Window2* first = About();
  ASSERT_NE(first, nullptr);
  EXPECT_TRUE(first->IsOpen());
  Choose("aboutItem");
  EXPECT_EQ(About(), first);
  EXPECT_EQ(VisibleAboutWindows(), 1);

  EXPECT_FALSE(Main()._aboutItem_Action());
  EXPECT_EQ(About(), first);
}

TEST_F(AboutWindowTest, WindowIsFixedInSizeWithItsTextsAndPicture) {
  CopyPictureIntoFolder();
  Choose("aboutItem");
  Window2* about = About();
  ASSERT_NE(about, nullptr);
  EXPECT_EQ(about->Title(), "about Kestrane");
  QWidget* client = ClientAreaOf(*about);
  EXPECT_EQ(client->size(), QSize(545, 328));
  EXPECT_EQ(client->minimumSize(), client->maximumSize());
  const Qt::WindowFlags flags = WidgetOf(*about)->windowFlags();
  EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
  EXPECT_FALSE(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint | Qt::WindowFullscreenButtonHint));

  const std::vector<RectControl*> controls = about->Controls();
  EXPECT_EQ(controls, (std::vector<RectControl*>{about->Rectangle1(), about->StaticText1(), about->StaticText2(),
                                                 about->Canvas1()}));
  EXPECT_EQ(about->StaticText1()->Parent(), about->Rectangle1());
  EXPECT_EQ(about->StaticText2()->Parent(), about->Rectangle1());
  EXPECT_EQ(about->Canvas1()->Parent(), nullptr);

  EXPECT_EQ(about->StaticText1()->Text(), "32 bit version 1.5    for OS X\rcreated with Qt  Jan 2020\r\rpelwick");
  EXPECT_EQ(about->StaticText1()->FontName(), "Arial");
  EXPECT_FLOAT_EQ(about->StaticText1()->FontSize(), 12.0f);
  // Four lines on screen: none is wider than the label, so none wraps.
  const QLabel* text = qobject_cast<const QLabel*>(WidgetOf(*about->StaticText1()));
  ASSERT_NE(text, nullptr);
  const QFontMetrics metrics(text->font());
  for (const QString& line : QString::fromStdString(about->StaticText1()->Text()).split('\r')) {
    EXPECT_LE(metrics.horizontalAdvance(line), text->contentsRect().width()) << line.toStdString();
  }
  const Label& link = *about->StaticText2();
  EXPECT_EQ(link.Text(), "example.org");
  EXPECT_TRUE(link.Underline());
  EXPECT_EQ(link.TextColor().ToUInt32(), 0x00004080u);

  ASSERT_NE(about->Canvas1()->Backdrop(), nullptr);
  EXPECT_EQ(about->Canvas1()->Backdrop(), AboutPicture());
}

TEST_F(AboutWindowTest, ReopeningAfterCloseBuildsANewWindowWithoutReadingThePictureAgain) {
  CopyPictureIntoFolder();
  Choose("aboutItem");
  std::shared_ptr<Picture> loaded = About()->Canvas1()->Backdrop();
  ASSERT_NE(loaded, nullptr);
  // Any further read of the file would now fail.
  ASSERT_TRUE(QFile::remove(PictureInFolder()));

  CloseAbout();
  // Closing the about window leaves the application running.
  EXPECT_TRUE(Main().IsOpen());
  Choose("aboutItem");
  Window2* second = About();
  ASSERT_NE(second, nullptr);
  EXPECT_TRUE(second->IsOpen());
  EXPECT_EQ(VisibleAboutWindows(), 1);
  EXPECT_EQ(second->Canvas1()->Backdrop(), loaded);
}

TEST_F(AboutWindowTest, MissingPictureLeavesAnEmptyCanvasAndIsTriedAgainLater) {
  Choose("aboutItem");
  Window2* about = About();
  ASSERT_NE(about, nullptr);
  EXPECT_EQ(about->Canvas1()->Backdrop(), nullptr);
  EXPECT_EQ(AboutPicture(), nullptr);
  // The empty canvas paints without trouble.
  WidgetOf(*about->Canvas1())->repaint();
  Settle();

  CopyPictureIntoFolder();
  CloseAbout();
  Choose("aboutItem");
  ASSERT_NE(About(), nullptr);
  EXPECT_NE(About()->Canvas1()->Backdrop(), nullptr);
}

TEST_F(AboutWindowTest, LinksOpenOnPressInsideEvenWhenReleasedOutside) {
  CopyPictureIntoFolder();
  Choose("aboutItem");
  Window2* about = About();
  ASSERT_NE(about, nullptr);
  QWidget* link = WidgetOf(*about->StaticText2());
  QWidget* picture = WidgetOf(*about->Canvas1());

  QTest::mousePress(link, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
  EXPECT_TRUE(urls_.empty());
  QTest::mouseRelease(link, Qt::LeftButton, Qt::NoModifier, QPoint(-40, 300));
  EXPECT_EQ(urls_, (std::vector<std::string>{kWebURL}));

  QTest::mousePress(picture, Qt::LeftButton, Qt::NoModifier, QPoint(100, 100));
  QTest::mouseRelease(picture, Qt::LeftButton, Qt::NoModifier, QPoint(400, -30));
  EXPECT_EQ(urls_, (std::vector<std::string>{kWebURL, kMailURL}));

  // A click inside works as well; one elsewhere on the window opens nothing.
  QTest::mouseClick(link, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
  QTest::mouseClick(ClientAreaOf(*about), Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
  QTest::mouseClick(WidgetOf(*about->StaticText1()), Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
  EXPECT_EQ(urls_, (std::vector<std::string>{kWebURL, kMailURL, kWebURL}));
}

TEST_F(AboutWindowTest, ClosingTheWindowDuringAPressOnALinkOpensNothing) {
  CopyPictureIntoFolder();
  for (const char* name : {"StaticText2", "Canvas1"}) {
    Choose("aboutItem");
    ASSERT_NE(About(), nullptr);
    QTest::mousePress(WidgetOf(*About()->_ControlByName(name)), Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
    CloseAbout();
    QTest::mouseRelease(ClientAreaOf(Main()), Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
  }
  EXPECT_TRUE(urls_.empty());
}

// The pointer entering and leaving a widget, as the window system reports it.
void Enter(QWidget* w) {
  const QPointF local(w->width() / 2.0, w->height() / 2.0);
  QEnterEvent enter(local, local, w->mapToGlobal(local));
  QApplication::sendEvent(w, &enter);
}
void Leave(QWidget* w) {
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(w, &leave);
}

TEST_F(AboutWindowTest, PointerShowsTheFingerOverEitherLink) {
  CopyPictureIntoFolder();
  Choose("aboutItem");
  Window2* about = About();
  ASSERT_NE(about, nullptr);
  const _Cursors& cursors = GetCursors();

  for (RectControl* control : {static_cast<RectControl*>(about->StaticText2()),
                               static_cast<RectControl*>(about->Canvas1())}) {
    SCOPED_TRACE(control->Name());
    QWidget* w = WidgetOf(*control);
    Enter(w);
    EXPECT_EQ(control->GetMouseCursor(), cursors.FingerPointer);
    EXPECT_EQ(w->cursor().shape(), Qt::PointingHandCursor);
    Leave(w);
    EXPECT_EQ(control->GetMouseCursor(), cursors.StandardPointer);
    EXPECT_EQ(w->cursor().shape(), Qt::ArrowCursor);
    // Back in again after leaving.
    Enter(w);
    EXPECT_EQ(control->GetMouseCursor(), cursors.FingerPointer);
  }
  // The about text has no such behaviour.
  Enter(WidgetOf(*about->StaticText1()));
  EXPECT_NE(about->StaticText1()->GetMouseCursor(), cursors.FingerPointer);
}

}  // namespace
