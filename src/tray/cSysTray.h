#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace rp {

class Program;

// The notification-area icon of a window, with its hover tip and balloons.
class cSysTray {
 public:
  explicit cSysTray(Program& program);
  ~cSysTray();
  cSysTray(const cSysTray&) = delete;
  cSysTray& operator=(const cSysTray&) = delete;

  const std::string& TrayTip() const { return tip_; }
  void SetTrayTip(std::string tip);
  bool InTray() const { return inTray_; }
  void SetInTray(bool show);
  void ShowBalloon(std::string_view tip, std::string_view title, std::int32_t showTimer,
                   bool showOnce = false);

  std::function<void(int button, std::int32_t id)> MouseUp;

 private:
  Program& program_;
  std::string tip_;
  bool inTray_ = false;
};

}  // namespace rp
