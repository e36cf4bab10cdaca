// Geometry value types of the graphics library.
#pragma once

#include <vyr/model/geometry/GeoPoint.h>
#include <vyr/model/geometry/Rect2D.h>
#include <vyr/model/geometry/Matrix.h>
#include <vyr/model/geometry/Layer.h>
#include <vyr/model/geometry/GeoFunc.h>
