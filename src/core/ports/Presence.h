#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace rp {

// What the shell says about interrupting the user now.
enum class NotificationState {
  AcceptsNotifications,  // nothing stands in the way (also: unknown)
  Presentation,          // the user turned on presentation settings
  FullScreen,            // a full-screen or busy program has the screen
  QuietHours,            // the shell's quiet time
};

// Told when the session is locked or unlocked and when the machine goes to sleep or wakes.
class SessionListener {
 public:
  virtual ~SessionListener() = default;
  virtual void SessionLocked(bool locked) = 0;
  virtual void MachineAsleep(bool asleep) = 0;
};

// Whether the user is at the computer, and whether a break may interrupt them. When the
// system cannot tell, every query gives the answer that changes nothing: not idle, display
// kept on, accepting notifications, camera and microphone not in use.
class Presence {
 public:
  virtual ~Presence() = default;
  // Milliseconds since the last keyboard or mouse input of the session.
  virtual std::int64_t IdleMs() = 0;
  // True while some program keeps the display on (as a playing video does).
  virtual bool DisplayRequired() = 0;
  virtual NotificationState UserNotificationState() = 0;
  // The programs the system's records say are using the camera or the microphone now: a full
  // path, or a package's family name.
  virtual std::vector<std::string> CameraOrMicrophoneUsers() = 0;
  // True while a program of that path or package family runs.
  virtual bool ProgramRunning(std::string_view program) = 0;
  // True while the session is locked (its input goes to the lock screen).
  virtual bool SessionLocked() = 0;
  // Starts the lock and sleep notifications to `listener`, or stops them (nullptr). Asked
  // again with the same listener, it makes again whatever the watch lost meanwhile.
  virtual void WatchSession(SessionListener* listener) = 0;
};

}  // namespace rp
