// Long seeded random sessions on the real main window, offscreen: presses,
// drags, releases and hovers anywhere on and far off the diagram canvas,
// clicks on every button, radio button and check box, texts typed into the
// speed field, slider writes in and out of range, and paints on screen, onto
// a recording surface and onto a picture. After every action the window and
// the diagram state must agree with a model of what the user did, kept here
// independently of the window.
//
// KESTRANE_FUZZ_ACTIONS sets the number of actions (default 20000) and
// KESTRANE_FUZZ_SEED the seed; both are printed at the start and named in
// every failure, so that a failing session can be replayed.
#include <QString>

#include <array>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <deque>
#include <iostream>
#include <limits>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "MainWindowFixture.h"
#include "diagram/Thing.h"
#include "toolkit/Numeric.h"

namespace {

constexpr uint64_t kDefaultSeed = 1905;
constexpr uint64_t kDefaultActions = 20000;
constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
constexpr int32_t kMax = std::numeric_limits<int32_t>::max();

// A non-negative whole number from the environment; the fallback when the
// variable is unset or empty, nothing when it is not a number.
std::optional<uint64_t> EnvNumber(const char* name, uint64_t fallback) {
  const char* text = std::getenv(name);
  if (text == nullptr || *text == '\0') return fallback;
  if (*text < '0' || *text > '9') return std::nullopt;
  char* end = nullptr;
  errno = 0;
  const unsigned long long value = std::strtoull(text, &end, 10);
  if (errno != 0 || *end != '\0') return std::nullopt;
  return value;
}

class Rng {
 public:
  explicit Rng(uint64_t seed) : gen_(seed) {}
  int64_t Int(int64_t lo, int64_t hi) { return std::uniform_int_distribution<int64_t>(lo, hi)(gen_); }
  bool OneIn(int64_t n) { return Int(0, n - 1) == 0; }
  template <class T>
  const T& Pick(const std::vector<T>& items) {
    return items[static_cast<size_t>(Int(0, static_cast<int64_t>(items.size()) - 1))];
  }

 private:
  std::mt19937_64 gen_;
};

int32_t Clamp(int32_t v, int32_t lo, int32_t hi) { return v < lo ? lo : v > hi ? hi : v; }

// The number a typed speed reads as: a decimal comma counts as a point.
double SpeedOfTyped(QString text) { return TextToDouble(text.replace(',', '.').toStdString()); }

// The slider position that a typed speed moves the speed slider to.
int32_t PositionOfTypedSpeed(double v) { return Clamp(DoubleToInt32(Round(19.0 * v + 20.0)), 1, 39); }

std::string Quoted(const QString& text) {
  if (text.size() > 40)
    return "<" + std::to_string(text.size()) + " chars: \"" + text.left(12).toStdString() + "...\">";
  return "\"" + text.toStdString() + "\"";
}

// Texts typed into the speed field: odd numbers, non-numbers and valid speeds.
const std::vector<QString>& TypedTexts() {
  static const std::vector<QString> texts = [] {
    std::vector<QString> t;
    for (const char* s :
         {"", "-", ".", "nan", "inf", "-inf", "1e309", "-1e-400", "0.9999999999999999", "-0.9999999999999999", "1",
          "-1", "1.5", " ", "   ", "\t", "abc", "e", "E5", "NaN", "Infinity", "-Infinity", "0.99999999999999999",
          "1.0000000000000002", "-0", "+0.2", "--0.5", "+-0.5", "0x1p-1", "1e-320", "2.2250738585072014e-308",
          "0.6", "-0.3", "0.95", "-0.99", "0", "0.5", ".5", "-.25", "1e-3", "  0.1", "0.7  ", "0.05", "-0.65",
          "0.55", "0.6000000000000001", "3", "-7e3", "12abc", "0.3.4", "1,5", "0,5"})
      t.push_back(QString::fromUtf8(s));
    t.push_back(QString(QChar(0x2212)) + "0.5");  // a Unicode minus sign
    t.push_back(QString(QChar(0x2212)));
    t.push_back(QString::fromUtf8("0.5\xc2\xa0"));  // a trailing no-break space
    t.push_back(QString::fromUtf8("\xe2\x80\x89" "0.25"));  // a leading thin space
    return t;
  }();
  return texts;
}

// Texts of 10 000 characters.
std::vector<QString> LongTexts() {
  std::vector<QString> t;
  QString digits = "0.";
  for (int i = 0; digits.size() < 10000; ++i) digits += QChar('0' + (i * 7 + 3) % 10);
  t.push_back(digits);
  t.push_back(QString(10000, QChar('9')));
  t.push_back(QString(10000, QChar('a')));
  t.push_back(QString(9997, QChar(' ')) + "0.5");
  t.push_back("-" + QString(9998, QChar('0')) + "1");
  t.push_back("0." + QString(9997, QChar('0')) + "1");
  t.push_back("1e-" + QString(9997, QChar('9')));
  return t;
}

// What the user has done, as the window must show it: the speed controls, the
// mouse, the readout group, the time, unit and object controls.
struct Model {
  double speed = 0.6;
  QString text = "0.6";
  bool selected = false;  // the whole text is selected: the next key replaces it
  int32_t speedSlider = 32;
  int32_t view = 0;

