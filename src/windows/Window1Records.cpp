// The main window's property records: the window's own and one for each of
// its 44 controls. The control records are generated once from the table
// below; every record begins with InitialParent, then the entries shared by
// all controls, then those of the control's class.
#include "windows/Window1Records.h"

#include <cstdint>
#include <iterator>
#include <limits>
#include <string_view>
#include <vector>

#include "toolkit/PropertyRecord.h"
#include "windows/Window1.h"

namespace {

enum class Kind { Rectangle, Canvas, GroupBox, RadioButton, Label, Slider, TextField, CheckBox, PushButton };

struct SliderSetting {
  int32_t minimum, maximum, value, lineStep, pageStep, tickMarkStyle;
};

struct ControlRow {
  const char* name;
  Kind kind;
  const char* parent;  // "" for the window itself
  int32_t left, top, width, height;
  int32_t tabIndex;
  const char* text;    // caption, or the text of a label or text field
  bool value;          // radio button's Value
  bool enabled;
  SliderSetting slider;
};

constexpr uint32_t kWhite = 0x00FFFFFF;
constexpr uint32_t kBlack = 0x00000000;

// Creation order. Positions are window coordinates, also inside containers.
const ControlRow kRows[] = {
    {"Rectangle1", Kind::Rectangle, "", 20, 20, 663, 583, 0, "", false, true, {}},
    {"Canvas1", Kind::Canvas, "Rectangle1", 33, 35, 636, 553, 0, "", false, true, {}},
    {"GroupBox1", Kind::GroupBox, "", 703, 19, 171, 48, 0, "we think with", false, true, {}},
    {"RadioButton1", Kind::RadioButton, "GroupBox1", 717, 42, 61, 20, 0, "black", true, true, {}},
    {"RadioButton2", Kind::RadioButton, "GroupBox1", 796, 42, 46, 20, 1, "red", false, true, {}},
    {"GroupBox2", Kind::GroupBox, "", 703, 79, 171, 84, 1, "relative speed", false, true, {}},
    {"StaticText1", Kind::Label, "GroupBox2", 732, 108, 32, 20, 1, "v/c", false, true, {}},
    {"SpeedSlider", Kind::Slider, "GroupBox2", 719, 138, 131, 16, 2, "", false, true, {1, 39, 32, 1, 1, 0}},
    {"TextField1", Kind::TextField, "GroupBox2", 762, 107, 80, 22, 3, "0.6", false, true, {}},
    {"GroupBox3", Kind::GroupBox, "", 703, 173, 171, 60, 2, "units", false, true, {}},
    {"UnitSlider", Kind::Slider, "GroupBox3", 719, 208, 131, 16, 0, "", false, true, {0, 9, 3, 1, 1, 2}},
    {"GroupBox4", Kind::GroupBox, "", 703, 257, 171, 162, 3, "black object", false, true, {}},
    {"StaticText2", Kind::Label, "GroupBox4", 719, 281, 56, 20, 0, "Position", false, true, {}},
    {"BlackPosSlider", Kind::Slider, "GroupBox4", 787, 288, 63, 16, 1, "", false, true, {0, 2, 2, 1, 1, 2}},
    {"StaticText4", Kind::Label, "GroupBox4", 719, 309, 45, 20, 2, "Length", false, true, {}},
    {"BlackLengthSlider", Kind::Slider, "GroupBox4", 776, 321, 84, 16, 3, "", false, true, {1, 13, 6, 1, 1, 2}},
    {"CheckBox1", Kind::CheckBox, "GroupBox4", 719, 339, 100, 20, 4, "is visible", false, true, {}},
    {"CheckBox2", Kind::CheckBox, "GroupBox4", 719, 364, 100, 20, 5, "has Trace", false, true, {}},
    {"CheckBox3", Kind::CheckBox, "GroupBox4", 719, 390, 100, 20, 6, "has Shadow", false, true, {}},
    {"GroupBox5", Kind::GroupBox, "", 703, 441, 171, 162, 4, "red object", false, true, {}},
    {"StaticText3", Kind::Label, "GroupBox5", 719, 465, 56, 20, 0, "Position", false, true, {}},
    {"RedPosSlider", Kind::Slider, "GroupBox5", 787, 473, 63, 16, 1, "", false, true, {0, 2, 0, 1, 1, 2}},
    {"StaticText5", Kind::Label, "GroupBox5", 719, 489, 45, 20, 2, "Length", false, true, {}},
    {"RedLengthSlider", Kind::Slider, "GroupBox5", 776, 499, 84, 16, 3, "", false, true, {1, 13, 6, 1, 1, 2}},
    {"CheckBox4", Kind::CheckBox, "GroupBox5", 719, 523, 100, 20, 4, "is visible", false, true, {}},
    // The red group's names run against the screen: CheckBox5 is the lowest.
    {"CheckBox5", Kind::CheckBox, "GroupBox5", 719, 575, 100, 20, 5, "has Shadow", false, true, {}},
    {"CheckBox6", Kind::CheckBox, "GroupBox5", 719, 549, 100, 20, 6, "has Trace", false, true, {}},
    {"GroupBox6", Kind::GroupBox, "", 596, 618, 278, 98, 5, "the time", false, true, {}},
    {"TimeSlider", Kind::Slider, "GroupBox6", 612, 654, 244, 16, 0, "", false, true, {0, 1000, 572, 1, 24, 0}},
    {"PushButton1", Kind::PushButton, "GroupBox6", 612, 677, 59, 20, 1, "back", false, true, {}},
    {"PushButton2", Kind::PushButton, "GroupBox6", 797, 677, 59, 20, 2, "ahead", false, true, {}},
    {"Label1", Kind::Label, "GroupBox6", 707, 677, 65, 20, 3, " 10 ns", false, true, {}},
    {"GroupBox7", Kind::GroupBox, "", 26, 618, 521, 167, 6, "black says", false, true, {}},
    {"StaticText7", Kind::Label, "GroupBox7", 38, 648, 301, 20, 0, "all my clocks read then", false, true, {}},
    {"StaticText8", Kind::Label, "GroupBox7", 38, 673, 221, 20, 1, "my event position", false, true, {}},
    {"StaticText9", Kind::Label, "GroupBox7", 38, 698, 261, 20, 2, "that red clock there reads", false, true, {}},
    {"StaticText10", Kind::Label, "GroupBox7", 38, 723, 282, 20, 3, "red's event position", false, true, {}},
    {"StaticText11", Kind::Label, "GroupBox7", 38, 758, 344, 19, 8,
     "RP  equals  SQ  according to Kestrane's myth !!", false, true, {}},
    {"TextField2", Kind::TextField, "GroupBox7", 406, 647, 99, 22, 9, "", false, false, {}},
    {"TextField3", Kind::TextField, "GroupBox7", 406, 672, 98, 22, 10, "", false, false, {}},
    {"TextField4", Kind::TextField, "GroupBox7", 406, 697, 98, 22, 11, "", false, false, {}},
    {"TextField5", Kind::TextField, "GroupBox7", 406, 722, 99, 22, 12, "", false, false, {}},
    {"PushButton4", Kind::PushButton, "GroupBox7", 428, 755, 59, 20, 13, "clear", false, true, {}},
    {"PushButton3", Kind::PushButton, "", 782, 764, 78, 21, 7, "Quit", false, true, {}},
};

void AddFontEntries(RecordBuilder& b) {
  b.String("FontName", "System")
      .Single("FontSize", 0.0f)
      .UInt8("FontUnit", 0)
      .Boolean("Bold", false)
      .Boolean("Italic", false)
      .Boolean("Underline", false);
}

void AddDataEntries(RecordBuilder& b) { b.String("DataField", "").String("DataSource", ""); }

std::string BuildRecord(const ControlRow& row) {
  RecordBuilder b;
  b.String("InitialParent", row.parent)
      .String("Name", row.name)
      .Int32("Index", std::numeric_limits<int32_t>::min())
      .Int32("Left", row.left)
      .Int32("Top", row.top)
      .Int32("Width", row.width)
      .Int32("Height", row.height)
      .Boolean("LockLeft", true)
      .Boolean("LockTop", true)
      .Boolean("LockRight", false)
      .Boolean("LockBottom", false)
      .Int32("TabIndex", row.tabIndex)
      .Int32("TabPanelIndex", 0)
      .Boolean("TabStop", true)
      .Boolean("Visible", true)
      .Boolean("Enabled", row.enabled)
      .Boolean("Transparent", row.kind != Kind::Label)
      .Boolean("AllowAutoDeactivate", true)
      .String("Tooltip", "");

  switch (row.kind) {
    case Kind::Rectangle:
      b.Color("FillColor", kWhite)
          .Color("TopLeftColor", kBlack)
          .Color("BottomRightColor", kBlack)
          .Double("BorderThickness", 1.0);
      break;
    case Kind::Canvas:
      b.Boolean("DoubleBuffer", false)
          .Boolean("AllowFocus", false)
          .Boolean("AllowFocusRing", true)
          .Boolean("AllowTabs", false);
      break;
    case Kind::GroupBox:
      b.String("Caption", row.text);
      AddFontEntries(b);
      break;
    case Kind::RadioButton:
      b.String("Caption", row.text).Boolean("Value", row.value);
      AddFontEntries(b);
      break;
    case Kind::Label:
      b.String("Value", row.text)
          .Color("TextColor", kBlack)
          .Int32("TextAlignment", 0)
          .Boolean("Multiline", false)
          .Boolean("Selectable", false);
      AddFontEntries(b);
      AddDataEntries(b);
      break;
    case Kind::TextField:
      b.String("Value", row.text)
          .Boolean("ReadOnly", false)
          .Boolean("Password", false)
          .Boolean("HasBorder", true)
          .Color("BackgroundColor", kWhite)
          .Color("TextColor", kBlack)
          .Int32("TextAlignment", 0)
          .Boolean("AllowFocusRing", true)
          .Boolean("AllowTabs", false)
          .Boolean("AllowSpellChecking", false)
          .Int32("MaximumCharactersAllowed", 0)
          .String("Format", "")
          .String("Hint", "")
          .String("ValidationMask", "");
      AddFontEntries(b);
      AddDataEntries(b);
      break;
    case Kind::Slider:
      // The value comes before its bounds; applying the record must not clamp
      // it against the bounds in force beforehand.
      b.Boolean("AllowLiveScrolling", true)
          .Int32("Value", row.slider.value)
          .Int32("MinimumValue", row.slider.minimum)
          .Int32("MaximumValue", row.slider.maximum)
          .Int32("LineStep", row.slider.lineStep)
          .Int32("PageStep", row.slider.pageStep)
          .Int32("TickMarkStyle", row.slider.tickMarkStyle);
      break;
    case Kind::CheckBox:
      b.String("Caption", row.text).Boolean("Value", false).Int32("VisualState", 0);
      AddFontEntries(b);
      AddDataEntries(b);
      break;
    case Kind::PushButton:
      b.String("Caption", row.text)
          .Boolean("Default", false)
          .Boolean("Cancel", false)
          .Int32("MacButtonStyle", 0);
      AddFontEntries(b);
      break;
  }
  return b.Bytes();
}

struct NamedRecord {
  std::string_view name;
  std::string record;
};

const std::vector<NamedRecord>& ControlRecords() {
  static const std::vector<NamedRecord> records = [] {
    std::vector<NamedRecord> all;
    all.reserve(std::size(kRows));
    for (const ControlRow& row : kRows) all.push_back({row.name, BuildRecord(row)});
    return all;
  }();
  return records;
}

}  // namespace

