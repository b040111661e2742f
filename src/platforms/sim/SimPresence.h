#pragma once
#include <cstdint>

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
  bool CameraOrMicrophoneInUse() override;
  void WatchSession(SessionListener* l) override { listener = l; }

  std::int64_t lastInputMs = 0;
  bool displayRequired = false;
  NotificationState notificationState = NotificationState::AcceptsNotifications;
  bool cameraOrMicrophoneInUse = false;
  SessionListener* listener = nullptr;
  // How often the program asked: idleness and the display, and what may hold a break.
  int idleQueries = 0;
  int holdQueries = 0;

 private:
  EventLoop& clock_;
};

}  // namespace rp::sim
