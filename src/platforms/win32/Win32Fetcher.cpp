#include "win32/Win32Fetcher.h"

#include <windows.h>
#include <winhttp.h>

#include <atomic>
#include <memory>
#include <string>

#include "win32/Handles.h"
#include "win32/SystemLibrary.h"
#include "win32/Text.h"

namespace rp::win32 {
namespace {

constexpr DWORD kStepMs = 15000;
constexpr UINT kFetchedMessage = WM_APP + 1;
constexpr wchar_t kReplyWindowClass[] = L"RespitePrompterFetched";
constexpr ULONGLONG kWholeMs = 15000;
#ifndef WINHTTP_ACCESS_TYPE_AUTOMATIC_PROXY
constexpr DWORD WINHTTP_ACCESS_TYPE_AUTOMATIC_PROXY = 4;
#endif

std::wstring Expanded(std::string_view location) {
  const std::wstring wide = Widen(location);
  std::wstring out(32768, L'\0');
  const DWORD length = ExpandEnvironmentStringsW(wide.c_str(), out.data(), static_cast<DWORD>(out.size()));
  if (length == 0 || length > out.size()) return wide;
  out.resize(length - 1);
  return out;
}

Fetched ReadLocalFile(const std::wstring& path, std::size_t maxBytes) {
  // Shared for writing and deleting too: a synced folder may be replacing the file meanwhile.
  UniqueFile file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return {FetchOutcome::Unreadable, 0, {}};
  LARGE_INTEGER size;
  if (!GetFileSizeEx(file.get(), &size)) return {FetchOutcome::Unreadable, 0, {}};
  if (static_cast<unsigned long long>(size.QuadPart) > maxBytes) return {FetchOutcome::TooLarge, 0, {}};
  Fetched fetched{FetchOutcome::Read, 0, std::string(static_cast<std::size_t>(size.QuadPart), '\0')};
  DWORD read = 0;
  if (!ReadFile(file.get(), fetched.body.data(), static_cast<DWORD>(fetched.body.size()), &read, nullptr))
    return {FetchOutcome::Unreadable, 0, {}};
  fetched.body.resize(read);
  return fetched;
}

// Closes a request from a thread of the pool once its time is up.
class Watchdog {
 public:
  bool Start(HINTERNET request, decltype(&WinHttpCloseHandle) close, ULONGLONG ms) {
    request_ = request;
    close_ = close;
    return CreateTimerQueueTimer(&timer_, nullptr, &Watchdog::Due, this, static_cast<DWORD>(ms), 0, WT_EXECUTEONLYONCE);
  }
  // Ends the watch, waiting for a closing under way; true when it closed the request.
  bool Stop() {
    if (timer_) DeleteTimerQueueTimer(nullptr, timer_, INVALID_HANDLE_VALUE);
    timer_ = nullptr;
    return fired_;
  }
  bool Fired() const { return fired_; }

 private:
  static void CALLBACK Due(void* self, BOOLEAN) {
    auto* watchdog = static_cast<Watchdog*>(self);
    watchdog->fired_ = true;
    watchdog->close_(watchdog->request_);
  }
  HANDLE timer_ = nullptr;
  HINTERNET request_ = nullptr;
  decltype(&WinHttpCloseHandle) close_ = nullptr;
  std::atomic<bool> fired_{false};
};

class Internet {
 public:
  explicit Internet(SystemLibrary& api) : api_(api) {}
  ~Internet() {
    if (watchdog_.Stop()) request_ = nullptr;  // closed by the watchdog
    for (HINTERNET h : {request_, connection_, session_})
      if (h) close_(h);
  }

