// The DXF writer of the graphics library.
#pragma once

#include <vyr/model/dxf/DXFOutput.h>