  bool held = false;  // the left button is down (a press without its release)
  bool dragging = false;
  int32_t originX = 300, originY = 400;
  bool picked = false;
  int32_t meetingX = 0, meetingY = 0;

  bool groupEnabled = true;
  bool groupVisible = true;
  bool fresh = false;  // painted since the readouts last changed

  int32_t timeSlider = 572;
  int32_t unitSlider = 3;
  bool labelWritten = false;  // " 10 ns" from the layout until then
  std::array<int32_t, 4> objects{2, 6, 0, 6};  // black position, length, red position, length
  std::array<bool, 6> boxes{};
};

struct SliderRange {
  const char* name;
  int32_t lo, hi;
};

}  // namespace

class FuzzedUserInput : public MainWindowFixture {
 protected:
  // ------------------------------------------------------------ the session
  // Runs `count` random actions and checks after each; stops at the first
  // disagreement so that its message stays readable.
  void RunSession(uint64_t seed, uint64_t count) {
    seed_ = seed;
    Rng rng(seed);
    ui_ = ControlsOf(W());
    canvas_ = CanvasWidget();
    speedField_ = WidgetOf(*ui_.TextField1);
    longTexts_ = LongTexts();
    ASSERT_TRUE(StartsFromTheDefaults());
    // Once in a session (each keystroke lays out the whole text again, so
    // this is the slowest action by far) a long text is typed key by key.
    const uint64_t typeLongTextAt = count >= 2000 ? static_cast<uint64_t>(rng.Int(0, static_cast<int64_t>(count) - 1))
                                                  : std::numeric_limits<uint64_t>::max();
    for (index_ = 0; index_ < count; ++index_) {
      if (index_ == typeLongTextAt) {
        const QString& text = rng.Pick(longTexts_);
        Note("type " + Quoted(text) + " key by key over the selection");
        TypeKeys(text, true);
      } else {
        Act(rng);
      }
      if (!Verify()) break;
      // Readouts are checked after a paint: paint often after they change,
      // and now and then let the window paint itself.
      if (model_.picked && !model_.fresh && rng.OneIn(2)) {
        Note("paint onto a recording surface (after a change)");
        PaintRecording();
        if (!Verify()) break;
      }
      if (index_ % 97 == 96) {
        Note("process events");
        PaintOnScreen();
        if (!Verify()) break;
      }
    }
    if (model_.held) {
      Note("final release");
      Release(1, 1);
      Verify();
    }
  }

  bool StartsFromTheDefaults() {
    Note("start");
    const std::vector<SliderRange> ranges = {{"SpeedSlider", 1, 39},     {"UnitSlider", 0, 9},
                                             {"BlackPosSlider", 0, 2},   {"BlackLengthSlider", 1, 13},
                                             {"RedPosSlider", 0, 2},     {"RedLengthSlider", 1, 13},
                                             {"TimeSlider", 0, 1000}};
    for (const SliderRange& r : ranges) {
      Slider* s = SliderNamed(r.name);
      if (!Expect(s != nullptr, std::string(r.name) + " found")) return false;
      Expect(s->MinimumValue() == r.lo && s->MaximumValue() == r.hi, std::string(r.name) + " range");
    }
    for (size_t i = 0; i < 6; ++i) model_.boxes[i] = ui_.boxes[i]->Value();
    Expect(S().canvasWidth == canvas_->width() && S().canvasHeight == canvas_->height(), "canvas size");
    Expect(ui_.Label1->Text() == " 10 ns", "time label at start");
    return Verify();
  }

