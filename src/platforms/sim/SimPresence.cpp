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

namespace {
constexpr std::string_view kCallProgram = "C:\\Program Files\\Call\\call.exe";
}  // namespace

std::vector<std::string> SimPresence::CameraOrMicrophoneUsers() {
  ++holdQueries;
  std::vector<std::string> users = deviceUsers;
  if (cameraOrMicrophoneInUse) users.emplace_back(kCallProgram);
  return users;
}

bool SimPresence::ProgramRunning(std::string_view program) {
  return (cameraOrMicrophoneInUse && program == kCallProgram) || runningPrograms.count(program) != 0;
}

void SimPresence::WatchSession(SessionListener* l) {
  ++watchRequests;
  listener = watchFails ? nullptr : l;
}

}  // namespace rp::sim
