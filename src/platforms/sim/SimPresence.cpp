#include "sim/SimPresence.h"

namespace rp::sim {

std::int64_t SimPresence::IdleMs() {
  ++idleQueries;
  return clock_.NowMs() - lastInputMs;
}

bool SimPresence::DisplayRequired() {
  ++idleQueries;
  return displayRequired;
}

NotificationState SimPresence::UserNotificationState() {
  ++holdQueries;
  return notificationState;
}

bool SimPresence::CameraOrMicrophoneInUse() {
  ++holdQueries;
  return cameraOrMicrophoneInUse;
}

}  // namespace rp::sim