const std::string& Window1ControlRecord(std::string_view controlName) {
  static const std::string none;
  for (const NamedRecord& r : ControlRecords()) {
    if (r.name == controlName) return r.record;
  }
  return none;
}

const std::string& Window1::LayoutRecord() {
  static const std::string record = RecordBuilder()
                                        .Int32("Width", 894)
                                        .Int32("Height", 813)
                                        .Int32("MinimumWidth", 64)
                                        .Int32("MinimumHeight", 64)
                                        .Int32("MaximumWidth", 32000)
                                        .Int32("MaximumHeight", 32000)
                                        .Int32("Type", 0)
                                        .String("Title", "Kestrane Diagram")
                                        .Boolean("HasCloseButton", true)
                                        .Boolean("HasMaximizeButton", false)
                                        .Boolean("HasMinimizeButton", true)
                                        .Boolean("HasFullScreenButton", false)
                                        .Boolean("Resizeable", false)
                                        .Boolean("Composite", true)
                                        .Int32("MacProcID", 0)
                                        .Boolean("FullScreen", false)
                                        .Int32("DefaultLocation", 2)
                                        .Boolean("Visible", true)
                                        .Boolean("HasBackgroundColor", false)
                                        .Color("BackgroundColor", kWhite)
                                        .Boolean("MenuBarVisible", true)
                                        .Boolean("LiveResize", true)
                                        .Bytes();
  return record;
}