  Fetched Get(const std::wstring& address, std::size_t maxBytes) {
    close_ = api_.Find<decltype(&WinHttpCloseHandle)>("WinHttpCloseHandle");
    const auto open = api_.Find<decltype(&WinHttpOpen)>("WinHttpOpen");
    const auto crack = api_.Find<decltype(&WinHttpCrackUrl)>("WinHttpCrackUrl");
    const auto connect = api_.Find<decltype(&WinHttpConnect)>("WinHttpConnect");
    const auto openRequest = api_.Find<decltype(&WinHttpOpenRequest)>("WinHttpOpenRequest");
    const auto timeouts = api_.Find<decltype(&WinHttpSetTimeouts)>("WinHttpSetTimeouts");
    const auto send = api_.Find<decltype(&WinHttpSendRequest)>("WinHttpSendRequest");
    const auto receive = api_.Find<decltype(&WinHttpReceiveResponse)>("WinHttpReceiveResponse");
    const auto query = api_.Find<decltype(&WinHttpQueryHeaders)>("WinHttpQueryHeaders");
    const auto available = api_.Find<decltype(&WinHttpQueryDataAvailable)>("WinHttpQueryDataAvailable");
    const auto read = api_.Find<decltype(&WinHttpReadData)>("WinHttpReadData");
    const auto option = api_.Find<decltype(&WinHttpSetOption)>("WinHttpSetOption");
    if (!close_ || !open || !crack || !connect || !openRequest || !timeouts || !send || !receive || !query ||
        !available || !read || !option)
      return {FetchOutcome::Unreachable, 0, {}};
    const ULONGLONG began = GetTickCount64();

    URL_COMPONENTS url{};
    url.dwStructSize = sizeof url;
    url.dwHostNameLength = url.dwUrlPathLength = url.dwExtraInfoLength = static_cast<DWORD>(-1);
    if (!crack(address.c_str(), static_cast<DWORD>(address.size()), 0, &url)) return {FetchOutcome::Unreachable, 0, {}};
    const std::wstring host(url.lpszHostName, url.dwHostNameLength);
    const std::wstring path = std::wstring(url.lpszUrlPath, url.dwUrlPathLength) +
                              std::wstring(url.lpszExtraInfo ? url.lpszExtraInfo : L"", url.dwExtraInfoLength);

    session_ = OpenSession(open);
    if (!session_) return Failed();
    timeouts(session_, kStepMs, kStepMs, kStepMs, kStepMs);
    connection_ = connect(session_, host.c_str(), url.nPort, 0);
    if (!connection_) return Failed();
    request_ = openRequest(connection_, L"GET", path.empty() ? L"/" : path.c_str(), nullptr, WINHTTP_NO_REFERER,
                           WINHTTP_DEFAULT_ACCEPT_TYPES, url.nScheme == INTERNET_SCHEME_HTTPS ? WINHTTP_FLAG_SECURE : 0);
    if (!request_) return Failed();
    // Waiting for the answer's headers has a timeout of its own (90 s unless set).
    DWORD step = kStepMs;
    option(request_, WINHTTP_OPTION_RECEIVE_RESPONSE_TIMEOUT, &step, sizeof step);
    // Whatever a step's own timeouts do, the request is closed, which ends the step waiting on
    // it, once the whole time has passed.
    if (!watchdog_.Start(request_, close_, kWholeMs - (GetTickCount64() - began))) return Failed();
    if (!send(request_, WINHTTP_NO_ADDITIONAL_HEADERS, 0, WINHTTP_NO_REQUEST_DATA, 0, 0, 0) || !receive(request_, nullptr))
      return Failed();
    DWORD status = 0, size = sizeof status;
    if (!query(request_, WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER, WINHTTP_HEADER_NAME_BY_INDEX, &status,
               &size, WINHTTP_NO_HEADER_INDEX))
      return Failed();
    if (status != 200) return {FetchOutcome::Status, static_cast<int>(status), {}};

    Fetched fetched{FetchOutcome::Read, 200, {}};
    for (;;) {
      if (GetTickCount64() - began > kWholeMs || watchdog_.Fired()) return {FetchOutcome::TimedOut, 0, {}};
      DWORD waiting = 0;
      if (!available(request_, &waiting)) return Failed();
      if (waiting == 0) return fetched;
      if (fetched.body.size() + waiting > maxBytes) return {FetchOutcome::TooLarge, 0, {}};
      const std::size_t at = fetched.body.size();
      fetched.body.resize(at + waiting);
      DWORD got = 0;
      if (!read(request_, fetched.body.data() + at, waiting, &got)) return Failed();
      fetched.body.resize(at + got);
      if (got == 0) return fetched;
    }
  }

