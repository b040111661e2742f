#pragma once
#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "ports/EventLoop.h"
#include "ports/Presence.h"

namespace rp::sim {

// The user's presence as the test sets it; idleness runs on the virtual clock.
class SimPresence : public Presence {
 public:
  explicit SimPresence(EventLoop& clock) : clock_(clock) {}
  std::int64_t IdleMs() override;
  bool DisplayRequired() override;
  NotificationState UserNotificationState() override;
  std::vector<std::string> CameraOrMicrophoneUsers() override;
  bool ProgramRunning(std::string_view program) override;
  bool SessionLocked() override { return sessionLocked; }
  void WatchSession(SessionListener* l) override;

  std::int64_t lastInputMs = 0;
  bool displayRequired = false;
  NotificationState notificationState = NotificationState::AcceptsNotifications;
  // A running call program uses the camera or microphone.
  bool cameraOrMicrophoneInUse = false;
  // The system's records of programs using a device, and the programs that run.
  std::vector<std::string> deviceUsers;
  std::set<std::string, std::less<>> runningPrograms;
  bool sessionLocked = false;
  // The watch's listener; a failed registration leaves it empty.
  SessionListener* listener = nullptr;
  bool watchFails = false;
  int watchRequests = 0;
  // How often the program asked: idleness and the display, and what may hold a break.
  int idleQueries = 0;
  int holdQueries = 0;

 private:
  EventLoop& clock_;
};

}  // namespace rp::sim
