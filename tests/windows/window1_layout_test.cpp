// The main window as built: its own record, the 44 controls with their
// records, the accessors, the bindings, the order of building, and its texts
// on a dark desktop with a large font.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <iterator>
#include <limits>
#include <map>
#include <set>
#include <string>

#include <QStyle>
#include <QStyleOption>

#include "MainWindowFixture.h"
#include "toolkit/PropertyRecord.h"
#include "windows/Window1Records.h"

namespace {

using Entries = std::vector<std::pair<std::string, PropertyValue>>;

struct Expected {
  const char* name;
  const ClassInfo& (*cls)();
  const char* parent;
  int32_t left, top, width, height, tab;
  const char* text;
};

// The controls in creation order, as the window must show them.
const Expected kControls[] = {
    {"Rectangle1", &Rectangle::Class, "", 20, 20, 663, 583, 0, nullptr},
    {"Canvas1", &Canvas::Class, "Rectangle1", 33, 35, 636, 553, 0, nullptr},
    {"GroupBox1", &GroupBox::Class, "", 703, 19, 171, 48, 0, "we think with"},
    {"RadioButton1", &RadioButton::Class, "GroupBox1", 717, 42, 61, 20, 0, "black"},
    {"RadioButton2", &RadioButton::Class, "GroupBox1", 796, 42, 46, 20, 1, "red"},
    {"GroupBox2", &GroupBox::Class, "", 703, 79, 171, 84, 1, "relative speed"},
    {"StaticText1", &Label::Class, "GroupBox2", 732, 108, 32, 20, 1, "v/c"},
    {"SpeedSlider", &Slider::Class, "GroupBox2", 719, 138, 131, 16, 2, nullptr},
    {"TextField1", &TextField::Class, "GroupBox2", 762, 107, 80, 22, 3, "0.6"},
    {"GroupBox3", &GroupBox::Class, "", 703, 173, 171, 60, 2, "units"},
    {"UnitSlider", &Slider::Class, "GroupBox3", 719, 208, 131, 16, 0, nullptr},
    {"GroupBox4", &GroupBox::Class, "", 703, 257, 171, 162, 3, "black object"},
    {"StaticText2", &Label::Class, "GroupBox4", 719, 281, 56, 20, 0, "Position"},
    {"BlackPosSlider", &Slider::Class, "GroupBox4", 787, 288, 63, 16, 1, nullptr},
    {"StaticText4", &Label::Class, "GroupBox4", 719, 309, 45, 20, 2, "Length"},
    {"BlackLengthSlider", &Slider::Class, "GroupBox4", 776, 321, 84, 16, 3, nullptr},
    {"CheckBox1", &CheckBox::Class, "GroupBox4", 719, 339, 100, 20, 4, "is visible"},
    {"CheckBox2", &CheckBox::Class, "GroupBox4", 719, 364, 100, 20, 5, "has Trace"},
    {"CheckBox3", &CheckBox::Class, "GroupBox4", 719, 390, 100, 20, 6, "has Shadow"},
    {"GroupBox5", &GroupBox::Class, "", 703, 441, 171, 162, 4, "red object"},
    {"StaticText3", &Label::Class, "GroupBox5", 719, 465, 56, 20, 0, "Position"},
    {"RedPosSlider", &Slider::Class, "GroupBox5", 787, 473, 63, 16, 1, nullptr},
    {"StaticText5", &Label::Class, "GroupBox5", 719, 489, 45, 20, 2, "Length"},
    {"RedLengthSlider", &Slider::Class, "GroupBox5", 776, 499, 84, 16, 3, nullptr},
    {"CheckBox4", &CheckBox::Class, "GroupBox5", 719, 523, 100, 20, 4, "is visible"},
    {"CheckBox5", &CheckBox::Class, "GroupBox5", 719, 575, 100, 20, 5, "has Shadow"},
    {"CheckBox6", &CheckBox::Class, "GroupBox5", 719, 549, 100, 20, 6, "has Trace"},
    {"GroupBox6", &GroupBox::Class, "", 596, 618, 278, 98, 5, "the time"},
    {"TimeSlider", &Slider::Class, "GroupBox6", 612, 654, 244, 16, 0, nullptr},
    {"PushButton1", &PushButton::Class, "GroupBox6", 612, 677, 59, 20, 1, "back"},
    {"PushButton2", &PushButton::Class, "GroupBox6", 797, 677, 59, 20, 2, "ahead"},
    {"Label1", &Label::Class, "GroupBox6", 707, 677, 65, 20, 3, " 10 ns"},
    {"GroupBox7", &GroupBox::Class, "", 26, 618, 521, 167, 6, "black says"},
    {"StaticText7", &Label::Class, "GroupBox7", 38, 648, 301, 20, 0, "all my clocks read then"},
    {"StaticText8", &Label::Class, "GroupBox7", 38, 673, 221, 20, 1, "my event position"},
    {"StaticText9", &Label::Class, "GroupBox7", 38, 698, 261, 20, 2, "that red clock there reads"},
    {"StaticText10", &Label::Class, "GroupBox7", 38, 723, 282, 20, 3, "red's event position"},
    {"StaticText11", &Label::Class, "GroupBox7", 38, 758, 344, 19, 8,
     "RP  equals  SQ  according to Kestrane's myth !!"},
    {"TextField2", &TextField::Class, "GroupBox7", 406, 647, 99, 22, 9, ""},
    {"TextField3", &TextField::Class, "GroupBox7", 406, 672, 98, 22, 10, ""},
    {"TextField4", &TextField::Class, "GroupBox7", 406, 697, 98, 22, 11, ""},
    {"TextField5", &TextField::Class, "GroupBox7", 406, 722, 99, 22, 12, ""},
    {"PushButton4", &PushButton::Class, "GroupBox7", 428, 755, 59, 20, 13, "clear"},
    {"PushButton3", &PushButton::Class, "", 782, 764, 78, 21, 7, "Quit"},
};

std::string TextOf(RectControl* c) {
  if (auto* x = dynamic_cast<GroupBox*>(c)) return x->Caption();
  if (auto* x = dynamic_cast<RadioButton*>(c)) return x->Caption();
  if (auto* x = dynamic_cast<CheckBox*>(c)) return x->Caption();
  if (auto* x = dynamic_cast<PushButton*>(c)) return x->Caption();
  if (auto* x = dynamic_cast<Label*>(c)) return x->Text();
  if (auto* x = dynamic_cast<TextField*>(c)) return x->Text();
  return "";
}

std::map<std::string, PropertyValue> ByName(const Entries& entries) {
  std::map<std::string, PropertyValue> m;
  for (const auto& [name, value] : entries) {
    EXPECT_TRUE(m.emplace(name, value).second) << "entry twice: " << name;
  }
  return m;
}

size_t PositionOf(const Entries& entries, const std::string& name) {
  for (size_t i = 0; i < entries.size(); ++i) {
    if (entries[i].first == name) return i;
  }
  return entries.size();
}

}  // namespace

