// Drawing units, blocks and layers of the graphics library, and the shared pointer with the
// plane regions.
#pragma once

#include <vyr/model/draw/DrawUnit.h>
#include <vyr/model/draw/DrawBlock.h>
#include <vyr/model/draw/SmartPtr.h>
#include <vyr/model/draw/Plane3D.h>
#include <vyr/model/draw/ViewPreview.h>
