#pragma once
#include <windows.h>

namespace rp::win32 {

// Loads a library of Windows from the system folder, never from beside the program. A library
// loaded for a feature stays for the rest of the process, as the objects it made may be called
// until the end.
HMODULE LoadSystemLibrary(const wchar_t* name);

// A function of a loaded library that older Windows may lack; null there.
template <class Fn>
Fn LibraryFunction(const wchar_t* library, const char* name) {
  HMODULE module = GetModuleHandleW(library);
  return module ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

}  // namespace rp::win32
