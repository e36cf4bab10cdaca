#include <vyr/vyrui.h>

const char* VyrUIVersion() { return VYR_VERSION_STRING; }
