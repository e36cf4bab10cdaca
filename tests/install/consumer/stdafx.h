// The consumer's own precompiled-header file, as a host of the library has one. A library
// header that included "stdafx.h" by that name would find this one instead of its own.
#pragma once
#ifndef CONSUMER_OWN_HEADERS
#error "a library header included the host's own stdafx.h"
#endif

#include <vyr/stdafx.h>
