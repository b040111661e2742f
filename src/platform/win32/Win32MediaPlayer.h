#pragma once
#include <string>

#include "platform/MediaPlayer.h"

namespace rp::win32 {

// Plays a sound file through winmm without blocking the window: .wav files with PlaySound,
// other formats through the MCI media device when the system has a codec for them.
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

  bool loop_ = false;
  bool mciOpen_ = false;  // the MCI alias is open and must be closed
};

}  // namespace rp::win32
