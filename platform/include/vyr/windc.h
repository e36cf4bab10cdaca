// Watching the device contexts of windows, for tests that check what was drawn into a
// window and that the drawing handed its context back as it got it.
#pragma once

#include <functional>

#include <vyr/wnd.h>

namespace vyr {

// Called with every window device context (GetDC, CClientDC, CPaintDC ...) as it is
// released, while its records and state are still there; null stops it.
void WatchReleasedDCs(std::function<void(HWND, CDC&)> observer);
// Window device contexts taken and not yet released, over all windows.
int OpenWindowDCCount();

} // namespace vyr
