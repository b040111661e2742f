#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "ports/MediaPlayer.h"

namespace rp::sim {

class SimPlayer : public MediaPlayer {
 public:
  void SetLoop(bool loop) override;
  void Close() override;
  void SetUrl(std::string_view path) override;

  std::vector<std::string> calls;  // "loop on", "loop off", "close", "url <path>"
  bool looping = false;
  std::string playing;  // the path being played, "" when closed
};

}  // namespace rp::sim
