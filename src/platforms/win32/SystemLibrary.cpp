#include "win32/SystemLibrary.h"

#include <objbase.h>

#include <string>

namespace rp::win32 {

HMODULE LoadSystemLibrary(const wchar_t* name) {
  wchar_t folder[MAX_PATH];
  const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return nullptr;
  return LoadLibraryW((std::wstring(folder, length) + L"\\" + name).c_str());
}

bool ComApartment::Start() {
  if (!started_) {
    const auto initialise = ole32_.Find<decltype(&CoInitializeEx)>("CoInitializeEx");
    const HRESULT result = initialise ? initialise(nullptr, COINIT_APARTMENTTHREADED) : E_NOTIMPL;
    started_ = SUCCEEDED(result);
  }
  return *started_;
}

HRESULT ComApartment::CreateInstance(REFCLSID type, REFIID iid, void** object) {
  const auto create = ole32_.Find<decltype(&CoCreateInstance)>("CoCreateInstance");
  return create ? create(type, nullptr, CLSCTX_INPROC_SERVER, iid, object) : E_NOTIMPL;
}

}  // namespace rp::win32
