// Messages between a worker thread and the dialog that runs it (see WorkerRun.h).
#pragma once

#include <vyr/stdafx.h>

// Sent by a worker to its dialog before each unit of work, wParam 0, lParam 0. The answer,
// given on the user-interface thread: 0 go on, 1 stop at once.
#define WM_THREAD_CHECKCANCEL (WM_USER + 12) // 1036
// Posted by a worker to its dialog as its last act: the run is over, and the dialog ends it
// on its own thread.
#define WM_THREAD_RUNEND (WM_USER + 13) // 1037
