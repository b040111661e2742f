#include "tray/cSysTray.h"

// Placeholder until the notification-area icon is wired to the shell: it keeps the values.
namespace rp {

cSysTray::cSysTray(Program& program) : program_(program) {}
cSysTray::~cSysTray() = default;

void cSysTray::SetTrayTip(std::string tip) { tip_ = std::move(tip); }
void cSysTray::SetInTray(bool show) { inTray_ = show; }
void cSysTray::ShowBalloon(std::string_view, std::string_view, std::int32_t, bool) {}

}  // namespace rp