  // ------------------------------------------------------------ one action
  // Cheap actions are frequent; clicks on buttons are rarer, as each one
  // repaints the window.
  void Act(Rng& rng) {
    const int64_t r = rng.Int(0, 999);
    if (r < 150) {
      if (model_.held) {
        Release(Coord(rng, true), Coord(rng, false));
      } else if (rng.OneIn(4)) {
        // At the origin's grab square or just beside it.
        Press(SatAdd(model_.originX, static_cast<int32_t>(rng.Int(-9, 9))),
              SatAdd(model_.originY, static_cast<int32_t>(rng.Int(-9, 9))));
      } else {
        Press(Coord(rng, true), Coord(rng, false));
      }
    } else if (r < 400) {
      const int32_t x = Coord(rng, true), y = Coord(rng, false);
      if (model_.held) {
        Drag(x, y);
      } else {
        Hover(x, y);
      }
    } else if (r < 460) {
      ClickCanvas(Coord(rng, true), Coord(rng, false));
    } else if (r < 475) {
      ClickRadio(rng.OneIn(2) ? 0 : 1);
    } else if (r < 490) {
      ClickBox(static_cast<size_t>(rng.Int(0, 5)));
    } else if (r < 505) {
      ClickTimeButton(rng.OneIn(2) ? -1 : 1);
    } else if (r < 509) {
      ClickClear();
    } else if (r < 510) {
      Note("click \"Quit\"");
      ClickButton(*ui_.PushButton3);
      Expect(RuntimeExit() == 0, "quit status");
    } else if (r < 790) {
      WriteSlider(rng);
    } else if (r < 960) {
      Type(rng);
    } else if (r < 990) {
      Note("paint onto a recording surface");
      PaintRecording();
    } else if (r < 997) {
      Note("process events");
      PaintOnScreen();
    } else {
      Note("paint onto a picture");
      PaintPicture();
    }
  }

  // A coordinate on one axis: near the origin, on the drag margins, on the
  // canvas, far off it, near the picked point or extreme.
  int32_t Coord(Rng& rng, bool horizontal) {
    const int32_t size = horizontal ? S().canvasWidth : S().canvasHeight;
    const int32_t origin = horizontal ? model_.originX : model_.originY;
    const int32_t meeting = horizontal ? model_.meetingX : model_.meetingY;
    // Up to two pixels either side of a drag margin, or just beyond an edge
    // of the canvas; more often so while the origin is dragged.
    auto margin = [&] {
      return static_cast<int32_t>(rng.Pick(std::vector<int>{-22, -21, -20, -19, 19, 20, 21, 22})) +
             (rng.OneIn(2) ? size : 0);
    };
    if (model_.dragging && rng.OneIn(4)) return margin();
    const int64_t r = rng.Int(0, 99);
    if (r < 15) return margin();
    if (r < 45) return SatAdd(origin, static_cast<int32_t>(rng.Int(-10, 10)));
    if (r < 68) return static_cast<int32_t>(rng.Int(0, size - 1));
    if (r < 88) return static_cast<int32_t>(rng.Int(-5000, 5000));
    if (r < 93) return SatAdd(meeting, static_cast<int32_t>(rng.Int(-3, 3)));
    return rng.Pick(std::vector<int32_t>{kMin, kMin + 1, kMax, kMax - 1, -(1 << 30), 1 << 30, -1000000, 1000000, 0, -1,
                                         static_cast<int32_t>(rng.Int(kMin, kMax))});
  }

  // ------------------------------------------------------------ the mouse
  // Where the canvas gets an event sent to (x, y): the test library sends
  // one at (0, 0) to the middle of the widget instead.
  QPoint Target(int32_t x, int32_t y) const { return x == 0 && y == 0 ? canvas_->rect().center() : QPoint(x, y); }

  bool NearModelOrigin(QPoint p) const {
    return std::fabs(static_cast<double>(static_cast<int64_t>(p.x()) - model_.originX)) < 8.0 &&
           std::fabs(static_cast<double>(static_cast<int64_t>(p.y()) - model_.originY)) < 8.0;
  }

  void Press(int32_t x, int32_t y) {
    Note("press " + Point(x, y));
    QTest::mousePress(canvas_, Qt::LeftButton, Qt::NoModifier, QPoint(x, y));
    pointer_ = QPoint(x, y);
    model_.held = true;
    PressedAt(x, y);
  }

