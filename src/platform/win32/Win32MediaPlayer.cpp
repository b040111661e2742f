#include "platform/win32/Win32MediaPlayer.h"

#include <windows.h>
#include <mmsystem.h>

#include "platform/win32/Text.h"

namespace rp::win32 {

Win32MediaPlayer::~Win32MediaPlayer() { Close(); }

void Win32MediaPlayer::Close() { PlaySoundW(nullptr, nullptr, 0); }

void Win32MediaPlayer::SetUrl(std::string_view path) {
  // SND_NODEFAULT: a path that cannot be played stays silent instead of beeping.
  const DWORD flags = SND_FILENAME | SND_ASYNC | SND_NODEFAULT | (loop_ ? SND_LOOP : 0);
  PlaySoundW(Widen(path).c_str(), nullptr, flags);
}

}  // namespace rp::win32
