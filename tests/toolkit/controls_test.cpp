// Controls: their class records, placement in window coordinates inside
// containers, containers' Enabled and Visible, record order of sliders, label
// text and fonts, and the names a window knows its controls by.
#include <QApplication>
#include <QFontInfo>
#include <QLabel>
#include <QSlider>

#include <tuple>

#include "widget_harness.h"

using namespace widgettest;

namespace {

class ControlsTest : public WidgetTest {};

// The declared type decides how a record's bytes are read: a wrong one would
// misread every entry after it.
TEST(ControlClassesTest, DeclareTheRecordsPropertiesWithTheirEncodedTypes) {
  using T = PropType;
  ASSERT_NE(RectControl::Class().Super(), nullptr);
  EXPECT_EQ(RectControl::Class().Super()->Name(), "Object");
  const std::vector<std::tuple<const ClassInfo*, const char*, PropType>> expected = {
      {&Slider::Class(), "InitialParent", T::String}, {&Slider::Class(), "Index", T::Int32},
      {&Slider::Class(), "Value", T::Int32},          {&Rectangle::Class(), "BorderThickness", T::Double},
      {&Rectangle::Class(), "FillColor", T::Color},   {&Label::Class(), "Value", T::String},
      {&Label::Class(), "FontSize", T::Single},       {&Label::Class(), "FontUnit", T::UInt8},
      {&RadioButton::Class(), "Value", T::Boolean},   {&CheckBox::Class(), "VisualState", T::Int32},
      {&TextField::Class(), "BackgroundColor", T::Color}, {&PushButton::Class(), "MacButtonStyle", T::Int32},
      {&Canvas::Class(), "DoubleBuffer", T::Boolean}, {&GroupBox::Class(), "Caption", T::String}};
  for (const auto& [cls, name, type] : expected) {
    const PropertyDecl* decl = cls->FindProperty(name);
    ASSERT_NE(decl, nullptr) << cls->Name() << "." << name;
    EXPECT_EQ(decl->type, type) << cls->Name() << "." << name;
    EXPECT_EQ(cls->Super(), &RectControl::Class());
  }
  EXPECT_EQ(Rectangle::Class().FindProperty("FontSize"), nullptr);
}

TEST_F(ControlsTest, ContainersHoldTheirControlsAtWindowCoordinates) {
  GroupBox* group = nullptr;
  RadioButton* radio = nullptr;
  Rectangle* frame = nullptr;
  Canvas* canvas = nullptr;
  Open([&](ProbeWindow& w) {
    frame = Make<Rectangle>(w, "Rectangle1", Placed("", 20, 20, 163, 183));
    canvas = Make<Canvas>(w, "Canvas1", Placed("Rectangle1", 33, 35, 136, 153));
    group = Make<GroupBox>(w, "GroupBox1", Placed("", 203, 19, 171, 48).String("Caption", "we think with"));
    radio = Make<RadioButton>(w, "RadioButton1", Placed("GroupBox1", 217, 42, 61, 20).String("Caption", "black"));
  });
  EXPECT_EQ(WidgetOf(*canvas)->parentWidget(), WidgetOf(*frame));
  EXPECT_EQ(WidgetOf(*canvas)->geometry(), QRect(13, 15, 136, 153));
  EXPECT_EQ(WidgetOf(*radio)->parentWidget(), WidgetOf(*group));
  EXPECT_EQ(WidgetOf(*radio)->pos(), QPoint(14, 23));
  EXPECT_EQ(WidgetOf(*radio)->mapTo(WidgetOf(*group)->parentWidget(), QPoint(0, 0)), QPoint(217, 42));
  EXPECT_EQ(radio->Left(), 217);
  EXPECT_EQ(radio->Top(), 42);
  EXPECT_EQ(radio->Parent(), group);
  EXPECT_EQ(radio->InitialParent(), "GroupBox1");

  radio->SetLeft(230);  // still window coordinates
  EXPECT_EQ(WidgetOf(*radio)->pos(), QPoint(27, 23));
  group->SetLeft(213);  // the contents move with their container
  EXPECT_EQ(radio->Left(), 240);
  EXPECT_EQ(WidgetOf(*radio)->pos(), QPoint(27, 23));
  canvas->SetWidth(-5);
  EXPECT_EQ(canvas->Width(), 0);
}

TEST_F(ControlsTest, AContainersEnabledAndVisibleReachItsContents) {
  GroupBox* group = nullptr;
  TextField *field = nullptr, *readout = nullptr;
  Open([&](ProbeWindow& w) {
    group = Make<GroupBox>(w, "Readouts", Placed("", 10, 10, 300, 100).String("Caption", "black says"));
    field = Make<TextField>(w, "Field", Placed("Readouts", 20, 40, 100, 22).Boolean("Enabled", true));
    readout = Make<TextField>(w, "Readout", Placed("Readouts", 20, 70, 100, 22).Boolean("Enabled", false));
  });
  QWidget* edit = WidgetOf(*field);
  group->SetEnabled(false);
  EXPECT_FALSE(edit->isEnabled());
  EXPECT_TRUE(field->Enabled()) << "the field's own flag is unchanged";
  group->SetEnabled(true);
  EXPECT_TRUE(edit->isEnabled());
  group->SetVisible(false);
  EXPECT_FALSE(edit->isVisible());
  group->SetVisible(true);
  EXPECT_TRUE(edit->isVisible());
  field->SetEnabled(false);
  EXPECT_FALSE(edit->isEnabled());
  EXPECT_FALSE(WidgetOf(*readout)->isEnabled());
}

TEST_F(ControlsTest, InitialParentMustNameAnEarlierControlOfTheWindow) {
  ProbeWindow* w = Open([](ProbeWindow&) {});
  Make<GroupBox>(*w, "Group", Placed("", 10, 10, 100, 100));
  EXPECT_THROW(Make<Label>(*w, "Lost", Placed("NoSuchGroup", 20, 20, 50, 20)), ToolkitException);
  auto* first = w->_New<Label>();
  w->_AddControl(first, "First");
  auto* later = w->_New<GroupBox>();
  w->_AddControl(later, "Later");
  EXPECT_THROW(ApplyPropertyBlob(*first, Placed("Later", 20, 20, 50, 20).Bytes()), ToolkitException);
  EXPECT_THROW(w->_AddControl(w->_New<Label>(), "Group"), ToolkitException) << "names are unique";
  EXPECT_THROW(w->_AddControl(nullptr, "Nil"), NilObjectException);
}

TEST_F(ControlsTest, SliderRecordsSettleOnlyOnceAllEntriesAreIn) {
  Slider *time = nullptr, *speed = nullptr, *odd = nullptr;
  Open([&](ProbeWindow& w) {
    // Value comes before the bounds, as in the program's records.
    time = Make<Slider>(w, "TimeSlider",
                        Placed("", 12, 54, 244, 16)
                            .Boolean("AllowLiveScrolling", true)
                            .Int32("Value", 572)
                            .Int32("MinimumValue", 0)
                            .Int32("MaximumValue", 1000)
                            .Int32("LineStep", 1)
                            .Int32("PageStep", 24)
                            .Int32("TickMarkStyle", 0));
    speed = Make<Slider>(w, "SpeedSlider",
                         Placed("", 12, 100, 131, 16).Int32("Value", 32).Int32("MinimumValue", 1).Int32("MaximumValue", 39));
    odd = Make<Slider>(w, "Odd",
                       Placed("", 12, 140, 131, 16).Int32("Value", -50).Int32("MinimumValue", 5).Int32("MaximumValue", 2));
  });
  EXPECT_EQ(time->Value(), 572);
  EXPECT_EQ(time->MaximumValue(), 1000);
  EXPECT_EQ(time->PageStep(), 24);
  auto* qtime = static_cast<QSlider*>(WidgetOf(*time));
  EXPECT_EQ(qtime->value(), 572);
  EXPECT_EQ(qtime->maximum(), 1000);
  EXPECT_EQ(qtime->pageStep(), 24);
  EXPECT_EQ(speed->Value(), 32);
  EXPECT_EQ(speed->MinimumValue(), 1);
  // Crossed bounds settle to one legal value.
  EXPECT_EQ(odd->MinimumValue(), 5);
  EXPECT_EQ(odd->MaximumValue(), 5);
  EXPECT_EQ(odd->Value(), 5);

  // Outside a record the value always stays within the bounds.
  speed->SetMaximumValue(20);
  EXPECT_EQ(speed->Value(), 20);
  speed->SetMinimumValue(30);
  EXPECT_EQ(speed->Value(), 30);
  EXPECT_EQ(speed->MaximumValue(), 30);
  speed->SetMaximumValue(39);
  speed->SetValue(INT32_MAX);
  EXPECT_EQ(speed->Value(), 39);
}

TEST_F(ControlsTest, LabelsShowCarriageReturnsAsLineBreaksAndTextAsIs) {
  Label* about = nullptr;
  Open([&](ProbeWindow& w) {
    about = Make<Label>(w, "About",
                        Placed("", 10, 10, 200, 90).Boolean("Multiline", true).String("Value", "32 bit\rcreated\r\rpelwick"));
  });
  auto* label = static_cast<QLabel*>(WidgetOf(*about));
  EXPECT_EQ(label->text(), QString("32 bit\ncreated\n\npelwick"));
  EXPECT_EQ(about->Text(), "32 bit\rcreated\r\rpelwick");
  about->SetText("a\r\nb <b>c</b> & d");
  EXPECT_EQ(label->text(), QString("a\nb <b>c</b> & d"));
  EXPECT_EQ(label->textFormat(), Qt::PlainText);
}

TEST_F(ControlsTest, FontsFollowNameSizeAndStyle) {
  Label *plain = nullptr, *link = nullptr;
  Open([&](ProbeWindow& w) {
    plain = Make<Label>(w, "Plain",
                        Placed("", 10, 10, 100, 20).String("FontName", "System").Single("FontSize", 0.0f).UInt8("FontUnit", 0));
    link = Make<Label>(w, "Link",
                       Placed("", 10, 40, 100, 27)
                           .String("FontName", "Arial")
                           .Single("FontSize", 12.0f)
                           .Boolean("Underline", true)
                           .Color("TextColor", 0x00004080));
  });
  // "System" at size 0 is one face and size, not the desktop's font.
  EXPECT_EQ(QFontInfo(WidgetOf(*plain)->font()).family(), QString("DejaVu Sans"));
  EXPECT_EQ(QFontInfo(WidgetOf(*plain)->font()).pixelSize(), 12);
  const QFont linkFont = WidgetOf(*link)->font();
  EXPECT_EQ(linkFont.family(), QString("Arial"));
  EXPECT_EQ(linkFont.pixelSize(), 12);
  EXPECT_TRUE(linkFont.underline());
  EXPECT_TRUE(link->Underline());
  EXPECT_EQ(link->FontName(), "Arial");
  EXPECT_EQ(link->TextColor(), (Color{0, 0x40, 0x80, 0}));
  EXPECT_EQ(WidgetOf(*link)->palette().color(QPalette::Active, QPalette::WindowText), QColor(0, 0x40, 0x80));
}

TEST_F(ControlsTest, RectanglesAndCanvasesPaintTheirOwnParts) {
  Rectangle* frame = nullptr;
  Canvas* canvas = nullptr;
  auto picture = std::make_shared<Picture>(20, 20);
  picture->Fill(Color{200, 0, 0, 0});
  Open([&](ProbeWindow& w) {
    frame = Make<Rectangle>(w, "R", Placed("", 0, 0, 50, 50).Color("FillColor", 0x00FFFFFF).Double("BorderThickness", 1.0));
    canvas = Make<Canvas>(w, "Canvas1", Placed("", 60, 0, 40, 40));
    canvas->SetBackdrop(picture);
  });
  // The white panel with its black frame.
  const QImage panel = WidgetOf(*frame)->grab().toImage();
  EXPECT_EQ(QColor(panel.pixel(25, 25)), QColor(Qt::white));
  EXPECT_EQ(QColor(panel.pixel(0, 25)), QColor(Qt::black));
  EXPECT_EQ(QColor(panel.pixel(49, 25)), QColor(Qt::black));
  EXPECT_EQ(QColor(WidgetOf(*canvas)->grab().toImage().pixel(10, 10)), QColor(200, 0, 0));
  canvas->SetBackdrop(nullptr);
  EXPECT_NE(QColor(WidgetOf(*canvas)->grab().toImage().pixel(10, 10)), QColor(200, 0, 0));
}

}  // namespace