  void PressedAt(int32_t x, int32_t y) {
    const QPoint p = Target(x, y);
    if (NearModelOrigin(p)) {
      model_.dragging = true;
    } else {
      model_.picked = true;
      model_.groupEnabled = true;
      model_.meetingX = p.x();
      model_.meetingY = p.y();
      model_.fresh = false;
    }
  }

  void Drag(int32_t x, int32_t y) {
    Note("drag to " + Point(x, y));
    QTest::mouseMove(canvas_, QPoint(x, y));
    pointer_ = QPoint(x, y);
    const QPoint p = Target(x, y);
    if (model_.dragging && 20 < p.x() && p.x() < S().canvasWidth - 20 && 20 < p.y() && p.y() < S().canvasHeight - 20) {
      model_.originX = p.x();
      model_.originY = p.y();
      model_.fresh = false;
    }
  }

  void ClickCanvas(int32_t x, int32_t y) {
    if (model_.held) Release(x, y);
    Note("click " + Point(x, y));
    QTest::mouseClick(canvas_, Qt::LeftButton, Qt::NoModifier, QPoint(x, y));
    PressedAt(x, y);
    model_.dragging = false;
  }

  void Release(int32_t x, int32_t y) {
    Note("release " + Point(x, y));
    QTest::mouseRelease(canvas_, Qt::LeftButton, Qt::NoModifier, QPoint(x, y));
    model_.held = false;
    model_.dragging = false;
  }

  void Hover(int32_t x, int32_t y) {
    Note("hover " + Point(x, y));
    HoverCanvas(x, y);
    Expect(ui_.Canvas1->GetMouseCursor() ==
               (NearModelOrigin(QPoint(x, y)) ? GetCursors().HandOpen : GetCursors().StandardPointer),
           "cursor after the hover");
  }

  // ------------------------------------------------------------ buttons
  // A button repaints itself at once when clicked, and with it whatever else
  // in the window waits for a paint, the canvas too. So a click is followed
  // by a paint, here made certain by running the pending events. A button
  // held down on the canvas is let go first, as the user must.
  void ClickButton(RectControl& button) {
    if (model_.held) Release(pointer_.x(), pointer_.y());
    Click(button);
    PaintOnScreen();
  }

  void ClickRadio(int32_t to) {
    Note(to == 0 ? "click \"black\"" : "click \"red\"");
    if (model_.view == 1 - to) {
      model_.view = to;
      model_.speed = -model_.speed;
      model_.text = QString::fromStdString(DoubleToText(model_.speed, ""));
      model_.selected = false;
      model_.speedSlider = 40 - model_.speedSlider;
      model_.groupVisible = false;
      model_.fresh = false;
    }
    ClickButton(to == 0 ? *ui_.RadioButton1 : *ui_.RadioButton2);
  }

  void ClickBox(size_t i) {
    Note("click " + ui_.boxes[i]->Name());
    model_.boxes[i] = !model_.boxes[i];
    ClickButton(*ui_.boxes[i]);
  }

  void ClickTimeButton(int32_t step) {
    Note(step < 0 ? "click \"back\"" : "click \"ahead\"");
    SetTimeSlider(SatAdd(model_.timeSlider, step));
    ClickButton(step < 0 ? *ui_.PushButton1 : *ui_.PushButton2);
  }

  void ClickClear() {
    Note("click \"clear\"");
    model_.picked = false;
    model_.groupEnabled = false;
    ClickButton(*ui_.PushButton4);
  }

