#include <vyr/vyr_version.h>

// Lets a host check which build of the library it loaded.
extern "C" const char* VyrUIVersion() { return VYR_VERSION_STRING; }