TEST(Window1Record, WindowRecordHoldsItsTwentyTwoEntriesInOrder) {
  const std::string& rec = Window1::LayoutRecord();
  const Entries entries = DecodePropertyRecord(Window::Class(), rec);
  const std::vector<std::string> names = {
      "Width", "Height", "MinimumWidth", "MinimumHeight", "MaximumWidth", "MaximumHeight",
      "Type", "Title", "HasCloseButton", "HasMaximizeButton", "HasMinimizeButton",
      "HasFullScreenButton", "Resizeable", "Composite", "MacProcID", "FullScreen",
      "DefaultLocation", "Visible", "HasBackgroundColor", "BackgroundColor", "MenuBarVisible",
      "LiveResize"};
  ASSERT_EQ(entries.size(), names.size());
  for (size_t i = 0; i < names.size(); ++i) EXPECT_EQ(entries[i].first, names[i]) << i;

  // Stored forms: Int32 little-endian, String with its byte count, a final
  // Boolean as the record's last byte, white as FF FF FF 00.
  EXPECT_EQ(rec.substr(0, 10), std::string("Width \x7E\x03\x00\x00", 10));
  EXPECT_NE(rec.find(std::string("Title \x10\x00\x00\x00Kestrane Diagram", 26)), std::string::npos);
  EXPECT_NE(rec.find(std::string("BackgroundColor \xFF\xFF\xFF\x00", 20)), std::string::npos);
  EXPECT_EQ(rec.substr(rec.size() - 12), std::string("LiveResize \x01", 12));
}

