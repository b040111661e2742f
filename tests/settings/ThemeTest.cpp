#include <gtest/gtest.h>

#include <optional>

#include "Later.h"
#include "SimFixture.h"
#include "breaks/BreakLook.h"
#include "options/FormOptions.h"
#include "runtime/Palette.h"

namespace rp::test {
namespace {

class ThemeTest : public SimTest {
 protected:
  void StartWith(const std::optional<std::string>& theme, bool appsLight) {
    desktop.settings.values.clear();
    if (theme) desktop.settings.values["Theme"] = *theme;
    desktop.appsUseLightTheme = appsLight;
    desktop.palette = nullptr;
    desktop.paletteChanges = 0;
    program.reset();
    Start();
  }
  bool Dark() const { return desktop.palette == &kDarkPalette; }
  void ChooseInOptions(const std::string& entry) {
    Later later(desktop, 500, [&] {
      FormOptions& w = *program->formOptions;
      desktop.Choose(w.Combo2, entry);
      desktop.Click(w.PushButton1);
    });
    desktop.Run([&] { form().UserSystemMenu(0); });
  }
};

// The stored choice and Windows' apps setting at the start. The light theme asks the platform
// for nothing, so that the windows are drawn exactly as before there were themes.
TEST_F(ThemeTest, TheStoredChoiceAndWindowsAppsDecideTheStartingTheme) {
  const struct {
    std::optional<std::string> stored;
    bool appsLight;
    bool dark;
  } cases[] = {
      {std::nullopt, true, false}, {std::nullopt, false, false}, {"Light", false, false},
      {"dark", false, false},      {"Dark", true, true},         {"Dark", false, true},
      {"System", true, false},     {"System", false, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.stored.value_or("<absent>") + (c.appsLight ? ", apps light" : ", apps dark"));
    StartWith(c.stored, c.appsLight);
    EXPECT_EQ(Dark(), c.dark);
    EXPECT_EQ(desktop.paletteChanges, c.dark ? 1 : 0);
    EXPECT_EQ(program->theme.Dark(), c.dark);
  }
}

// While the program runs: Windows' apps turning light or dark, and a choice made in Options,
// which is stored and in use at once; the palette is set only when the look changes.
TEST_F(ThemeTest, AChangeWhileRunningRedrawsOnlyWhenTheLookChanges) {
  StartWith("System", true);
  const struct {
    const char* what;
    std::optional<bool> appsLight;  // else the Options entry chosen
    const char* entry;
    const char* stored;
    bool dark;
    int paletteChanges;
  } steps[] = {
      {"apps turn dark", false, nullptr, "System", true, 1},
      {"colour set changes, apps still dark", false, nullptr, "System", true, 1},
      {"apps turn light", true, nullptr, "System", false, 2},
      {"Dark chosen", std::nullopt, "Dark", "Dark", true, 3},
      {"apps turn dark under Dark", false, nullptr, "Dark", true, 3},
      {"apps turn light under Dark", true, nullptr, "Dark", true, 3},
      {"Light chosen", std::nullopt, "Light", "<absent>", false, 4},
      {"apps turn dark under Light", false, nullptr, "<absent>", false, 4},
      {"Same as Windows chosen", std::nullopt, "Same as Windows", "System", true, 5},
  };
  for (const auto& s : steps) {
    SCOPED_TRACE(s.what);
    if (s.appsLight)
      desktop.SetAppsLight(form(), *s.appsLight);
    else
      ChooseInOptions(s.entry);
    EXPECT_EQ(Stored("Theme"), s.stored);
    EXPECT_EQ(Dark(), s.dark);
    EXPECT_EQ(desktop.paletteChanges, s.paletteChanges);
  }
}

// Every text of the program against what it stands on, in the dark palette: at least 4.5:1.
TEST(PaletteTest, DarkTextsReadAtFourAndAHalfToOneAndUnnamedSystemColoursStay) {
  constexpr std::uint32_t kProblemRed = 0x0000A0, kBreakRed = 0x0000FF;  // Options' and Form2's
  const struct {
    const char* what;
    std::uint32_t text, back;
  } pairs[] = {
      {"captions", kButtonTextColour, kButtonFaceColour},
      {"fields", kWindowTextColour, kWindowBackgroundColour},
      {"disabled on a face", kGreyTextColour, kButtonFaceColour},
      {"disabled in a field", kGreyTextColour, kWindowBackgroundColour},
      {"chosen entry", kHighlightTextColour, kHighlightColour},
      {"break windows", kCalmTextColour, kCalmBackColour},
      {"a field's problem", kProblemRed, kButtonFaceColour},
      {"Break!", kBreakRed, kButtonFaceColour},
  };
  for (const auto& p : pairs) {
    const double ratio = ContrastRatio(kDarkPalette.Map(p.text), kDarkPalette.Map(p.back));
    EXPECT_GE(ratio, 4.5) << p.what;
    EXPECT_LT(Luminance(kDarkPalette.Map(p.back)), Luminance(kDarkPalette.Map(p.text))) << p.what << ": dark ground";
  }
  EXPECT_LT(Luminance(kDarkPalette.Map(kCalmBackColour)), 0.05);
  EXPECT_EQ(kDarkPalette.Map(0x80000015u), 0x80000015u);  // a system colour the design never uses
  EXPECT_NEAR(ContrastRatio(0x000000, 0xFFFFFF), 21.0, 1e-9);
}

}  // namespace
}  // namespace rp::test
