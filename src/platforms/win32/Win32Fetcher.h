#pragma once
#include "ports/Fetcher.h"
#include "win32/SystemLibrary.h"

namespace rp::win32 {

// Reads a calendar file where it is, or fetches an http:// or https:// address through WinHTTP
// (winhttp.dll, loaded at the first fetch) with the system's proxy: the automatic proxy of
// Windows 8.1 and later, else the user's Internet Options proxy. 15 seconds for each step of a
// fetch (name, connection, request, each read), and no further read once 15 seconds have passed
// in all. Blocks: call it away from the window's thread; one object a thread.
class Win32Fetcher : public Fetcher {
 public:
  Fetched Fetch(std::string_view location, std::size_t maxBytes) override;

 private:
  SystemLibrary winhttp_{L"winhttp.dll"};
};

}  // namespace rp::win32
