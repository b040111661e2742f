#pragma once
#include <windows.h>

#include "ports/Numbers.h"
#include "win32/SystemLibrary.h"

namespace rp::win32 {

// Number text read by the OLE Automation conversions under the user's locale. The library is
// loaded at the first text that is not plain digits, so a usual start does without it.
class Win32Numbers : public Numbers {
 public:
  bool IsNumeric(std::string_view text) override;
  std::int16_t ToInteger16(std::string_view text) override;

 private:
  using VarR8FromStrFn = HRESULT(WINAPI*)(const WCHAR*, LCID, ULONG, double*);
  using VarI2FromStrFn = HRESULT(WINAPI*)(const WCHAR*, LCID, ULONG, SHORT*);
  // False when the library or one of its conversions is missing.
  bool Load();

  SystemLibrary oleaut32_{L"oleaut32.dll"};
  VarR8FromStrFn varR8FromStr_ = nullptr;
  VarI2FromStrFn varI2FromStr_ = nullptr;
};

}  // namespace rp::win32
