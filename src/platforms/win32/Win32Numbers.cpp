#include "win32/Win32Numbers.h"

#include <optional>

#include "runtime/Conversions.h"
#include "runtime/Failure.h"
#include "win32/Text.h"

namespace rp::win32 {
namespace {

// Up to five ASCII digits read the same under every locale; they need no library.
std::optional<int> PlainDigits(std::string_view text) {
  if (text.empty() || text.size() > 5) return std::nullopt;
  int value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  return value;
}

// The library reads up to the first NUL; a text that holds one is not a number.
std::optional<std::wstring> OleText(std::string_view text) {
  std::wstring wide = Widen(text);
  if (wide.find(L'\0') != std::wstring::npos) return std::nullopt;
  return wide;
}

}  // namespace

bool Win32Numbers::Load() {
  if (!varR8FromStr_ || !varI2FromStr_) {
    varR8FromStr_ = oleaut32_.Find<VarR8FromStrFn>("VarR8FromStr");
    varI2FromStr_ = oleaut32_.Find<VarI2FromStrFn>("VarI2FromStr");
  }
  return varR8FromStr_ && varI2FromStr_;
}

bool Win32Numbers::IsNumeric(std::string_view text) {
  if (PlainDigits(text)) return true;
  const auto wide = OleText(text);
  if (!wide) return false;
  if (!Load()) return rp::IsNumeric(text);  // without the library, the English reading
  double value = 0;
  // Too large for any number is still a number: reading it as an integer reports the overflow.
  const HRESULT result = varR8FromStr_(wide->c_str(), LOCALE_USER_DEFAULT, 0, &value);
  return result == S_OK || result == DISP_E_OVERFLOW;
}

std::int16_t Win32Numbers::ToInteger16(std::string_view text) {
  if (const auto digits = PlainDigits(text)) {
    if (*digits > 32767) throw Failure("Overflow");
    return static_cast<std::int16_t>(*digits);
  }
  const auto wide = OleText(text);
  if (!wide) throw Failure("Type mismatch");
  if (!Load()) return rp::ToInteger16(text);
  SHORT value = 0;
  const HRESULT result = varI2FromStr_(wide->c_str(), LOCALE_USER_DEFAULT, 0, &value);
  if (result == S_OK) return value;
  throw Failure(result == DISP_E_OVERFLOW ? "Overflow" : "Type mismatch");
}

}  // namespace rp::win32
