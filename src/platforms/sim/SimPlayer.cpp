#include "sim/SimPlayer.h"

namespace rp::sim {

void SimPlayer::SetLoop(bool loop) {
  looping = loop;
  calls.push_back(loop ? "loop on" : "loop off");
}

void SimPlayer::Close() {
  playing.clear();
  calls.push_back("close");
}

void SimPlayer::SetUrl(std::string_view path) {
  playing = path;
  calls.push_back("url " + std::string(path));
}

}  // namespace rp::sim
