// Object base, factory and stream of the common library.
#pragma once

#include "model/base/Obj.h"
#include "model/base/Stream.h"
#include "model/base/VyrProduct.h"
