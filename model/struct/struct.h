// The structure model: model root, structure, members, nodes, rooms, walls, storeys,
// supports, axes, sketch and undo record.
#pragma once

#include "model/struct/ModelList.h"
#include "model/struct/ViewXform.h"
#include "model/struct/Load.h"
#include "model/struct/Node.h"
#include "model/struct/Member.h"
#include "model/struct/LoadCase.h"
#include "model/struct/Plane.h"
#include "model/struct/Floor.h"
#include "model/struct/Support.h"
#include "model/struct/Axial.h"
#include "model/struct/Axises.h"
#include "model/struct/EditStack.h"
#include "model/struct/StructSketch.h"
#include "model/struct/Struct.h"
#include "model/struct/GlobalData.h"
#include "model/struct/SampleModel.h"
