#include "win32/Win32MediaPlayer.h"

#include <windows.h>
#include <mmsystem.h>

#include <cwctype>

#include "win32/Text.h"

namespace rp::win32 {
namespace {

constexpr wchar_t kAlias[] = L"RespitePrompterSound";

bool IsBlank(const std::wstring& text) {
  for (wchar_t c : text)
    if (!std::iswspace(c)) return false;
  return true;
}

bool IsWave(const std::wstring& file) {
  return file.size() >= 4 && _wcsicmp(file.c_str() + file.size() - 4, L".wav") == 0;
}

}  // namespace

MCIERROR Win32MediaPlayer::Mci(const std::wstring& command) {
  return winmm_.Get<decltype(&mciSendStringW)>("mciSendStringW")(command.c_str(), nullptr, 0, nullptr);
}

void Win32MediaPlayer::PlayWave(const wchar_t* file, DWORD flags) {
  winmm_.Get<decltype(&PlaySoundW)>("PlaySoundW")(file, nullptr, flags);
}

Win32MediaPlayer::~Win32MediaPlayer() {
  try {
    Close();
  } catch (...) {
    // Nothing may leave a destructor; the process is ending anyway.
  }
}

void Win32MediaPlayer::Close() {
  if (!winmm_.Loaded()) return;  // nothing has played yet
  PlayWave(nullptr, 0);
  if (mciOpen_) {
    Mci(std::wstring(L"close ") + kAlias);
    mciOpen_ = false;
  }
}

void Win32MediaPlayer::SetUrl(std::string_view path) {
  Close();  // a new address replaces whatever plays
  const std::wstring file = Widen(path);
  // Nothing to play: stay silent, as for any file that cannot be played.
  if (IsBlank(file)) return;
  if (IsWave(file)) {
    // SND_NODEFAULT: a file that cannot be played stays silent instead of beeping.
    PlayWave(file.c_str(), SND_FILENAME | SND_ASYNC | SND_NODEFAULT | (loop_ ? SND_LOOP : 0));
  } else {
    PlayWithMci(file);
  }
}

void Win32MediaPlayer::PlayWithMci(const std::wstring& file) {
  // The path goes into a command string between quotes; a quote (never part of a file name)
  // would end it early and let the rest be read as commands.
  if (file.find(L'"') != std::wstring::npos) return;
  if (Mci(L"open \"" + file + L"\" type mpegvideo alias " + kAlias) != 0) return;
  mciOpen_ = true;
  // Without "wait" the play returns at once; "repeat" starts over at the end, as a loop should.
  Mci(std::wstring(L"play ") + kAlias + (loop_ ? L" repeat" : L""));
}

}  // namespace rp::win32
