// Object base, factory and stream of the common library.
#pragma once

#include <vyr/model/base/Obj.h>
#include <vyr/model/base/Stream.h>
#include <vyr/model/base/VyrProduct.h>
