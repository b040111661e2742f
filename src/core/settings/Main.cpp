#include "settings/Main.h"

#include <utility>

#include "runtime/Failure.h"
#include "runtime/Form.h"

namespace rp {

std::string LocationTag(std::string_view formAndHandler) {
  return "in RespitePrompter2021/08/31." + std::string(formAndHandler) + " ";
}

std::string ApplicationErrorMessage(std::string_view description, std::string_view location,
                                    std::int32_t number) {
  // The location and its line number stay as they are: they are for the developer.
  std::string message(description);
  message += "\r\n";
  message += location;
  message += "at line ";
  message += std::to_string(number);
  message += "\r\r";
  // TRANSLATORS: {address} is an e-mail address.
  message += Fill(Tr("Please email screenshot of this message to {address}"), {{"address", kSupportAddress}});
  return message;
}

void Main::ReportApplicationError(std::string_view description, std::string_view location,
                                  std::int32_t number) {
  platform_.dialogs.MessageBox(ApplicationErrorMessage(Tr(description), location, number), Tr(kErrorTitle),
                               kErrorStyle);
}

void Main::ReportApplicationError(const std::exception& e, std::string_view location, std::int32_t number) {
  platform_.dialogs.MessageBox(ApplicationErrorMessage(ShownDescription(e), location, number), Tr(kErrorTitle),
                               kErrorStyle);
}

void Main::SetAppTitle() {
  std::string title(kProductName);
  do {
    const auto lastSpace = title.rfind(' ');
    if (lastSpace == std::string::npos) throw Failure(kInvalidCall);
    title.erase(lastSpace);
  } while (title.size() > 40);
  platform_.ui.SetApplicationTitle(title);
  appTitle_ = std::move(title);
}

std::string Main::AppTitle() { return appTitle_.empty() ? std::string(kProductName) : appTitle_; }

bool Main::FileExists(std::string_view path) {
  if (path.empty()) return false;
  try {
    return platform_.files.CanReadModificationTime(path);
  } catch (...) {
    return false;
  }
}

void Main::MakeTopmost(Form& form) { form.MakeTopmost(); }

void SetDesignFonts(Form& form) {
  static const Font kWindowFont{"Arial", 9, true};
  static const Font kButtonFont{"Arial", 11.25, true};
  for (Control* control : form.Controls())
    control->SetFont(control->Kind() == ControlKind::PushButton ? kButtonFont : kWindowFont);
}

void Main::SetButtonFaceColors(Form& form) {
  form.SetBackColor(kButtonFaceColour);
  for (Control* control : form.Controls()) {
    switch (control->Kind()) {
      case ControlKind::CheckBox:
      case ControlKind::Frame:
      case ControlKind::Label:
        control->SetBackColor(kButtonFaceColour);
        break;
      default:
        break;
    }
  }
}

std::string Main::ProgramFolder() { return platform_.files.ProgramFolder(); }

std::string Main::ProgramFile(std::string_view name) {
  // At a drive root the folder already ends with its separator ("C:\\").
  std::string folder = ProgramFolder();
  if (!folder.ends_with('\\')) folder += '\\';
  return folder + std::string(name);
}

std::string Main::GetSetting(std::string_view name, std::string_view defaultValue) {
  return settings_.Get(name, defaultValue);
}

void Main::SaveSetting(std::string_view name, std::string_view value) { settings_.Save(name, value); }

void Main::ShowWhetherSetByPolicy(Control& control, std::string_view setting) {
  const bool managed = settings_.SetByPolicy(setting);
  control.SetEnabled(!managed, managed ? Tr(kSetByAdministrator) : std::string());
}

}  // namespace rp