TEST_F(MainWindowFixture, WindowTakesTheValuesOfItsRecord) {
  Window& w = W();
  EXPECT_EQ(w.Width(), 894);
  EXPECT_EQ(w.Height(), 813);
  EXPECT_EQ(w.MinimumWidth(), 64);
  EXPECT_EQ(w.MinimumHeight(), 64);
  EXPECT_EQ(w.MaximumWidth(), 32000);
  EXPECT_EQ(w.MaximumHeight(), 32000);
  EXPECT_EQ(w.Type(), 0);
  EXPECT_EQ(w.Title(), "Kestrane Diagram");
  EXPECT_TRUE(w.HasCloseButton());
  EXPECT_FALSE(w.HasMaximizeButton());
  EXPECT_TRUE(w.HasMinimizeButton());
  EXPECT_FALSE(w.HasFullScreenButton());
  EXPECT_FALSE(w.Resizeable());
  EXPECT_TRUE(w.Composite());
  EXPECT_EQ(w.MacProcID(), 0);
  EXPECT_FALSE(w.FullScreen());
  EXPECT_EQ(w.DefaultLocation(), 2);
  EXPECT_TRUE(w.Visible());
  EXPECT_FALSE(w.HasBackgroundColor());
  EXPECT_EQ(w.BackgroundColor(), Color::FromUInt32(0x00FFFFFF));
  EXPECT_TRUE(w.MenuBarVisible());
  EXPECT_TRUE(w.LiveResize());
  EXPECT_TRUE(w.IsEventImplemented("Open"));
  EXPECT_TRUE(w.IsEventImplemented("Close"));
  EXPECT_FALSE(w.IsEventImplemented("Paint"));
}

TEST_F(MainWindowFixture, BuildsTheFortyFourControlsInOrderWithTheirProperties) {
  const std::vector<RectControl*> controls = W().Controls();
  ASSERT_EQ(controls.size(), std::size(kControls));
  for (size_t i = 0; i < controls.size(); ++i) {
    const Expected& e = kControls[i];
    SCOPED_TRACE(e.name);
    RectControl* c = controls[i];
    EXPECT_EQ(c->Name(), e.name);
    EXPECT_EQ(W()._ControlByName(e.name), c);
    EXPECT_EQ(&c->GetClassInfo(), &e.cls());
    EXPECT_EQ(c->Parent() ? c->Parent()->Name() : std::string(), e.parent);
    EXPECT_EQ(c->Left(), e.left);
    EXPECT_EQ(c->Top(), e.top);
    EXPECT_EQ(c->Width(), e.width);
    EXPECT_EQ(c->Height(), e.height);
    EXPECT_EQ(c->TabIndex(), e.tab);
    EXPECT_EQ(c->Index(), std::numeric_limits<int32_t>::min());
    EXPECT_TRUE(c->Visible());
    if (e.text) {
      EXPECT_EQ(TextOf(c), e.text);
    }
  }
}

