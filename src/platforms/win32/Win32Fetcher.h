#pragma once
#include <windows.h>

#include "ports/Fetcher.h"
#include "win32/Handles.h"
#include "win32/SystemLibrary.h"

namespace rp::win32 {

// Reads a calendar file where it is, or fetches an http:// or https:// address through WinHTTP
// (winhttp.dll, loaded at the first fetch) with the system's proxy: the automatic proxy of
// Windows 8.1 and later, else the user's Internet Options proxy. 15 seconds for each step of a
// fetch (name, connection, request, each read), and no further read once 15 seconds have passed
// in all. Fetch blocks: call it away from the window's thread, one object a thread. FetchLater
// reads on a thread of its own and posts the answer to a message-only window made at its first
// use, on the thread that made it; a thread still reading at the end is left to the process's.
class Win32Fetcher : public Fetcher {
 public:
  explicit Win32Fetcher(HINSTANCE instance) : instance_(instance) {}
  Fetched Fetch(std::string_view location, std::size_t maxBytes) override;
  void FetchLater(std::string location, std::size_t maxBytes, std::function<void(Fetched)> done) override;

 private:
  static LRESULT CALLBACK ReplyWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  HINSTANCE instance_;
  SystemLibrary winhttp_{L"winhttp.dll"};
  UniqueWindow replies_;
};

}  // namespace rp::win32
