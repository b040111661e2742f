#pragma once
#include <cstdint>
#include <exception>
#include <span>
#include <string>
#include <utility>
#include <string_view>

#include "settings/ManagedSettings.h"
#include "ports/Platform.h"
#include "runtime/Translation.h"

namespace rp {

class Control;
class Form;

inline constexpr std::string_view kProductName = "Periodic Respite Prompter Utility";
inline constexpr std::string_view kSupportAddress = "support@kelvadore.example";
// TRANSLATORS: the title of the box that reports a failure.
inline constexpr std::string_view kErrorTitle = TrNoop("Application Error");
inline constexpr int kErrorStyle = 48;  // OK button, exclamation icon
// Why a control whose setting a policy sets takes no input.
// TRANSLATORS: why a control takes no input: an administrator's policy sets its setting.
inline constexpr std::string_view kSetByAdministrator = TrNoop("Set by your administrator");

// The program's windows in their design fonts: bold Arial 9, the push buttons bold Arial 11.25.
void SetDesignFonts(Form& form);

// The shared helpers and the one error report box.
class Main {
 public:
  explicit Main(Platform& platform) : platform_(platform), settings_(platform.settings) {}

  // The application title: the product name without its last word, at most 40 characters.
  void SetAppTitle();
  // The title the program's own notices carry; the product name until SetAppTitle ran.
  std::string AppTitle();
  // True when the path names something whose modification time can be read; never reports.
  bool FileExists(std::string_view path);
  void MakeTopmost(Form& form);
  // The window and its check boxes, frames and labels take the button-face colour.
  void SetButtonFaceColors(Form& form);
  // Shows the "Application Error" box and returns when the user pressed OK. The description is
  // the English one, shown in the user's language.
  void ReportApplicationError(std::string_view description, std::string_view location,
                              std::int32_t number);
  void ReportApplicationError(const std::exception& e, std::string_view location, std::int32_t number);
  // Restyles the main window when a skin file lies beside the program.
  void ApplySkin(Form& form);

  // The folder that holds the program, and a file in it.
  std::string ProgramFolder();
  std::string ProgramFile(std::string_view name);

  // The platform's number reading, under the user's locale.
  bool IsNumeric(std::string_view text) { return platform_.numbers.IsNumeric(text); }
  std::int16_t ToInteger16(std::string_view text) { return platform_.numbers.ToInteger16(text); }

  // The per-user settings, under the administrator's policies (ManagedSettings).
  std::string GetSetting(std::string_view name, std::string_view defaultValue);
  void SaveSetting(std::string_view name, std::string_view value);
  bool SetByPolicy(std::string_view name) { return settings_.SetByPolicy(name); }
  ManagedSettings& Settings() { return settings_; }
  // A control whose setting a policy sets takes no input and says why; others take it again.
  void ShowWhetherSetByPolicy(Control& control, std::string_view setting);
  // The same for each control with the setting it shows.
  void ShowWhetherSetByPolicy(std::span<const std::pair<Control*, std::string_view>> controls) {
    for (const auto& [control, setting] : controls) ShowWhetherSetByPolicy(*control, setting);
  }
  // False when an administrator's policy ("Allow Exit" = "Off") keeps the user from ending the
  // program: every way to end it the user has (the close button, a menu's Exit) asks this.
  bool ExitAllowed() { return GetSetting("Allow Exit", "On") != "Off"; }

  Platform& GetPlatform() { return platform_; }

 private:
  Platform& platform_;
  ManagedSettings settings_;
  std::string appTitle_;  // as SetAppTitle gave it to the platform
};

// The text of the "Application Error" box, the description already in the user's language.
std::string ApplicationErrorMessage(std::string_view description, std::string_view location,
                                    std::int32_t number);

// The location tag of a handler: "in RespitePrompter2021/08/31.Form1.Form_Load ".
std::string LocationTag(std::string_view formAndHandler);

}  // namespace rp
