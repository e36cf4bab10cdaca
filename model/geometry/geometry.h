// Geometry value types of the graphics library.
#pragma once

#include "model/geometry/GeoPoint.h"
#include "model/geometry/Rect2D.h"
#include "model/geometry/Matrix.h"
#include "model/geometry/Layer.h"
#include "model/geometry/GeoFunc.h"
