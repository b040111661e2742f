#include "win32/Win32Dialogs.h"

#include <windows.h>
#include <commdlg.h>

#include <vector>

#include "runtime/Failure.h"
#include "win32/Text.h"

namespace rp::win32 {

int Win32Dialogs::MessageBox(std::string_view text, std::string_view title, int style) {
  return MessageBoxA(GetActiveWindow(), ToAnsiCodePage(text).c_str(), ToAnsiCodePage(title).c_str(),
                     static_cast<UINT>(style));
}

std::string Win32Dialogs::OpenFile(std::string_view title, std::string_view filter) {
  return ShowFileDialog(false, title, filter, "");
}

std::string Win32Dialogs::SaveFile(std::string_view title, std::string_view filter, std::string_view fileName) {
  return ShowFileDialog(true, title, filter, fileName);
}

std::string Win32Dialogs::ShowFileDialog(bool save, std::string_view title, std::string_view filter,
                                         std::string_view fileName) {
  // The dialog shows the shell's folders, which are COM objects; without COM it still opens.
  com_.Start();
  using ShowFn = decltype(&GetOpenFileNameW);
  const auto show = comdlg32_.Get<ShowFn>(save ? "GetSaveFileNameW" : "GetOpenFileNameW");
  const auto extendedError = comdlg32_.Get<decltype(&CommDlgExtendedError)>("CommDlgExtendedError");
  // "Description|pattern|" becomes "Description\0pattern\0\0".
  std::wstring filterList = Widen(filter);
  for (wchar_t& c : filterList)
    if (c == L'|') c = L'\0';
  filterList.push_back(L'\0');
  const std::wstring wideTitle = Widen(title), name = Widen(fileName);
  std::vector<wchar_t> file(32768, L'\0');
  name.copy(file.data(), file.size() - 1);

  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = GetActiveWindow();
  dialog.lpstrFilter = filterList.c_str();
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = file.data();
  dialog.nMaxFile = static_cast<DWORD>(file.size());
  dialog.lpstrTitle = wideTitle.c_str();
  dialog.Flags = OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY |
                 (save ? OFN_OVERWRITEPROMPT | OFN_NOREADONLYRETURN : OFN_FILEMUSTEXIST);
  // A name typed without an extension takes the first pattern's ("*.csv" gives "csv").
  const std::wstring defaultExtension = [&] {
    const auto dot = filterList.find(L"*.");
    return dot == std::wstring::npos ? std::wstring() : std::wstring(filterList.c_str() + dot + 2);
  }();
  if (save && !defaultExtension.empty()) dialog.lpstrDefExt = defaultExtension.c_str();
  if (show(&dialog)) return Narrow(file.data());
  if (extendedError() != 0) throw Failure("The file dialog could not be opened");
  return "";
}

}  // namespace rp::win32
