#pragma once
#include <windows.h>

#include <string>

#include "app/Failure.h"
#include "platform/win32/Handles.h"
#include "platform/win32/Text.h"

namespace rp::win32 {

// A library of the system folder that only some actions need (the sound, the file dialog):
// loaded when one of its functions is first wanted rather than at start, with everything it
// pulls in, and freed with its owner.
class SystemLibrary {
 public:
  explicit SystemLibrary(const wchar_t* name) : name_(name) {}

  bool Loaded() const { return static_cast<bool>(module_); }

  // Function is the pointer type, decltype(&::PlaySoundW). Throws Failure when the library or
  // the function cannot be found, which fails the step that wanted it.
  template <class Function>
  Function Get(const char* function) {
    if (!module_) {
      // The full path: never a copy of the library that lies beside the program.
      wchar_t folder[MAX_PATH];
      const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
      if (length > 0 && length < MAX_PATH) module_.reset(LoadLibraryW((std::wstring(folder) + L"\\" + name_).c_str()));
      if (!module_) throw Failure("File not found: " + Narrow(name_));
    }
    const FARPROC address = GetProcAddress(module_.get(), function);
    if (!address) throw Failure("Can't find DLL entry point " + std::string(function) + " in " + Narrow(name_));
    return reinterpret_cast<Function>(reinterpret_cast<void*>(address));
  }

 private:
  const wchar_t* name_;
  UniqueModule module_;
};

}  // namespace rp::win32