  // ------------------------------------------------------------ sliders
  void WriteSlider(Rng& rng) {
    static const std::vector<const char*> names = {"SpeedSlider",       "SpeedSlider",  "UnitSlider",
                                                   "TimeSlider",        "TimeSlider",   "BlackPosSlider",
                                                   "BlackLengthSlider", "RedPosSlider", "RedLengthSlider"};
    const std::string name = rng.Pick(names);
    Slider* slider = SliderNamed(name);
    const int32_t lo = slider->MinimumValue(), hi = slider->MaximumValue();
    int32_t value = 0;
    const int64_t r = rng.Int(0, 9);
    if (r < 6) {
      value = static_cast<int32_t>(rng.Int(lo, hi));
    } else if (r < 8) {
      value = rng.Pick(std::vector<int32_t>{SatSub(lo, 1), lo, hi, SatAdd(hi, 1), SatSub(lo, 2), SatAdd(hi, 2)});
    } else {
      value = rng.Pick(std::vector<int32_t>{kMin, kMax, kMin + 1, kMax - 1, -1, 0, 40, 1001,
                                            static_cast<int32_t>(rng.Int(kMin, kMax))});
    }
    Note(name + ".SetValue(" + std::to_string(value) + ")");
    slider->SetValue(value);
    const int32_t now = Clamp(value, lo, hi);
    if (name == "SpeedSlider") {
      if (now == model_.speedSlider) return;
      model_.speedSlider = now;
      model_.speed = static_cast<double>(now) / 20.0 - 1.0;
      model_.text = QString::fromStdString(DoubleToText(model_.speed, ""));
      model_.selected = false;
      model_.fresh = false;
    } else if (name == "UnitSlider") {
      if (now == model_.unitSlider) return;
      model_.unitSlider = now;
      model_.labelWritten = true;
      model_.fresh = false;
    } else if (name == "TimeSlider") {
      SetTimeSlider(value);
    } else {
      const size_t i = name == "BlackPosSlider" ? 0 : name == "BlackLengthSlider" ? 1 : name == "RedPosSlider" ? 2 : 3;
      model_.objects[i] = now;
    }
  }

  void SetTimeSlider(int32_t value) {
    const int32_t now = Clamp(value, 0, 1000);
    if (now == model_.timeSlider) return;
    model_.timeSlider = now;
    model_.labelWritten = true;
  }

  // ------------------------------------------------------------ the speed field
  void Type(Rng& rng) {
    const int64_t r = rng.Int(0, 999);
    if (r < 40) {
      // A long text arriving in one key event, as an input method commits it.
      const QString& text = rng.Pick(longTexts_);
      const bool replace = model_.text.size() > 1000 || rng.OneIn(2);
      Note("commit " + Quoted(text) + (replace ? " over the selection" : " at the end"));
      if (replace) SelectAll();
      SendText(text);
    } else if (r < 650) {
      const QString& text = rng.Pick(TypedTexts());
      Note("type " + Quoted(text) + " over the selection");
      TypeKeys(text, true);
    } else if (r < 850) {
      QString text;
      static const QString alphabet = QString::fromUtf8("0123456789.-+eE naif,x\xe2\x88\x92");
      for (int64_t n = rng.Int(1, 6); n > 0; --n)
        text += alphabet.at(static_cast<qsizetype>(rng.Int(0, alphabet.size() - 1)));
      const bool replace = model_.text.size() > 1000 || rng.OneIn(2);
      Note("type " + Quoted(text) + (replace ? " over the selection" : " at the end"));
      TypeKeys(text, replace);
    } else {
      const int64_t n = rng.Int(1, 4);
      Note("backspace x" + std::to_string(n));
      for (int64_t i = 0; i < n; ++i) Backspace();
    }
  }

  void SelectAll() {
    QTest::keyClick(speedField_, Qt::Key_A, Qt::ControlModifier);
    model_.selected = !model_.text.isEmpty();
  }

  void Backspace() {
    QTest::keyClick(speedField_, Qt::Key_Backspace);
    if (model_.selected) {
      model_.selected = false;
      model_.text.clear();
    } else if (!model_.text.isEmpty()) {
      model_.text.chop(1);
    } else {
      return;
    }
    SpeedTextChanged();
  }

  // Keystrokes, each one a change of the text; over the selection the first
  // one replaces the whole text, and an empty text is a select-all and a
  // backspace.
  void TypeKeys(const QString& text, bool replace) {
    if (replace) SelectAll();
    if (replace && text.isEmpty()) return Backspace();
    for (qsizetype i = 0; i < text.size(); ++i) SendText(QString(text.at(i)));
  }

  // One key event carrying text: a plain key for an ASCII character, else a
  // key the keyboard does not name with the character as its text. A text
  // that starts with a control character (a tab) is not taken, and then the
  // selection stays for the next key.
  void SendText(const QString& text) {
    const QChar c = text.at(0);
    if (text.size() == 1 && c.unicode() > 0x20 && c.unicode() < 0x7f) {
      QTest::keyClick(speedField_, static_cast<char>(c.unicode()));
    } else if (text == " ") {
      QTest::keyClick(speedField_, Qt::Key_Space, Qt::NoModifier);
    } else {
      QTest::sendKeyEvent(QTest::Click, speedField_, Qt::Key_unknown, text, Qt::NoModifier);
    }
    if (!c.isPrint()) return;
    model_.text = model_.selected ? text : model_.text + text;
    model_.selected = false;
    SpeedTextChanged();
  }

