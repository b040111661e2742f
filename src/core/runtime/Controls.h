#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace rp {

class Form;

// A hot key box takes a key with its modifiers as the user presses it; its text is the key as
// settings/HotkeyText writes it ("Ctrl+Alt+B"), "" for none. A tab strip shows one of its pages
// (the frames it contains) at a time, each named on its tab by the page's caption.
// A picture is drawn as a chart is, from shapes, and read out as a graphic named by its caption.
enum class ControlKind { Frame, Label, TextBox, CheckBox, PushButton, ProgressBar, Chart, ComboBox, HotkeyBox, TabStrip, Picture };

// A text box and a hot key box hold the user's text, not a caption; a change raises onChange.
inline bool HoldsUserText(ControlKind kind) { return kind == ControlKind::TextBox || kind == ControlKind::HotkeyBox; }

// The writing a font must have the characters of, beyond the Latin and Cyrillic ones every face has.
enum class Script { Latin, Japanese, SimplifiedChinese };

struct Font {
  std::string face;
  double points = 0;  // 0: the window's font
  bool bold = false;
  Script script = Script::Latin;
};

// Where a label's caption (or a chart's text) sits within its width.
enum class TextAlign { Left, Centre, Right };

// Position and size in twips, relative to the container (a frame or the window's client area).
struct TwipsRect {
  int left = 0, top = 0, width = 0, height = 0;
  bool operator==(const TwipsRect&) const = default;
};

// Colours: 0x00BBGGRR, or a system colour index with the 0x80000000 flag.
inline constexpr std::uint32_t kButtonFaceColour = 0x8000000F;
inline constexpr std::uint32_t kWindowBackgroundColour = 0x80000005;
inline constexpr std::uint32_t kWindowTextColour = 0x80000008;
inline constexpr std::uint32_t kButtonTextColour = 0x80000012;
inline constexpr std::uint32_t kHighlightColour = 0x8000000D;
inline constexpr std::uint32_t kButtonShadowColour = 0x80000010;
inline constexpr std::uint32_t kHighlightTextColour = 0x8000000E;
inline constexpr std::uint32_t kGreyTextColour = 0x80000011;

// One part of what a chart shows, in twips from the chart's top left corner. The platform paints
// the parts in order: a filled rectangle, a rectangle's one-pixel outline, a one-pixel line from
// the top left to the bottom right corner of `rect`, or one line of text in the chart's font,
// centred vertically in `rect`. A picture's strokes are `pen` twips wide: a straight stroke from
// the top left corner by the width and height (either may be below zero), an ellipse's outline
// or its filled disc within `rect`, or an arc of that ellipse from `start` degrees
// counter-clockwise from three o'clock, by `sweep`; an image is the picture file `text` scaled
// to fit `rect`, keeping its shape.
struct DrawnShape {
  enum class Kind { Fill, Outline, Line, Text, Stroke, Ellipse, Disc, Arc, Image };
  Kind kind = Kind::Fill;
  TwipsRect rect;
  std::uint32_t colour = 0;
  std::string text;
  TextAlign align = TextAlign::Left;
  int pen = 0, start = 0, sweep = 0;
  bool operator==(const DrawnShape&) const = default;
};

// The system colours a control of the kind shows until a skin or the program sets others.
std::uint32_t DesignBackColour(ControlKind kind);
std::uint32_t DesignForeColour(ControlKind kind);

// What changed on a control, so that its view re-applies and redraws only that.
enum class ControlChange {
  Text,
  Value,    // a check box's state, a progress bar's value
  Maximum,  // a progress bar's maximum
  Visible,
  Look,     // colours, font, alignment
  Place,    // position or size
  Drawing,  // what a chart shows
  Enabled,  // whether it takes input, and the reason when it does not
  Entries   // a drop-down list's entries
};

// Mirrors one control model into a native control.
class ControlView {
 public:
  virtual ~ControlView() = default;
  // Told once for each change of the model, and only for a real change.
  virtual void Refresh(ControlChange change) = 0;
};

