// The about window: version text, author, a link to the web site and a
// picture that opens a mail to the author.
#include "windows/Window2.h"

#include <memory>
#include <string>

#include "toolkit/Graphics.h"
#include "toolkit/PropertyRecord.h"
#include "toolkit/Runtime.h"

namespace {

constexpr int32_t kNoIndex = INT32_MIN;
constexpr uint32_t kWhite = 0x00FFFFFF;
constexpr uint32_t kBlack = 0x00000000;
constexpr uint32_t kLinkColor = 0x00004080;

const char kWebURL[] = "https://example.org/";
const char kMailURL[] = "mailto:author@example.org";
const char kLinkText[] = "example.org";

std::string AboutText() {
  return std::string("32 bit version 1.5    for OS X") + "\r" + "created with" + " " + "Qt" + "  " +
         "Jan 2020" + "\r" + "" + "\r" + "pelwick";
}

// The entries every control of the window starts with.
RecordBuilder ControlRecord(const char* parent, int32_t left, int32_t top, int32_t width, int32_t height,
                            int32_t tabIndex) {
  RecordBuilder r;
  r.String("InitialParent", parent)
      .Int32("Index", kNoIndex)
      .Int32("Left", left)
      .Int32("Top", top)
      .Int32("Width", width)
      .Int32("Height", height)
      .Boolean("LockLeft", false)
      .Boolean("LockTop", false)
      .Boolean("LockRight", false)
      .Boolean("LockBottom", false)
      .Int32("TabIndex", tabIndex)
      .Int32("TabPanelIndex", 0)
      .Boolean("AllowAutoDeactivate", true)
      .Boolean("Enabled", true)
      .Boolean("Visible", true)
      .String("Tooltip", "");
  return r;
}

const std::string& Rectangle1Record() {
  static const std::string record = ControlRecord("", 43, 36, 203, 251, 0)
                                        .Double("BorderThickness", 1.0)
                                        .Color("BottomRightColor", kBlack)
                                        .Color("FillColor", kWhite)
                                        .Color("TopLeftColor", kBlack)
                                        .Boolean("Transparent", true)
                                        .Bytes();
  return record;
}

RecordBuilder LabelRecord(int32_t top, int32_t width, int32_t height, int32_t tabIndex, bool multiline,
                          uint32_t textColor, const std::string& text, bool underline) {
  RecordBuilder r = ControlRecord("Rectangle1", 55, top, width, height, tabIndex);
  r.Boolean("TabStop", true)
      .Boolean("Multiline", multiline)
      .Boolean("Selectable", false)
      .Int32("TextAlignment", 0)
      .Color("TextColor", textColor)
      .Boolean("Transparent", false)
      .String("Value", text)
      .Boolean("Bold", false)
      .Boolean("Italic", false)
      .String("FontName", "Arial")
      .Boolean("Underline", underline)
      .Single("FontSize", 12.0f)
      .UInt8("FontUnit", 0)
      .String("DataSource", "")
      .String("DataField", "");
  return r;
}

const std::string& StaticText1Record() {
  static const std::string record = LabelRecord(43, 152, 83, 0, true, kBlack, AboutText(), false).Bytes();
  return record;
}

const std::string& StaticText2Record() {
  static const std::string record = LabelRecord(228, 87, 27, 1, false, kLinkColor, kLinkText, true).Bytes();
  return record;
}

const std::string& Canvas1Record() {
  static const std::string record = ControlRecord("", 304, 36, 194, 251, 1)
                                        .Boolean("TabStop", true)
                                        .Boolean("AllowFocusRing", true)
                                        .Boolean("AllowFocus", false)
                                        .Boolean("AllowTabs", false)
                                        .Boolean("Transparent", true)
                                        .Boolean("DoubleBuffer", false)
                                        .Boolean("Transparent", true)
                                        .Bytes();
  return record;
}

// Held for the rest of the run and deliberately never destroyed, so that no
// picture outlives the toolkit at process exit.
std::shared_ptr<Picture>& HeldAboutPicture() {
  static auto* held = new std::shared_ptr<Picture>();
  return *held;
}

}  // namespace

Window2::Window2() = default;
Window2::~Window2() = default;

const std::string& Window2::LayoutRecord() {
  static const std::string record = RecordBuilder()
                                        .Int32("Width", 545)
                                        .Int32("Height", 328)
                                        .Int32("MinimumWidth", 64)
                                        .Int32("MinimumHeight", 64)
                                        .Int32("MaximumWidth", 32000)
                                        .Int32("MaximumHeight", 32000)
                                        .Int32("Type", 0)
                                        .String("Title", "about Kestrane")
                                        .Boolean("HasCloseButton", true)
                                        .Boolean("HasMaximizeButton", false)
                                        .Boolean("HasMinimizeButton", false)
                                        .Boolean("HasFullScreenButton", false)
                                        .Boolean("Resizeable", false)
                                        .Boolean("Composite", false)
                                        .Int32("MacProcID", 0)
                                        .Boolean("FullScreen", false)
                                        .Int32("DefaultLocation", 1)
                                        .Boolean("Visible", true)
                                        .Boolean("HasBackgroundColor", false)
                                        .Color("BackgroundColor", kWhite)
                                        .Boolean("MenuBarVisible", true)
                                        .Boolean("LiveResize", true)
                                        .Bytes();
  return record;
}

