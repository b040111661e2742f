#pragma once
#include <string_view>

#include "ports/Ui.h"
#include "runtime/Palette.h"

namespace rp {

// The "Theme" setting: the design's light colours (stored as nothing), dark, or as Windows' apps.
enum class ThemeChoice { Light, Dark, System };

// The stored text read: "Dark" or "System"; anything else is light.
ThemeChoice ReadThemeChoice(std::string_view stored);
// The text stored for a choice; "" for light, which is stored as nothing at all.
std::string_view ThemeText(ThemeChoice choice);
// Whether the windows are drawn dark, given whether Windows' apps are light.
bool DrawsDark(ThemeChoice choice, bool appsUseLightTheme);

// Keeps the program's windows in the chosen theme: tells the platform which palette to draw in
// when the choice changes, or, following Windows, when Windows' colour set does. High contrast is
// the platform's and wins over both.
class Theme {
 public:
  Theme(Ui& ui, const Palette& dark) : ui_(ui), dark_(dark) {}
  void Choose(ThemeChoice choice);
  // Windows says its colour set changed (the apps may have turned light or dark).
  void ColourSetChanged();
  bool Dark() const { return drawnDark_; }

 private:
  void Apply();

  Ui& ui_;
  const Palette& dark_;
  ThemeChoice choice_ = ThemeChoice::Light;
  bool drawnDark_ = false;  // the windows start in the design's colours
};

}  // namespace rp
