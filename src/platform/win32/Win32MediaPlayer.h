#pragma once
#include <string>

#include "platform/MediaPlayer.h"

namespace rp::win32 {

// Plays a sound file through winmm without blocking the window.
class Win32MediaPlayer : public MediaPlayer {
 public:
  ~Win32MediaPlayer() override;
  void SetLoop(bool loop) override { loop_ = loop; }
  void Close() override;
  void SetUrl(std::string_view path) override;

 private:
  bool loop_ = false;
};

}  // namespace rp::win32