void Window2::Layout() { ApplyPropertyBlob(*this, LayoutRecord()); }

void Window2::CreateControls() { _CreateControls0(); }

void Window2::_CreateControls0() {
  _AddControl(_New<::Rectangle>(), "Rectangle1");
  ApplyPropertyBlob(*RuntimeCheckCast<::Rectangle>(_ControlByName("Rectangle1")), Rectangle1Record());

  _AddControl(_New<::Label>(), "StaticText1");
  ApplyPropertyBlob(*RuntimeCheckCast<::Label>(_ControlByName("StaticText1")), StaticText1Record());

  _AddControl(_New<::Label>(), "StaticText2");
  ApplyPropertyBlob(*RuntimeCheckCast<::Label>(_ControlByName("StaticText2")), StaticText2Record());
  RuntimeAddEventHandler(*RuntimeCheckCast<::Label>(_ControlByName("StaticText2")), EventId::MouseEnter,
                         ControlDelegate::Create(this, &Window2::StaticText2_MouseEnter));
  RuntimeAddEventHandler(*RuntimeCheckCast<::Label>(_ControlByName("StaticText2")), EventId::MouseExit,
                         ControlDelegate::Create(this, &Window2::StaticText2_MouseExit));
  RuntimeAddEventHandler(*RuntimeCheckCast<::Label>(_ControlByName("StaticText2")), EventId::MouseDown,
                         MouseDownDelegate::Create(this, &Window2::StaticText2_MouseDown));
  RuntimeAddEventHandler(*RuntimeCheckCast<::Label>(_ControlByName("StaticText2")), EventId::MouseUp,
                         MouseDelegate::Create(this, &Window2::StaticText2_MouseUp));

  _AddControl(_New<::Canvas>(), "Canvas1");
  ::Canvas* canvas = RuntimeCheckCast<::Canvas>(_ControlByName("Canvas1"));
  canvas->SetBackdrop(AboutPicture());
  ApplyPropertyBlob(*canvas, Canvas1Record());
  RuntimeAddEventHandler(*RuntimeCheckCast<::Canvas>(_ControlByName("Canvas1")), EventId::MouseEnter,
                         ControlDelegate::Create(this, &Window2::Canvas1_MouseEnter));
  RuntimeAddEventHandler(*RuntimeCheckCast<::Canvas>(_ControlByName("Canvas1")), EventId::MouseDown,
                         MouseDownDelegate::Create(this, &Window2::Canvas1_MouseDown));
  RuntimeAddEventHandler(*RuntimeCheckCast<::Canvas>(_ControlByName("Canvas1")), EventId::MouseExit,
                         ControlDelegate::Create(this, &Window2::Canvas1_MouseExit));
  RuntimeAddEventHandler(*RuntimeCheckCast<::Canvas>(_ControlByName("Canvas1")), EventId::MouseUp,
                         MouseDelegate::Create(this, &Window2::Canvas1_MouseUp));
}

::Rectangle* Window2::Rectangle1() { return RuntimeCheckCast<::Rectangle>(_ControlByName("Rectangle1")); }
::Label* Window2::StaticText1() { return RuntimeCheckCast<::Label>(_ControlByName("StaticText1")); }
::Label* Window2::StaticText2() { return RuntimeCheckCast<::Label>(_ControlByName("StaticText2")); }
::Canvas* Window2::Canvas1() { return RuntimeCheckCast<::Canvas>(_ControlByName("Canvas1")); }

void Window2::StaticText2_MouseEnter(::Label& sender) { sender.SetMouseCursor(GetCursors().FingerPointer); }

void Window2::StaticText2_MouseExit(::Label& sender) { sender.SetMouseCursor(GetCursors().StandardPointer); }

bool Window2::StaticText2_MouseDown(::Label&, int32_t, int32_t) {
  return true;
}

// A press that ends without a release (the window closed or lost the focus
// meanwhile) is no click: it opens nothing.
void Window2::StaticText2_MouseUp(::Label&, int32_t, int32_t) {
  if (!MouseUpIsRelease()) return;
  ShowURL(kWebURL);
}

void Window2::Canvas1_MouseEnter(::Canvas& sender) { sender.SetMouseCursor(GetCursors().FingerPointer); }

bool Window2::Canvas1_MouseDown(::Canvas&, int32_t, int32_t) {
  return true;
}

void Window2::Canvas1_MouseExit(::Canvas& sender) { sender.SetMouseCursor(GetCursors().StandardPointer); }

void Window2::Canvas1_MouseUp(::Canvas&, int32_t, int32_t) {
  if (!MouseUpIsRelease()) return;
  ShowURL(kMailURL);
}

Window2* ImplicitWindow2() {
  Window* window = FindImplicitWindow("Window2.Window2");
  if (window == nullptr) {
    // A window that fails to build stays ours to delete; once built, the
    // toolkit holds it.
    auto created = std::make_unique<Window2>();
    created->Constructor();
    window = created.release();
  }
  return RuntimeCheckCast<Window2>(window);
}

std::shared_ptr<Picture> AboutPicture() {
  std::shared_ptr<Picture>& held = HeldAboutPicture();
  if (held == nullptr) held = Picture::_OpenFromApp("Odra2020.jpg");
  return held;
}

void ResetAboutPictureForTesting() { HeldAboutPicture() = nullptr; }
