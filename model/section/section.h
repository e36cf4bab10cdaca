// Sections, the section library, tie definitions and slab types.
#pragma once

#include "model/section/SectionBase.h"
#include "model/section/SectionProfiles.h"
#include "model/section/SectionList.h"
#include "model/section/Ban.h"
#include "model/material/MaterialList.h"
