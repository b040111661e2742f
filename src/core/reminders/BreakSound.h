#pragma once
#include "runtime/Translation.h"
#include <string>

#include "ports/MediaPlayer.h"

namespace rp {

// The open dialog that chooses a sound file: the break sound, the sound at a guided break's end.
inline constexpr std::string_view kSoundDialogTitle = TrNoop("Add File(s) - Hold Ctrl to select multiple files");
// TRANSLATORS: the file types of the open dialog: a name, "|", the pattern, "|"; translate only the name
inline constexpr std::string_view kSoundDialogFilter = TrNoop("Wav Files (*.wav)|*.wav|");

// The audio reminder's sound: from a break it loops until the next break, a test play, a stop
// or the guided break's windows; a single test play is never cut short.
class BreakSound {
 public:
  explicit BreakSound(MediaPlayer& player) : player_(player) {}

  MediaPlayer& Player() { return player_; }
  // A break's sound starts from `path` and loops on.
  void Loop(const std::string& path) {
    looping_ = true;
    player_.SetUrl(path);
  }
  // A test play takes the loop's place.
  void Replaced() { looping_ = false; }
  // Silences a looping sound; a test play is left alone.
  void Stop() {
    if (!looping_) return;
    looping_ = false;
    player_.Close();
  }
  // The looping sound plays once more, to its end.
  void EndLoop(const std::string& path) {
    if (!looping_) return;
    looping_ = false;
    player_.SetLoop(false);
    player_.SetUrl(path);
  }

 private:
  MediaPlayer& player_;
  bool looping_ = false;
};

}  // namespace rp
