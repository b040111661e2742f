#include "win32/Win32Services.h"

#include <commdlg.h>

#include <vector>

#include "runtime/Failure.h"
#include "win32/Text.h"

namespace rp::win32 {

std::string Win32Dialogs::SaveFile(std::string_view title, std::string_view filter, std::string_view fileName) {
  StartCom();  // the shell's folders in the dialog are COM objects
  const auto getSaveFileName = comdlg32_.Get<decltype(&GetSaveFileNameW)>("GetSaveFileNameW");
  const auto extendedError = comdlg32_.Get<decltype(&CommDlgExtendedError)>("CommDlgExtendedError");
  // "Description|pattern|" as the dialog takes it: "Description\0pattern\0\0".
  std::wstring patterns = Widen(filter);
  for (wchar_t& c : patterns) c = c == L'|' ? L'\0' : c;
  patterns.push_back(L'\0');
  const std::wstring caption = Widen(title), name = Widen(fileName);
  std::vector<wchar_t> chosen(32768, L'\0');
  name.copy(chosen.data(), chosen.size() - 1);

  OPENFILENAMEW save{};
  save.lStructSize = sizeof save;
  save.hwndOwner = GetActiveWindow();
  save.lpstrFilter = patterns.c_str();
  save.nFilterIndex = 1;
  save.lpstrFile = chosen.data();
  save.nMaxFile = static_cast<DWORD>(chosen.size());
  save.lpstrTitle = caption.c_str();
  save.lpstrDefExt = L"csv";
  save.Flags = OFN_EXPLORER | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOREADONLYRETURN;
  if (getSaveFileName(&save)) return Narrow(chosen.data());
  if (extendedError() != 0) throw Failure("The file dialog could not be opened");
  return "";
}

}  // namespace rp::win32
