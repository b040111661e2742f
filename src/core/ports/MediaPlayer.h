#pragma once
#include <string_view>

namespace rp {

// Plays one sound file, once or in a loop, without blocking the window.
class MediaPlayer {
 public:
  virtual ~MediaPlayer() = default;
  virtual void SetLoop(bool loop) = 0;
  // Drops whatever is open (stops playback).
  virtual void Close() = 0;
  // Assigning a path starts playing it. A path that cannot be played fails silently.
  virtual void SetUrl(std::string_view path) = 0;
};

}  // namespace rp
