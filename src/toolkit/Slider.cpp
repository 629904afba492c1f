// The slider: a value within a range, moved by the user or the program.
#include <QSignalBlocker>
#include <QSlider>

#include <algorithm>

#include "toolkit/ControlImpl.h"
#include "toolkit/ControlProperties.h"
#include "toolkit/Controls.h"

using namespace toolkit_detail;

// ---------------------------------------------------------------- Slider

namespace {
QSlider::TickPosition TickPosition(int32_t style) {
  switch (style) {
    case 1: return QSlider::TicksAbove;
    case 2: return QSlider::TicksBelow;
    case 3: return QSlider::TicksBothSides;
    default: return QSlider::NoTicks;
  }
}

// Shows the stored range, steps and value without raising anything.
void SyncSlider(const Slider& s) {
  const SliderImpl& d = Data<SliderImpl>(s);
  QSlider* w = WidgetAs<QSlider>(s);
  QSignalBlocker block(w);
  w->setRange(d.minimum, std::max(d.minimum, d.maximum));
  w->setValue(d.value);
  w->setSingleStep(std::max(0, d.lineStep));
  w->setPageStep(std::max(0, d.pageStep));
  w->setTickPosition(TickPosition(d.tickMarkStyle));
  w->setTracking(d.allowLiveScrolling);
}
}  // namespace

Slider::Slider() {
  impl_ = std::make_unique<SliderImpl>(*this);
  auto* slider = new QSlider(Qt::Horizontal);
  InitControl(*impl_, slider, true);
  SyncSlider(*this);
  // Moves by the user; the program's own writes are blocked from here.
  QObject::connect(slider, &QAbstractSlider::valueChanged, slider, [this](int v) {
    SliderImpl& d = Data<SliderImpl>(*this);
    if (v == d.value) return;
    d.value = v;
    RaiseEvent(*this, EventId::ValueChanged);
  });
}

const ClassInfo& Slider::Class() {
  static const ClassInfo info(
      "Slider", &RectControl::Class(),
      {
          BoolProp<Slider>("AllowLiveScrolling",
                           [](Slider& s, bool v) {
                             Data<SliderImpl>(s).allowLiveScrolling = v;
                             WidgetAs<QSlider>(s)->setTracking(v);
                           }),
          IntProp<Slider>("MinimumValue", [](Slider& s, int32_t v) { s.SetMinimumValue(v); }),
          IntProp<Slider>("MaximumValue", [](Slider& s, int32_t v) { s.SetMaximumValue(v); }),
          IntProp<Slider>("Value", [](Slider& s, int32_t v) { s.SetValue(v); }),
          IntProp<Slider>("LineStep",
                          [](Slider& s, int32_t v) {
                            Data<SliderImpl>(s).lineStep = v;
                            WidgetAs<QSlider>(s)->setSingleStep(std::max(0, v));
                          }),
          IntProp<Slider>("PageStep",
                          [](Slider& s, int32_t v) {
                            Data<SliderImpl>(s).pageStep = v;
                            WidgetAs<QSlider>(s)->setPageStep(std::max(0, v));
                          }),
          IntProp<Slider>("TickMarkStyle",
                          [](Slider& s, int32_t v) {
                            Data<SliderImpl>(s).tickMarkStyle = v;
                            WidgetAs<QSlider>(s)->setTickPosition(TickPosition(v));
                          }),
      });
  return info;
}

int32_t Slider::Value() const { return Data<SliderImpl>(*this).value; }
int32_t Slider::MinimumValue() const { return Data<SliderImpl>(*this).minimum; }
int32_t Slider::MaximumValue() const { return Data<SliderImpl>(*this).maximum; }
int32_t Slider::LineStep() const { return Data<SliderImpl>(*this).lineStep; }
int32_t Slider::PageStep() const { return Data<SliderImpl>(*this).pageStep; }
int32_t Slider::TickMarkStyle() const { return Data<SliderImpl>(*this).tickMarkStyle; }
bool Slider::AllowLiveScrolling() const { return Data<SliderImpl>(*this).allowLiveScrolling; }

void Slider::SetValue(int32_t v) {
  SliderImpl& d = Data<SliderImpl>(*this);
  // Inside a record the bounds may still follow: settled at its end.
  if (d.recordDepth > 0) {
    d.value = v;
    return;
  }
  const int32_t clamped = std::clamp(v, d.minimum, d.maximum);
  if (clamped == d.value) return;
  d.value = clamped;
  SyncSlider(*this);
  RaiseEvent(*this, EventId::ValueChanged);
}

void Slider::SetMinimumValue(int32_t v) {
  SliderImpl& d = Data<SliderImpl>(*this);
  d.minimum = v;
  if (d.recordDepth > 0) return;
  if (d.maximum < v) d.maximum = v;
  const int32_t old = d.value;
  d.value = std::clamp(d.value, d.minimum, d.maximum);
  SyncSlider(*this);
  if (d.value != old) RaiseEvent(*this, EventId::ValueChanged);
}

void Slider::SetMaximumValue(int32_t v) {
  SliderImpl& d = Data<SliderImpl>(*this);
  d.maximum = v;
  if (d.recordDepth > 0) return;
  if (d.minimum > v) d.minimum = v;
  const int32_t old = d.value;
  d.value = std::clamp(d.value, d.minimum, d.maximum);
  SyncSlider(*this);
  if (d.value != old) RaiseEvent(*this, EventId::ValueChanged);
}

void Slider::BeginPropertyRecord() { RectControl::BeginPropertyRecord(); }

void Slider::EndPropertyRecord() {
  RectControl::EndPropertyRecord();
  SliderImpl& d = Data<SliderImpl>(*this);
  if (d.recordDepth > 0) return;
  // All entries are in: bounds first, then the value within them.
  if (d.maximum < d.minimum) d.maximum = d.minimum;
  d.value = std::clamp(d.value, d.minimum, d.maximum);
  SyncSlider(*this);
}
