// The DXF writer of the graphics library.
#pragma once

#include "model/dxf/DXFOutput.h"