  // The speed field's handler on a changed text: an accepted number becomes
  // the speed and moves the slider by the factor 19; a refused one brings the
  // current speed's text back, which then counts as typed.
  void SpeedTextChanged() {
    double v = SpeedOfTyped(model_.text);
    if (!(-1.0 < v && v < 1.0)) {
      model_.text = QString::fromStdString(DoubleToText(model_.speed, ""));
      model_.selected = false;
      v = SpeedOfTyped(model_.text);
      if (!Expect(-1.0 < v && v < 1.0, "the text of the speed reads back inside (-1, 1)")) return;
    }
    model_.speed = v;
    model_.speedSlider = PositionOfTypedSpeed(v);
    model_.fresh = false;
  }

  // ------------------------------------------------------------ paints
  void PaintOnScreen() {
    Settle();
    Painted();
  }

  void PaintRecording() {
    RecordingGraphics g(S().canvasWidth, S().canvasHeight);
    DrawDiagram(g);
    for (const GraphicsCall& c : g.Calls()) {
      if (!(std::isfinite(c.a) && std::isfinite(c.b) && std::isfinite(c.c) && std::isfinite(c.d))) {
        Expect(false, "every drawn coordinate is finite");
        break;
      }
    }
    Painted();
  }

  void PaintPicture() {
    Picture picture(S().canvasWidth, S().canvasHeight);
    {
      std::unique_ptr<Graphics> g = picture.NewGraphics();
      DrawDiagram(*g);
    }
    Painted();
  }

  void Painted() {
    if (model_.picked) {
      model_.fresh = true;
      model_.groupVisible = true;
    }
    // The objects follow their controls on every paint.
    const Thing& black = *S().blackThing;
    const Thing& red = *S().redThing;
    Expect(black.isVisible == model_.boxes[0] && black.hasTrace == model_.boxes[1] &&
               black.hasShadow == model_.boxes[2] && red.isVisible == model_.boxes[3] &&
               red.hasShadow == model_.boxes[4] && red.hasTrace == model_.boxes[5],
           "object flags follow the check boxes");
    Expect(black.position == model_.objects[0] && black.length == model_.objects[1] * 24 &&
               red.position == model_.objects[2] && red.length == model_.objects[3] * 24,
           "object positions and lengths follow the sliders");
  }

