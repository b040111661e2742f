#pragma once
#include <string>
#include <string_view>

namespace rp {

// Modal dialogs. Both return only when the user has answered.
class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // style as MessageBox takes it (48: OK button, exclamation icon; 36: Yes and No, question
  // mark). Returns the button pressed (1 OK, 6 Yes, 7 No).
  virtual int MessageBox(std::string_view text, std::string_view title, int style) = 0;
  // The open-file dialog. filter is "Description|pattern|Description|pattern|".
  // Returns the chosen path, or "" when cancelled. Throws Failure when it cannot be shown.
  virtual std::string OpenFile(std::string_view title, std::string_view filter) = 0;
  // The save-file dialog, offering the name `fileName`; it asks before a file is
  // replaced. Returns the chosen path, or "" when cancelled. Throws Failure when it cannot be shown.
  virtual std::string SaveFile(std::string_view title, std::string_view filter, std::string_view fileName) = 0;
};

}  // namespace rp
