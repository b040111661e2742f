#include "settings/Theme.h"

namespace rp {

ThemeChoice ReadThemeChoice(std::string_view stored) {
  if (stored == "Dark") return ThemeChoice::Dark;
  if (stored == "System") return ThemeChoice::System;
  return ThemeChoice::Light;
}

std::string_view ThemeText(ThemeChoice choice) {
  switch (choice) {
    case ThemeChoice::Dark: return "Dark";
    case ThemeChoice::System: return "System";
    case ThemeChoice::Light: break;
  }
  return "";
}

bool DrawsDark(ThemeChoice choice, bool appsUseLightTheme) {
  return choice == ThemeChoice::Dark || (choice == ThemeChoice::System && !appsUseLightTheme);
}

void Theme::Choose(ThemeChoice choice) {
  choice_ = choice;
  Apply();
}

void Theme::ColourSetChanged() {
  if (choice_ == ThemeChoice::System) Apply();
}

void Theme::Apply() {
  // Windows is asked only when the choice follows it.
  const bool dark = DrawsDark(choice_, choice_ != ThemeChoice::System || ui_.AppsUseLightTheme());
  if (dark == drawnDark_) return;
  drawnDark_ = dark;
  ui_.UsePalette(dark ? &dark_ : nullptr);
}

}  // namespace rp
