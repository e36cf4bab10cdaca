// Sections, the section library, tie definitions and slab types.
#pragma once

#include <vyr/model/section/SectionBase.h>
#include <vyr/model/section/SectionProfiles.h>
#include <vyr/model/section/SectionList.h>
#include <vyr/model/section/Ban.h>
#include <vyr/model/material/MaterialList.h>
