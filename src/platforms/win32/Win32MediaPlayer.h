#pragma once
#include <windows.h>
#include <mmsystem.h>

#include <string>

#include "ports/MediaPlayer.h"
#include "win32/SystemLibrary.h"

namespace rp::win32 {

// Plays a sound file through winmm without blocking the window: .wav files with PlaySound,
// other formats through the MCI media device when the system has a codec for them. winmm and
// its codec manager are loaded with the first sound, not at start.
class Win32MediaPlayer : public MediaPlayer {
 public:
  Win32MediaPlayer() = default;
  ~Win32MediaPlayer() override;
  Win32MediaPlayer(const Win32MediaPlayer&) = delete;
  Win32MediaPlayer& operator=(const Win32MediaPlayer&) = delete;

  void SetLoop(bool loop) override { loop_ = loop; }
  void Close() override;
  void SetUrl(std::string_view path) override;

 private:
  void PlayWithMci(const std::wstring& file);
  void PlayWave(const wchar_t* file, DWORD flags);
  MCIERROR Mci(const std::wstring& command);

  SystemLibrary winmm_{L"winmm.dll"};
  bool loop_ = false;
  bool mciOpen_ = false;  // the MCI alias is open and must be closed
};

}  // namespace rp::win32