TEST_F(MainWindowFixture, StartsInTheStateTheHandlersExpect) {
  Window1& w = W();
  EXPECT_TRUE(w.RadioButton1()->Value());
  EXPECT_FALSE(w.RadioButton2()->Value());
  for (CheckBox* box : {w.CheckBox1(), w.CheckBox2(), w.CheckBox3(), w.CheckBox4(), w.CheckBox5(), w.CheckBox6()})
    EXPECT_FALSE(box->Value()) << box->Name();
  EXPECT_EQ(w.TextField1()->Text(), "0.6");
  EXPECT_TRUE(w.TextField1()->Enabled());
  for (TextField* f : {w.TextField2(), w.TextField3(), w.TextField4(), w.TextField5()}) {
    EXPECT_EQ(f->Text(), "") << f->Name();
    EXPECT_FALSE(f->Enabled()) << f->Name();
  }
  EXPECT_TRUE(w.GroupBox7()->Enabled());
  EXPECT_TRUE(w.GroupBox7()->Visible());
  EXPECT_EQ(w.GroupBox7()->Caption(), "black says");
  EXPECT_EQ(w.Label1()->Text(), " 10 ns");
  EXPECT_EQ(w.StaticText11()->Text(), "RP  equals  SQ  according to Kestrane's myth !!");

  struct SliderRow {
    Slider* s;
    int32_t min, max, value, line, page, tick;
  };
  for (const SliderRow& r : {SliderRow{w.SpeedSlider(), 1, 39, 32, 1, 1, 0},
                             SliderRow{w.UnitSlider(), 0, 9, 3, 1, 1, 2},
                             SliderRow{w.BlackPosSlider(), 0, 2, 2, 1, 1, 2},
                             SliderRow{w.BlackLengthSlider(), 1, 13, 6, 1, 1, 2},
                             SliderRow{w.RedPosSlider(), 0, 2, 0, 1, 1, 2},
                             SliderRow{w.RedLengthSlider(), 1, 13, 6, 1, 1, 2},
                             SliderRow{w.TimeSlider(), 0, 1000, 572, 1, 24, 0}}) {
    SCOPED_TRACE(r.s->Name());
    EXPECT_EQ(r.s->MinimumValue(), r.min);
    EXPECT_EQ(r.s->MaximumValue(), r.max);
    EXPECT_EQ(r.s->Value(), r.value);
    EXPECT_EQ(r.s->LineStep(), r.line);
    EXPECT_EQ(r.s->PageStep(), r.page);
    EXPECT_EQ(r.s->TickMarkStyle(), r.tick);
    EXPECT_TRUE(r.s->AllowLiveScrolling());
  }

  // The accessors reach the controls of their names, typed by class.
  EXPECT_EQ(w.Canvas1()->Parent(), w.Rectangle1());
  EXPECT_EQ(w.CheckBox5()->Caption(), "has Shadow");
  EXPECT_EQ(w.CheckBox6()->Caption(), "has Trace");
  EXPECT_EQ(w.PushButton3()->Caption(), "Quit");
  EXPECT_EQ(w.PushButton4()->Caption(), "clear");
  EXPECT_EQ(w.StaticText4()->Text(), "Length");
  EXPECT_EQ(w.StaticText3()->Text(), "Position");
}

namespace {

// The entries that no getter shows, as "name=value" texts, by class.
std::vector<std::string> ExpectedEntries(const Expected& e) {
  const ClassInfo& cls = e.cls();
  const bool label = &cls == &Label::Class();
  const bool readout = std::string(e.name).rfind("TextField", 0) == 0 && std::string(e.name) != "TextField1";
  std::vector<std::string> out = {"Visible=1", "LockLeft=1", "LockTop=1", "LockRight=0", "LockBottom=0",
                                  "TabStop=1", "TabPanelIndex=0", "AllowAutoDeactivate=1", "Tooltip=",
                                  std::string("Enabled=") + (readout ? "0" : "1"),
                                  std::string("Transparent=") + (label ? "0" : "1")};
  const std::vector<std::string> font = {"FontName=System", "FontSize=0", "FontUnit=0", "Bold=0", "Italic=0",
                                         "Underline=0"};
  const std::vector<std::string> data = {"DataField=", "DataSource="};
  auto add = [&out](const std::vector<std::string>& more) { out.insert(out.end(), more.begin(), more.end()); };
  if (&cls == &Rectangle::Class()) {
    add({"FillColor=00FFFFFF", "TopLeftColor=00000000", "BottomRightColor=00000000", "BorderThickness=1"});
  } else if (&cls == &Canvas::Class()) {
    add({"DoubleBuffer=0", "AllowFocus=0", "AllowFocusRing=1", "AllowTabs=0"});
  } else if (&cls == &Slider::Class()) {
    add({"AllowLiveScrolling=1"});
  } else {
    add(font);
    const std::string text = e.text;
    if (label) {
      add({"Value=" + text, "TextColor=00000000", "TextAlignment=0", "Multiline=0", "Selectable=0"});
      add(data);
    } else if (&cls == &TextField::Class()) {
      add({"Value=" + text, "ReadOnly=0", "Password=0", "HasBorder=1", "BackgroundColor=00FFFFFF",
           "TextColor=00000000", "TextAlignment=0", "AllowFocusRing=1", "AllowTabs=0", "AllowSpellChecking=0",
           "MaximumCharactersAllowed=0", "Format=", "Hint=", "ValidationMask="});
      add(data);
    } else if (&cls == &CheckBox::Class()) {
      add({"Caption=" + text, "Value=0", "VisualState=0"});
      add(data);
    } else if (&cls == &RadioButton::Class()) {
      add({"Caption=" + text, std::string("Value=") + (text == "black" ? "1" : "0")});
    } else if (&cls == &PushButton::Class()) {
      add({"Caption=" + text, "Default=0", "Cancel=0", "MacButtonStyle=0"});
    } else {
      add({"Caption=" + text});
    }
  }
  return out;
}

std::string Show(const PropertyValue& v) {
  char buf[32] = "?";
  switch (v.type) {
    case PropType::Int32: return std::to_string(v.i);
    case PropType::Boolean: return v.b ? "1" : "0";
    case PropType::String: return v.s;
    case PropType::Color: std::snprintf(buf, sizeof buf, "%08X", v.color.ToUInt32()); break;
    case PropType::Single: std::snprintf(buf, sizeof buf, "%g", double(v.f)); break;
    case PropType::Double: std::snprintf(buf, sizeof buf, "%g", v.d); break;
    case PropType::UInt8: return std::to_string(v.u);
  }
  return buf;
}

}  // namespace

