#pragma once
#include <windows.h>

#include "ports/Dialogs.h"
#include "win32/SystemLibrary.h"

namespace rp::win32 {

// The open-file dialog's library (with the printing, COM and RPC libraries it pulls in) and COM
// are loaded when the dialog is first opened, not at start.
class Win32Dialogs : public Dialogs {
 public:
  explicit Win32Dialogs(ComApartment& com) : com_(com) {}

  int MessageBox(std::string_view text, std::string_view title, int style) override;
  std::string OpenFile(std::string_view title, std::string_view filter) override;
  std::string SaveFile(std::string_view title, std::string_view filter, std::string_view fileName) override;

 private:
  // The open or save dialog; "" when cancelled. Throws Failure when it cannot open.
  std::string ShowFileDialog(bool save, std::string_view title, std::string_view filter, std::string_view fileName);

  ComApartment& com_;
  SystemLibrary comdlg32_{L"comdlg32.dll"};
};

}  // namespace rp::win32
