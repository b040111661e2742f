#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "ports/TimerService.h"
#include "ports/Translations.h"

namespace rp {

class Control;
class Form;
class Palette;

// A picture the program holds: an icon or a cursor. Destroying it frees the native handle.
class Picture {
 public:
  virtual ~Picture() = default;
  virtual int Type() const = 0;  // 3: icon (cursors are icons too)
  virtual std::uintptr_t Handle() const = 0;
};
inline constexpr int kPictureIcon = 3;

// What the tray icon shows of the period when the user asks for it: the share of the period
// used, in steps of `steps`, and whether it counts or stands still, and why.
enum class PeriodState { Counting, Stopped, Paused, Held, OutsideWorkingHours };
struct PeriodPicture {
  int step = 0;   // 0 (nothing used) to steps (the period is up)
  int steps = 0;
  PeriodState state = PeriodState::Stopped;
  bool operator==(const PeriodPicture&) const = default;
};

struct ScreenMetrics {
  int widthTwips = 0;   // the whole primary screen, not its work area
  int heightTwips = 0;
  int dpi = 96;
};

// Mirrors one window model into a native window.
class FormView {
 public:
  virtual ~FormView() = default;
  // Apply every property that differs from what the native window shows.
  virtual void Refresh() = 0;
  virtual void SetFocus() = 0;
  // Gives one of the window's controls the keyboard focus.
  virtual void FocusControl(Control& control) = 0;
  // Outer size in twips that the real frame gives the design client size.
  virtual int OuterWidth() = 0;
  virtual int OuterHeight() = 0;
  // The primary screen measured at the dots per inch of the monitor the window is on, the
  // unit of the window's own size and place.
  virtual ScreenMetrics Screen() = 0;
  // The native window handle (a 32-bit value on the real system).
  virtual std::uintptr_t Handle() = 0;
  // Whether other windows hide all of it, so that nothing drawn in it could be seen.
  virtual bool Covered() = 0;
};

// Window services of the platform, and the translations for their texts.
class Ui : public TimerService, public Translations {
 public:
  // Creates the native window for a form, hidden, with all its controls.
  virtual std::unique_ptr<FormView> CreateView(Form& form) = 0;
  virtual ScreenMetrics Screen() = 0;
  // Loads a cursor or icon file; throws Failure when the file is not a picture.
  virtual std::unique_ptr<Picture> LoadPicture(std::string_view path) = 0;
  // The application icon (the one the executable carries) and the blue 'K' tray icon.
  virtual std::unique_ptr<Picture> ApplicationIcon() = 0;
  virtual std::unique_ptr<Picture> TrayIconPicture() = 0;
  // A tray icon drawn for the period, at the tray's size, to suit the taskbar's colours.
  virtual std::unique_ptr<Picture> PeriodIcon(const PeriodPicture& picture) = 0;
  // Whether Windows shows apps light (its "AppsUseLightTheme"); true where it has no such choice.
  virtual bool AppsUseLightTheme() = 0;
  // Draws every window in this palette from now on, open ones at once, with dark title bars
  // where the system has them; nullptr: the design's colours. A window that keeps its own
  // colours (a skin's) stays as it is.
  virtual void UsePalette(const Palette* palette) = 0;
  // Sets the program-wide application title.
  virtual void SetApplicationTitle(std::string_view title) = 0;
};

}  // namespace rp