TEST(Window1Record, EveryControlRecordCarriesItsCommonAndClassEntries) {
  std::set<std::string> created;
  for (const Expected& e : kControls) {
    SCOPED_TRACE(e.name);
    const Entries entries = DecodePropertyRecord(e.cls(), Window1ControlRecord(e.name));
    ASSERT_FALSE(entries.empty());
    EXPECT_EQ(entries.front().first, "InitialParent");
    const auto m = ByName(entries);
    // A container is always created before its contents.
    const std::string parent = m.at("InitialParent").s;
    EXPECT_TRUE(parent.empty() || created.count(parent)) << "parent not yet created: " << parent;
    created.insert(e.name);
    for (const std::string& want : ExpectedEntries(e)) {
      const std::string name = want.substr(0, want.find('='));
      ASSERT_TRUE(m.count(name)) << "missing " << name;
      EXPECT_EQ(name + "=" + Show(m.at(name)), want);
    }
    if (&e.cls() == &Slider::Class()) {
      // The value is stored before its bounds, the steps after them.
      std::vector<size_t> at;
      for (const char* n : {"Value", "MinimumValue", "MaximumValue", "LineStep", "PageStep", "TickMarkStyle"})
        at.push_back(PositionOf(entries, n));
      EXPECT_TRUE(std::is_sorted(at.begin(), at.end()) && at.back() < entries.size());
    }
  }
  // Index is the smallest Int32, stored 00 00 00 80; an empty text is just
  // its four-byte count.
  const std::string& rect = Window1ControlRecord("Rectangle1");
  EXPECT_NE(rect.find(std::string("Index \x00\x00\x00\x80", 10)), std::string::npos);
  EXPECT_EQ(rect.substr(0, 18), std::string("InitialParent \x00\x00\x00\x00", 18));
  EXPECT_EQ(Window1ControlRecord("NoSuchControl"), "");
}

TEST_F(ProbeWindowFixture, BuildsBeforeOpenWithoutRunningHandlersOrPainting) {
  // Record values (slider positions, "0.6", the radio buttons) were set
  // while no handler was bound.
  EXPECT_TRUE(P().opened);
  EXPECT_EQ(P().callsBeforeOpen, 0u);
  EXPECT_EQ(P().implicitDuringOpen, &W());
  EXPECT_EQ(ImplicitWindow1(), &W());
  EXPECT_EQ(ImplicitWindow1(), &W());
  EXPECT_EQ(S().canvasWidth, 636);
  EXPECT_EQ(S().canvasHeight, 553);
  // The shown window has been painted, but never before it opened.
  W().Canvas1()->Refresh(true);
  Settle();
  EXPECT_GT(P().Count("Canvas1_Paint"), 0u);
  EXPECT_FALSE(P().paintedBeforeOpen);
}

