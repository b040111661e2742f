#pragma once
#include <string>
#include <string_view>

namespace rp {

// Modal dialogs. Both return only when the user has answered.
class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // style as MessageBox takes it (48: OK button, exclamation icon). Returns the button pressed.
  virtual int MessageBox(std::string_view text, std::string_view title, int style) = 0;
  // The open-file dialog. filter is "Description|pattern|Description|pattern|".
  // Returns the chosen path, or "" when cancelled. Throws Failure when it cannot be shown.
  virtual std::string OpenFile(std::string_view title, std::string_view filter) = 0;
  // The save-file dialog, offering `fileName`; asks before an existing file is replaced.
  // Returns the chosen path, or "" when cancelled. Throws Failure when it cannot be shown.
  virtual std::string SaveFile(std::string_view title, std::string_view filter, std::string_view fileName) = 0;
};

}  // namespace rp
