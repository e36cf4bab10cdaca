// Material records of the material library.
#pragma once

#include <vyr/model/material/MaterialBase.h>
#include <vyr/model/material/MaterialList.h>
