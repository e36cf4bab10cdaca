// Drawing units, blocks and layers of the graphics library, and the shared pointer with the
// plane regions.
#pragma once

#include "model/draw/DrawUnit.h"
#include "model/draw/DrawBlock.h"
#include "model/draw/SmartPtr.h"
#include "model/draw/Plane3D.h"
#include "model/draw/ViewPreview.h"
