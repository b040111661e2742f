#pragma once
#include <windows.h>

#include "ports/Ui.h"
#include "win32/Handles.h"

namespace rp::win32 {

class DpiFunctions;

// The tray's icon size, in pixels, at the scale of the monitor that shows the taskbar.
int TrayIconSize(DpiFunctions& dpi);
// True when Windows draws the taskbar light (Windows 10 1903 and later, by the user's choice).
bool TaskbarIsLight();
// The period drawn as a ring filling clockwise from the top, `size` pixels square, with a
// straight alpha channel so that its edges blend into any taskbar.
UniqueIcon DrawPeriodIcon(const PeriodPicture& picture, int size, bool lightTaskbar);

}  // namespace rp::win32