TEST_F(ProbeWindowFixture, EachBoundEventReachesItsOwnHandlerWithTheRaisingControl) {
  Window1& w = W();
  struct Step {
    const char* handler;
    RectControl* sender;
    std::function<void()> act;
  };
  const std::vector<Step> steps = {
      {"Canvas1_MouseDown", w.Canvas1(), [&] { PressCanvas(100, 100); }},
      {"Canvas1_MouseDrag", w.Canvas1(), [&] { DragCanvas(110, 110); }},
      {"Canvas1_MouseUp", w.Canvas1(), [&] { ReleaseCanvas(110, 110); }},
      {"Canvas1_MouseMove", w.Canvas1(), [&] { HoverCanvas(120, 120); }},
      {"Canvas1_Paint", w.Canvas1(), [&] { w.Canvas1()->Refresh(true); Settle(); }},
      {"RadioButton2_Action", w.RadioButton2(), [&] { Click(*w.RadioButton2()); }},
      {"RadioButton1_Action", w.RadioButton1(), [&] { Click(*w.RadioButton1()); }},
      {"SpeedSlider_ValueChanged", w.SpeedSlider(), [&] { w.SpeedSlider()->SetValue(30); }},
      {"TextField1_TextChange", w.TextField1(), [&] { TypeIntoTextField1("5"); }},
      {"UnitSlider_ValueChanged", w.UnitSlider(), [&] { w.UnitSlider()->SetValue(5); }},
      {"BlackPosSlider_ValueChanged", w.BlackPosSlider(), [&] { w.BlackPosSlider()->SetValue(0); }},
      {"BlackLengthSlider_ValueChanged", w.BlackLengthSlider(), [&] { w.BlackLengthSlider()->SetValue(3); }},
      {"CheckBox1_Action", w.CheckBox1(), [&] { Click(*w.CheckBox1()); }},
      {"CheckBox2_Action", w.CheckBox2(), [&] { Click(*w.CheckBox2()); }},
      {"CheckBox3_Action", w.CheckBox3(), [&] { Click(*w.CheckBox3()); }},
      {"RedPosSlider_ValueChanged", w.RedPosSlider(), [&] { w.RedPosSlider()->SetValue(2); }},
      {"RedLengthSlider_ValueChanged", w.RedLengthSlider(), [&] { w.RedLengthSlider()->SetValue(9); }},
      {"CheckBox4_Action", w.CheckBox4(), [&] { Click(*w.CheckBox4()); }},
      {"CheckBox5_Action", w.CheckBox5(), [&] { Click(*w.CheckBox5()); }},
      {"CheckBox6_Action", w.CheckBox6(), [&] { Click(*w.CheckBox6()); }},
      {"TimeSlider_ValueChanged", w.TimeSlider(), [&] { w.TimeSlider()->SetValue(600); }},
      {"PushButton1_Action", w.PushButton1(), [&] { Click(*w.PushButton1()); }},
      {"PushButton2_Action", w.PushButton2(), [&] { Click(*w.PushButton2()); }},
      {"PushButton4_Action", w.PushButton4(), [&] { Click(*w.PushButton4()); }},
      {"PushButton3_Action", w.PushButton3(), [&] { Click(*w.PushButton3()); }},
  };
  std::set<std::string> reached;
  for (const Step& step : steps) {
    SCOPED_TRACE(step.handler);
    Settle();  // pending repaints first, so that the step's own call comes first
    const size_t before = P().calls.size();
    step.act();
    ASSERT_GT(P().calls.size(), before);
    EXPECT_EQ(P().calls[before].handler, step.handler);
    EXPECT_EQ(P().calls[before].sender, step.sender);
    reached.insert(step.handler);
  }
  EXPECT_EQ(reached.size(), 25u);
  // The check boxes each raised their own handler once, by name not by place.
  EXPECT_EQ(P().Count("CheckBox5_Action"), 1u);
  EXPECT_EQ(P().Count("CheckBox6_Action"), 1u);
  EXPECT_TRUE(W().CheckBox5()->Value());
  EXPECT_FALSE(S().updatingSpeed);
}