  // ------------------------------------------------------------ checks
  bool Verify() {
    const DiagramState& s = S();
    const Model& m = model_;

    // The speed: strictly inside (-1, 1), as the user last set it, and the
    // two speed controls showing it.
    Expect(std::isfinite(s.speed) && -1.0 < s.speed && s.speed < 1.0, "speed inside (-1, 1)");
    Expect(!s.updatingSpeed, "updatingSpeed is False between events");
    const std::string text = ui_.TextField1->Text();
    const int32_t position = ui_.SpeedSlider->Value();
    Expect(s.speed == m.speed, "speed " + Num(s.speed) + ", expected " + Num(m.speed));
    Expect(text == m.text.toStdString(), "speed text \"" + text + "\", expected " + Quoted(m.text));
    Expect(position == m.speedSlider,
           "speed slider " + std::to_string(position) + ", expected " + std::to_string(m.speedSlider));
    // Either the text's number or the slider's mapping is the speed, up to
    // the negations of the changes of view since it was set.
    const bool fromText = s.speed == SpeedOfTyped(QString::fromStdString(text)) && position == PositionOfTypedSpeed(s.speed);
    const bool fromSlider = s.speed == static_cast<double>(position) / 20.0 - 1.0 && text == DoubleToText(s.speed, "");
    const bool viewChanged =
        text == DoubleToText(s.speed, "") &&
        (-s.speed == static_cast<double>(40 - position) / 20.0 - 1.0 ||
         position == 40 - PositionOfTypedSpeed(-s.speed) || position == PositionOfTypedSpeed(s.speed));
    Expect(fromText || fromSlider || viewChanged, "speed agrees with neither speed control");

    // The view and its radio buttons.
    Expect(s.viewIndex == m.view, "viewIndex " + std::to_string(s.viewIndex));
    Expect(ui_.RadioButton1->Value() == (m.view == 0) && ui_.RadioButton2->Value() == (m.view == 1),
           "radio buttons show the view");

    // The mouse: the drag state, the origin inside the drag margins, the point.
    Expect(s.draggingOrigin == m.dragging, "draggingOrigin " + std::to_string(s.draggingOrigin));
    Expect(s.originX == m.originX && s.originY == m.originY,
           "origin " + Point(s.originX, s.originY) + ", expected " + Point(m.originX, m.originY));
    Expect(21 <= s.originX && s.originX <= s.canvasWidth - 21 && 21 <= s.originY && s.originY <= s.canvasHeight - 21,
           "origin inside the drag margins");
    Expect(s.meetingPicked == m.picked, "meetingPicked " + std::to_string(s.meetingPicked));
    Expect(s.meetingX == m.meetingX && s.meetingY == m.meetingY,
           "meeting point " + Point(s.meetingX, s.meetingY) + ", expected " + Point(m.meetingX, m.meetingY));

    // Time and units.
    const int32_t time = ui_.TimeSlider->Value();
    Expect(time == m.timeSlider, "time slider " + std::to_string(time));
    Expect(s.currentTime == time - 500, "currentTime " + std::to_string(s.currentTime));
    Expect(ui_.UnitSlider->Value() == m.unitSlider && s.unitIndex == m.unitSlider,
           "unit row " + std::to_string(s.unitIndex));
    const UnitRow& row = UnitTableRow(m.unitSlider);
    Expect(s.spaceScale == row.spaceScale && s.spaceUnit == row.spaceUnit && s.timeScale == row.timeScale &&
               s.timeUnit == row.timeUnit,
           "scales of the unit row");
    const double timeValue = (static_cast<double>(s.currentTime) / 72.0) * static_cast<double>(row.timeScale);
    const std::string label = m.labelWritten ? FormatNumber(timeValue, "-###.00") + row.timeUnit : " 10 ns";
    Expect(ui_.Label1->Text() == label, "time label \"" + ui_.Label1->Text() + "\", expected \"" + label + "\"");

    // The object controls.
    Expect(ui_.BlackPosSlider->Value() == m.objects[0] && ui_.BlackLengthSlider->Value() == m.objects[1] &&
               ui_.RedPosSlider->Value() == m.objects[2] && ui_.RedLengthSlider->Value() == m.objects[3],
           "object sliders");
    for (size_t i = 0; i < 6; ++i) Expect(ui_.boxes[i]->Value() == m.boxes[i], ui_.boxes[i]->Name() + " value");

    // The readout group: empty without a point, and after a paint the
    // readouts of the point as seen now.
    Expect(ui_.GroupBox7->Enabled() == m.groupEnabled, "readout group enabled");
    Expect(ui_.GroupBox7->Visible() == m.groupVisible, "readout group visible");
    const std::array<std::string, 4> shown = {ui_.TextField2->Text(), ui_.TextField3->Text(), ui_.TextField4->Text(),
                                              ui_.TextField5->Text()};
    if (!m.picked) {
      Expect(shown == std::array<std::string, 4>{}, "readouts empty without a picked point");
    } else if (m.fresh) {
      const std::array<std::string, 4> expected = ExpectedReadouts();
      for (size_t i = 0; i < 4; ++i)
        Expect(shown[i] == expected[i], "readout " + std::to_string(i + 2) + " \"" + shown[i] + "\", expected \"" +
                                            expected[i] + "\"");
      const bool black = m.view == 0;
      const char* caption = black ? "Black's view of the meeting of the red clock P with the black clock Q"
                                  : "Red's view of the meeting of the black clock Q with the red clock P";
      Expect(ui_.GroupBox7->Caption() == caption, "readout caption");
      Expect(ui_.StaticText10->Text() == (black ? "that red clock's position in it's own system is"
                                                : "that black clock's position in it's own system is"),
             "readout label");
    }
    Expect(unhandled_.empty(), "no exception escaped a handler");
    return !failed_;
  }

  // The four readouts of the picked point, worked out from the model.
  std::array<std::string, 4> ExpectedReadouts() const {
    const Model& m = model_;
    const UnitRow& row = UnitTableRow(m.unitSlider);
    const double v = m.speed;
    const double c = std::sqrt(1.0 - std::pow(v, 2.0));
    const double t = static_cast<double>(SatSub(m.originY, m.meetingY));
    const double x = static_cast<double>(SatSub(m.meetingX, m.originX));
    const double xr = (x * c) - (t * v);
    const double tr = ((xr * v) + t) / c;
    auto in = [](double pixels, int32_t scale, const char* unit) {
      return FormatNumber(pixels * static_cast<double>(scale) / 72.0, "-##.00") + unit;
    };
    return {in(x, row.spaceScale, row.spaceUnit), in(tr, row.timeScale, row.timeUnit),
            in(t, row.timeScale, row.timeUnit), in(xr, row.spaceScale, row.spaceUnit)};
  }