 private:
  // The system's proxy: Windows 8.1 and later find it as the browser does; before that (and
  // where the automatic kind is refused) the user's Internet Options proxy, named.
  HINTERNET OpenSession(decltype(&WinHttpOpen) open) {
    constexpr const wchar_t* kAgent = L"Periodic Respite Prompter";
    if (HINTERNET s = open(kAgent, WINHTTP_ACCESS_TYPE_AUTOMATIC_PROXY, WINHTTP_NO_PROXY_NAME, WINHTTP_NO_PROXY_BYPASS, 0))
      return s;
    const auto ieConfig =
        api_.Find<decltype(&WinHttpGetIEProxyConfigForCurrentUser)>("WinHttpGetIEProxyConfigForCurrentUser");
    WINHTTP_CURRENT_USER_IE_PROXY_CONFIG ie{};
    HINTERNET s = nullptr;
    if (ieConfig && ieConfig(&ie) && ie.lpszProxy)
      s = open(kAgent, WINHTTP_ACCESS_TYPE_NAMED_PROXY, ie.lpszProxy, ie.lpszProxyBypass ? ie.lpszProxyBypass : WINHTTP_NO_PROXY_BYPASS, 0);
    for (LPWSTR text : {ie.lpszAutoConfigUrl, ie.lpszProxy, ie.lpszProxyBypass})
      if (text) GlobalFree(text);
    return s ? s : open(kAgent, WINHTTP_ACCESS_TYPE_DEFAULT_PROXY, WINHTTP_NO_PROXY_NAME, WINHTTP_NO_PROXY_BYPASS, 0);
  }

  Fetched Failed() const {
    const bool timedOut = GetLastError() == ERROR_WINHTTP_TIMEOUT || watchdog_.Fired();
    return {timedOut ? FetchOutcome::TimedOut : FetchOutcome::Unreachable, 0, {}};
  }

  SystemLibrary& api_;
  Watchdog watchdog_;
  decltype(&WinHttpCloseHandle) close_ = nullptr;
  HINTERNET session_ = nullptr, connection_ = nullptr, request_ = nullptr;
};

Fetched FetchWith(SystemLibrary& winhttp, std::string_view location, std::size_t maxBytes) {
  const std::wstring expanded = Expanded(location);
  if (!IsWebAddress(Narrow(expanded))) return ReadLocalFile(expanded, maxBytes);
  return Internet(winhttp).Get(expanded, maxBytes);
}

// One reading in the background: made on the window's thread, filled on its own, and handed
// back through the reply window's queue.
struct Job {
  std::string location;
  std::size_t maxBytes;
  std::function<void(Fetched)> done;
  HWND replyTo;
  Fetched fetched;
};

DWORD WINAPI ReadInBackground(void* parameter) {
  std::unique_ptr<Job> job(static_cast<Job*>(parameter));
  try {
    SystemLibrary winhttp(L"winhttp.dll");  // this thread's own
    job->fetched = FetchWith(winhttp, job->location, job->maxBytes);
  } catch (...) {
    job->fetched = {FetchOutcome::Unreachable, 0, {}};
  }
  if (PostMessageW(job->replyTo, kFetchedMessage, 0, reinterpret_cast<LPARAM>(job.get()))) job.release();
  return 0;
}

}  // namespace

Fetched Win32Fetcher::Fetch(std::string_view location, std::size_t maxBytes) {
  return FetchWith(winhttp_, location, maxBytes);
}

void Win32Fetcher::FetchLater(std::string location, std::size_t maxBytes, std::function<void(Fetched)> done) {
  if (!replies_) replies_ = CreateHiddenWindow(instance_, kReplyWindowClass, ReplyWindowProc, HWND_MESSAGE, 0, 0, this);
  auto job = std::make_unique<Job>(Job{std::move(location), maxBytes, std::move(done), replies_.get(), {}});
  const UniqueObject thread(CreateThread(nullptr, 0, ReadInBackground, job.get(), 0, nullptr));
  if (thread) {
    job.release();  // the thread's now
    return;
  }
  // No thread: the answer is that nothing could be read, told the same way.
  job->fetched = {FetchOutcome::Unreachable, 0, {}};
  if (PostMessageW(job->replyTo, kFetchedMessage, 0, reinterpret_cast<LPARAM>(job.get()))) job.release();
}

LRESULT CALLBACK Win32Fetcher::ReplyWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != kFetchedMessage) return DefWindowProcW(window, message, wParam, lParam);
  std::unique_ptr<Job> job(reinterpret_cast<Job*>(lParam));
  try {
    job->done(std::move(job->fetched));
  } catch (...) {
    // The window's loop goes on whatever its listener does.
  }
  return 0;
}

}  // namespace rp::win32