// One control of a window. Setting a value from code raises the control's handler
// synchronously, and only when the value really changes; user input comes back
// through the User* calls, which raise the same handler and are not mirrored back.
class Control {
 public:
  Control(Form& form, ControlKind kind, std::string name, Control* container, TwipsRect rect,
          int tabIndex, std::string text);
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  Form& Owner() const { return form_; }
  ControlKind Kind() const { return kind_; }
  const std::string& Name() const { return name_; }
  Control* Container() const { return container_; }
  const TwipsRect& Rect() const { return rect_; }
  // A window that can be resized moves and sizes its controls.
  void SetRect(const TwipsRect& rect);
  int TabIndex() const { return tabIndex_; }

  // Caption of a frame, label or button; text of a text box or of the progress bar.
  const std::string& Text() const { return text_; }
  void SetText(std::string text);

  // Check box: 0 unchecked, 1 checked, 2 grayed. Progress bar: the bar's value. Drop-down
  // list: the index of the chosen entry, -1 for none. Tab strip: the index of the page shown.
  int Value() const { return value_; }
  void SetValue(int value);

  // Drop-down list: the entries to choose from, in order. The chosen index stays where the new
  // entries still have one. Tab strip: its pages' captions, kept by the strip.
  const std::vector<std::string>& Entries() const { return entries_; }
  void SetEntries(std::vector<std::string> entries);

  // Tab strip: its pages in order. A page is a frame placed in the strip; only the chosen one
  // shows.
  const std::vector<Control*>& Pages() const { return pages_; }
  // The page of a tab strip that holds this control, at any depth; nullptr when none does.
  Control* Page() const;
  // Gives the control the keyboard focus, showing its page first when that is hidden.
  void SetFocus();

  // Progress bar maximum.
  int Max() const { return max_; }
  void SetMax(int max);

  bool Visible() const { return visible_; }
  void SetVisible(bool visible);

  // A disabled control takes no input from the user; the reason, when given, is its tip.
  bool Enabled() const { return enabled_; }
  const std::string& DisabledReason() const { return disabledReason_; }
  void SetEnabled(bool enabled, std::string reason = {});

  std::uint32_t BackColor() const { return backColor_; }
  void SetBackColor(std::uint32_t colour);
  std::uint32_t ForeColor() const { return foreColor_; }
  void SetForeColor(std::uint32_t colour);
  // Progress bar: the colour of its filled part.
  std::uint32_t FillColor() const { return fillColor_; }
  void SetFillColor(std::uint32_t colour);

  const Font& GetFont() const { return font_; }
  void SetFont(Font font);

  // Label: the caption's alignment.
  TextAlign Alignment() const { return alignment_; }
  void SetAlignment(TextAlign alignment);

  // Chart: the shapes it shows.
  const std::vector<DrawnShape>& Drawing() const { return drawing_; }
  void SetDrawing(std::vector<DrawnShape> drawing);

  // Raised on a text change (text box), a value change (check box, drop-down list) or a click
  // (button).
  std::function<void()> onChange;
  // Raised when the pointer moves over the control.
  std::function<void()> onMouseMove;

  // From the platform: the user typed, toggled, clicked, chose an entry, or moved the pointer.
  void UserSetText(std::string text);
  void UserClick();
  void UserChoose(int index);
  void UserMouseMove();

  void Attach(ControlView* view) { view_ = view; }

 private:
  void Mirror(ControlChange change);
  void Raise(const std::function<void()>& handler);
  // Tab strip: shows the chosen page and hides the others.
  void ShowChosenPage();

  Form& form_;
  ControlKind kind_;
  std::string name_;
  Control* container_;
  TwipsRect rect_;
  int tabIndex_;
  std::string text_;
  int value_ = 0;
  std::vector<std::string> entries_;
  std::vector<Control*> pages_;
  int max_ = 100;
  bool visible_ = true;
  bool enabled_ = true;
  std::string disabledReason_;
  std::uint32_t backColor_;
  std::uint32_t foreColor_;
  std::uint32_t fillColor_ = kHighlightColour;
  Font font_;
  TextAlign alignment_ = TextAlign::Left;
  std::vector<DrawnShape> drawing_;
  ControlView* view_ = nullptr;
};

}  // namespace rp
