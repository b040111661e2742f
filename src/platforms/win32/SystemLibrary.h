#pragma once
#include <windows.h>

#include <optional>
#include <string>

#include "runtime/Failure.h"
#include "win32/Handles.h"
#include "win32/Text.h"

namespace rp::win32 {

// Loads a library of Windows from the system folder, never from beside the program; null when
// it cannot be loaded. The caller owns the reference.
HMODULE LoadSystemLibrary(const wchar_t* name);

// A function of a library the process already has (user32) that older Windows may lack; null
// there.
template <class Function>
Function LibraryFunction(const wchar_t* library, const char* name) {
  HMODULE module = GetModuleHandleW(library);
  return module ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)))
                : nullptr;
}

// A library of the system folder that only some actions need (the sound, the file dialog, the
// user's number format): loaded when one of its functions is first wanted rather than at start,
// with everything it pulls in, and freed with its owner.
class SystemLibrary {
 public:
  // Where the library comes from: the system folder, or (for a library the program's manifest
  // names, such as version 6 of the common controls) by name, as an import is resolved.
  enum class From { SystemFolder, Manifest };

  explicit SystemLibrary(const wchar_t* name, From from = From::SystemFolder) : name_(name), from_(from) {}

  bool Loaded() const { return static_cast<bool>(module_); }

  // Function is the pointer type, decltype(&::PlaySoundW); null when the library or the
  // function is missing. The library is asked for once.
  template <class Function>
  Function Find(const char* function) {
    if (!module_ && !tried_) {
      tried_ = true;
      module_.reset(from_ == From::Manifest ? LoadLibraryW(name_) : LoadSystemLibrary(name_));
    }
    if (!module_) return nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module_.get(), function)));
  }

  // As Find, but throws Failure when the library or the function cannot be found, which fails
  // the step that wanted it.
  template <class Function>
  Function Get(const char* function) {
    if (!module_) tried_ = false;  // a step that needs it asks again
    const Function found = Find<Function>(function);
    if (!module_) throw Failure("File not found: " + Narrow(name_));
    if (!found) throw Failure("Can't find DLL entry point " + std::string(function) + " in " + Narrow(name_));
    return found;
  }

 private:
  const wchar_t* name_;
  From from_;
  bool tried_ = false;
  UniqueModule module_;
};

// COM on the program's one window thread, started by the first step that needs it (the file
// dialog's shell folders, the accessible objects) and left running to the end, as either may
// still have COM objects out.
class ComApartment {
 public:
  // False when COM cannot start, and when it already runs on this thread for many threads:
  // objects made for one thread would then be called from others.
  bool Start();
  // CoCreateInstance of an in-process object, once COM runs.
  HRESULT CreateInstance(REFCLSID type, REFIID iid, void** object);

 private:
  SystemLibrary ole32_{L"ole32.dll"};
  std::optional<bool> started_;  // asked once
};

}  // namespace rp::win32
