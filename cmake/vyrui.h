// The library a host loads, as a whole: which build of it was loaded.
#pragma once

#include <vyr/vyr_version.h>

// The version of the loaded library (VYR_VERSION_STRING of its build); a host compares it
// with the header it was compiled against.
extern "C" const char* VyrUIVersion();
