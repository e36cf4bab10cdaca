// Watching the device contexts of windows as they are released (GetDC ... ReleaseDC), so a
// test can see what code draws into a window outside WM_PAINT.
#pragma once

#include <functional>
#include <vector>

#include <vyr/gdi.h>
#include <vyr/wintypes.h>

namespace vyr {

// The observer is called at each ReleaseDC (EndPaint releases the paint context too) with
// the window and what was drawn through the context. An empty function stops watching.
void SetReleaseDCObserver(std::function<void(HWND, const std::vector<DrawRecord>&)> observer);

} // namespace vyr
