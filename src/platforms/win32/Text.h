#pragma once
#include <string>
#include <string_view>

namespace rp::win32 {

// The core keeps text in UTF-8; Windows takes UTF-16, or the ANSI code page for the A calls.
std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view wide);
std::string ToAnsiCodePage(std::string_view utf8);

}  // namespace rp::win32
