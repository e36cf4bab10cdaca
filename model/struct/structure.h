// The structure model: model root, structure, members, nodes, rooms, walls, storeys,
// supports, axes, sketch and undo record.
#pragma once

#include <vyr/model/struct/ModelList.h>
#include <vyr/model/struct/ViewXform.h>
#include <vyr/model/struct/Load.h>
#include <vyr/model/struct/Node.h>
#include <vyr/model/struct/Member.h>
#include <vyr/model/struct/LoadCase.h>
#include <vyr/model/struct/Crane.h>
#include <vyr/model/struct/Plane.h>
#include <vyr/model/struct/Floor.h>
#include <vyr/model/struct/Support.h>
#include <vyr/model/struct/Axial.h>
#include <vyr/model/struct/Axises.h>
#include <vyr/model/struct/EditStack.h>
#include <vyr/model/struct/StructSketch.h>
#include <vyr/model/struct/Struct.h>
#include <vyr/model/struct/GlobalData.h>
#include <vyr/model/struct/SampleModel.h>