  // ------------------------------------------------------------ helpers
  bool Expect(bool ok, const std::string& what) {
    if (ok || failed_) return ok;
    failed_ = true;
    std::ostringstream os;
    os << what << "\n  seed " << seed_ << " (KESTRANE_FUZZ_SEED), action " << index_ << "; the last actions:";
    for (const std::string& a : recent_) os << "\n    " << a;
    ADD_FAILURE() << os.str();
    return false;
  }

  void Note(const std::string& action) {
    recent_.push_back(std::to_string(index_) + ": " + action);
    if (recent_.size() > 24) recent_.pop_front();
  }

  static std::string Point(int32_t x, int32_t y) { return std::to_string(x) + "," + std::to_string(y); }
  static std::string Num(double v) {
    std::ostringstream os;
    os.precision(17);
    os << v;
    return os.str();
  }

  Slider* SliderNamed(const std::string& name) const {
    for (const auto& [n, slider] : ui_.sliders)
      if (n == name) return slider;
    return nullptr;
  }

  // The controls of the window under test, looked up once.
  struct Controls {
    TextField *TextField1, *TextField2, *TextField3, *TextField4, *TextField5;
    Slider *SpeedSlider, *UnitSlider, *TimeSlider, *BlackPosSlider, *BlackLengthSlider, *RedPosSlider,
        *RedLengthSlider;
    RadioButton *RadioButton1, *RadioButton2;
    PushButton *PushButton1, *PushButton2, *PushButton3, *PushButton4;
    GroupBox* GroupBox7;
    Label *Label1, *StaticText10;
    Canvas* Canvas1;
    std::array<CheckBox*, 6> boxes;
    std::vector<std::pair<std::string, Slider*>> sliders;
  };
  static Controls ControlsOf(Window1& w) {
    Controls c{w.TextField1(),     w.TextField2(),   w.TextField3(),     w.TextField4(),   w.TextField5(),
               w.SpeedSlider(),    w.UnitSlider(),   w.TimeSlider(),     w.BlackPosSlider(),
               w.BlackLengthSlider(), w.RedPosSlider(), w.RedLengthSlider(), w.RadioButton1(), w.RadioButton2(),
               w.PushButton1(),    w.PushButton2(),  w.PushButton3(),    w.PushButton4(),  w.GroupBox7(),
               w.Label1(),         w.StaticText10(), w.Canvas1(),
               {w.CheckBox1(), w.CheckBox2(), w.CheckBox3(), w.CheckBox4(), w.CheckBox5(), w.CheckBox6()},
               {}};
    for (Slider* s : {c.SpeedSlider, c.UnitSlider, c.TimeSlider, c.BlackPosSlider, c.BlackLengthSlider,
                      c.RedPosSlider, c.RedLengthSlider})
      c.sliders.emplace_back(s->Name(), s);
    return c;
  }

  Controls ui_{};
  Model model_;
  QWidget* canvas_ = nullptr;
  QPoint pointer_;  // where the held button was last pressed or dragged to
  QWidget* speedField_ = nullptr;
  std::vector<QString> longTexts_;
  uint64_t seed_ = 0;
  uint64_t index_ = 0;
  bool failed_ = false;
  std::deque<std::string> recent_;
};

TEST_F(FuzzedUserInput, RandomSessionKeepsWindowAndDiagramStateInAgreement) {
  const std::optional<uint64_t> seed = EnvNumber("KESTRANE_FUZZ_SEED", kDefaultSeed);
  const std::optional<uint64_t> actions = EnvNumber("KESTRANE_FUZZ_ACTIONS", kDefaultActions);
  ASSERT_TRUE(seed.has_value()) << "KESTRANE_FUZZ_SEED is not a whole number";
  ASSERT_TRUE(actions.has_value()) << "KESTRANE_FUZZ_ACTIONS is not a whole number";
  std::cout << "[ fuzz     ] seed " << *seed << ", " << *actions << " actions\n" << std::flush;
  RunSession(*seed, *actions);
}
