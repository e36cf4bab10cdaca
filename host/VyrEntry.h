// The library's entry. Loading the library (its static initialisers, then the attach
// notification) initialises its extension module; the host then calls InitVyrUI once, which
// links the library into the host's resource chain so that its dialog templates, combo-box
// contents, bitmaps, cursors, strings and runtime classes are found. Unloading unlinks it.
#pragma once

#include <vyr/stdafx.h>

#ifndef DLL_PROCESS_DETACH
#define DLL_PROCESS_DETACH 0
#define DLL_PROCESS_ATTACH 1
#define DLL_THREAD_ATTACH 2
#define DLL_THREAD_DETACH 3
#endif

// Links the library into the host's resource chain. Called by the host after loading; a
// further call while the library is linked changes nothing.
extern "C" void InitVyrUI();

// The load and unload notifications, as the shared library's start and end deliver them:
// attach initialises the module record (0 when that fails, which fails the load), detach
// terminates it and unlinks the library from the chain; other reasons do nothing. Each
// answers 1 otherwise.
int VyrUIDllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID lpReserved);

// The library's module record.
AFX_EXTENSION_MODULE& VyrUIModule();