namespace {

// The room a control's style leaves for its text: beside a box's mark, inside a button's frame,
// inside a field's frame less the 2 pixels that a line edit keeps clear at each side.
int TextRoom(QWidget* w) {
  QStyleOptionButton o;
  o.initFrom(w);
  const auto inside = w->inherits("QCheckBox")      ? QStyle::SE_CheckBoxContents
                      : w->inherits("QRadioButton") ? QStyle::SE_RadioButtonContents
                                                    : QStyle::SE_PushButtonContents;
  if (w->inherits("QAbstractButton")) return w->style()->subElementRect(inside, &o, w).width();
  if (w->inherits("QLineEdit")) return w->width() - 2 * w->style()->pixelMetric(QStyle::PM_DefaultFrameWidth) - 4;
  return w->contentsRect().width();
}

// A desktop that hands Qt a dark palette and a large typewriter font before the window is built.
class DarkDesktopFixture : public MainWindowFixture {
 protected:
  Window1* MakeWindow() override {
    QApplication::setPalette(QPalette(QColor(0x31, 0x31, 0x31), QColor(0x31, 0x31, 0x31)));
    QApplication::setFont(QFont("Liberation Mono", 16));
    return MainWindowFixture::MakeWindow();
  }
  ~DarkDesktopFixture() override { QApplication::setPalette(palette_), QApplication::setFont(font_); }
  const QPalette palette_ = QApplication::palette();
  const QFont font_ = QApplication::font();
};

}  // namespace

TEST_F(DarkDesktopFixture, EveryTextStandsOutFromItsGroundAndFitsItsControl) {
  QWidget* client = ClientAreaOf(W());
  const auto level = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
  const auto check = [&] {
    const QImage shot = client->grab().toImage();
    for (QWidget* w : client->findChildren<QWidget*>()) {
      const QString text = w->property(w->inherits("QGroupBox") ? "title" : "text").toString();
      EXPECT_LE(w->fontMetrics().horizontalAdvance(text), TextRoom(w)) << text.toStdString();
      if (text.isEmpty() || !w->isVisibleTo(client) || !(w->inherits("QLabel") || w->inherits("QLineEdit"))) continue;
      // The darkest against the lightest pixel of the text and its ground, inside a field's frame.
      double dark = 1, light = 0;
      const QRect inner(w->mapTo(client, QPoint(3, 3)), w->size() - QSize(6, 6));
      for (int y = inner.top(); y <= inner.bottom(); ++y)
        for (int x = inner.left(); x <= inner.right(); ++x) {
          const QColor c = shot.pixelColor(x, y);
          const double l = 0.2126 * level(c.redF()) + 0.7152 * level(c.greenF()) + 0.0722 * level(c.blueF());
          dark = std::min(dark, l), light = std::max(light, l);
        }
      EXPECT_GE((light + 0.05) / (dark + 0.05), 4.5) << text.toStdString();
    }
  };
  check();
  // The texts of both views, the time label of each unit row at both ends, and the widest readouts:
  // the origin in a corner of its range, the point in the far corner of the canvas, at top speed.
  for (RadioButton* view : {W().RadioButton1(), W().RadioButton2()}) {
    Click(*view);
    for (int row = 0; row < 10; ++row) {
      W().UnitSlider()->SetValue(row);
      for (int corner = 0; corner < 8; ++corner) {
        W().TimeSlider()->SetValue(corner % 2 ? 0 : 1000);
        W().SpeedSlider()->SetValue(corner < 4 ? 1 : 39);
        S().originX = corner % 2 ? 21 : 615, S().originY = corner % 4 / 2 ? 21 : 532;
        S().meetingX = corner % 2 ? 635 : 0, S().meetingY = corner % 4 / 2 ? 552 : 0, S().meetingPicked = true;
        PaintCanvas();
        check();
      }
    }
  }
}
