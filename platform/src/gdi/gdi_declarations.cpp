// Compiles the drawing declarations on their own.
#include "gdi.h"
